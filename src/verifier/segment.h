// The records the verifier works on: a QMX file cut into segments (one
// external tag and what follows it up to the next), and the internal tags
// found inside the segments.
//
// Segments and internal tags are views into the file's text, which the
// TaggedFile holds: a large file is then held once, and cutting it allocates
// nothing per segment.
#pragma once

#include "verifier/tag_table.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillex::verifier {

// The most external tags that may be open at once.
inline constexpr int kMaxBracketDepth = 3;

// How the "<" and ">" of a segment's text stand. The cut visits every bracket
// anyway and notes this on the way, so that the syntax check need not scan
// the text again; Unknown where the cut cannot tell, and the check scans.
enum class BracketBalance : std::uint8_t {
    Unknown,
    Sound,
    UnequalCounts,
    BelowZero, // the running depth falls below 0 (and never rises too high)
    TooDeep,   // it rises above kMaxBracketDepth (and never falls below 0)
};

// Segments and internal tags are many, so their fields are kept narrow:
// positions and lengths in 32 bits (loadSegments refuses a larger text), tag
// numbers and categories in 8.
struct Segment {
    // The tag text and everything after it up to the next external tag, line
    // ends (LF) included.
    std::string_view text;
    // The length of the external tag that begins the text, from "<" to its
    // ">"; 0 when the segment began while another external tag was still open.
    std::uint32_t tagLength = 0;
    std::int8_t tagNumber = tagno::UnlistedExternal;
    std::int8_t category = category::Formatting;
    // Set once the comparison has dealt with the segment.
    bool handled = false;
    BracketBalance brackets = BracketBalance::Unknown;

    std::string_view tagText() const { return text.substr(0, tagLength); }
};

struct InternalTag {
    std::uint32_t start = 0; // where the tag text begins in the file's text
    std::uint32_t length = 0;
    std::uint32_t segment = 0;        // index into the file's segment list
    std::int8_t segmentTagNumber = 0; // tag number of that segment's external tag
    std::int8_t tagNumber = tagno::UnlistedInternal;
    std::int8_t category = category::UnlistedInternal;
    bool matched : 1 = false;
    bool reported : 1 = false;
};

// One QMX file as the checks see it.
struct TaggedFile {
    // The file's lines, each followed by one LF: the text that segments and
    // internal tags view. It is kept on the heap so that the views stay valid
    // when the TaggedFile moves.
    std::unique_ptr<const std::string> text;
    std::vector<Segment> segments;
    std::vector<InternalTag> internalTags;
    // Report font of the file's texts: 3 for the source, 4 for the translation.
    int font = 3;
    // A style file's catalog: its items are listed as in a file section of
    // the ancillary file, without the <file> lines, each followed by the
    // paths of the documents that use it rather than by text.
    bool catalog = false;

    std::string_view textOf(const InternalTag& tag) const {
        return std::string_view(*text).substr(tag.start, tag.length);
    }
};

// The texts of the segments before, at and after `center` joined; positions
// outside the list are left out, so `center` may be the list's size.
std::string contextText(const std::vector<Segment>& segments, std::size_t center);

// The part of a segment's text after its tag text.
std::string_view textAfterTag(const Segment& segment);

// Calls `check(first, last)` for each run of internal tags that lie in one
// segment ([first, last) indices into the file's internal tag list, which
// runs in segment order).
template <typename Check> void forEachSegmentRun(const TaggedFile& file, Check&& check) {
    const std::vector<InternalTag>& tags = file.internalTags;
    std::size_t first = 0;
    while (first < tags.size()) {
        std::size_t last = first + 1;
        while (last < tags.size() && tags[last].segment == tags[first].segment)
            ++last;
        check(first, last);
        first = last;
    }
}

} // namespace quillex::verifier
