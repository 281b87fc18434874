// Segmentation: the translated lines filed under the key tag of the piece
// they belong to.
//
// Matching between the translation and the skeleton is by tag text, never by
// position. The text before the first anchored frame or table belongs to the
// key `<af 0>`; the text after a frame or table to the frame's or table's
// key; text strings, chart labels, micro-documents and cells are filed whole
// under their opening line; the ancillary section files its formats the same
// way.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace quillex::backward {

// Key line (the exact text of an external tag line) -> the lines filed under
// it. Filing a key again replaces its lines.
using SegmentMap = std::unordered_map<std::string, std::vector<std::string>>;

// The key of the text before the first frame or table.
inline constexpr std::string_view kFirstSegmentKey = "<af 0>";

// Segments `lines` from `cursor` up to the line equal to `closingLine`,
// starting with `key`. Returns the index of the closing line. Throws an
// unexpected-end ConversionFailure when the lines run out first. The lines
// filed in segments are moved out of `lines` (blocks are copied: the
// segment around them files them too).
std::size_t segment(std::vector<std::string>& lines, std::size_t cursor,
                    std::string_view closingLine, std::string key, SegmentMap& map);

// Files the block from `cursor` to the next line equal to `closingLine`, both
// included, under the cursor line; returns the index of the closing line.
std::size_t fileBlock(const std::vector<std::string>& lines, std::size_t cursor,
                      std::string_view closingLine, SegmentMap& map);

// Files the formats, text strings, chart labels and micro-documents of a
// file's ancillary section (from its `<file "NAME">` line on) for the output
// file `outputName`. Lines filed in segments are moved out of `lines`.
void fileAncillarySections(std::vector<std::string>& lines, const std::string& outputName,
                           SegmentMap& map);

} // namespace quillex::backward
