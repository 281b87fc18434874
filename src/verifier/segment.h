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

struct Segment {
    // The external tag, from "<" to its ">"; empty when the segment began
    // while another external tag was still open.
    std::string_view tagText;
    // The tag text and everything after it up to the next external tag, line
    // ends (LF) included.
    std::string_view text;
    int tagNumber = tagno::UnlistedExternal;
    int category = category::Formatting;
    // Set once the comparison has dealt with the segment.
    bool handled = false;
};

// Tag numbers and categories are small, so they are kept narrow: a file has
// many more internal tags than segments.
struct InternalTag {
    std::string_view text;
    std::size_t segment = 0;           // index into the file's segment list
    std::int16_t segmentTagNumber = 0; // tag number of that segment's external tag
    std::int16_t tagNumber = tagno::UnlistedInternal;
    std::int8_t category = category::UnlistedInternal;
    bool matched = false;
    bool reported = false;
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
};

// The texts of the segments before, at and after `center` joined; positions
// outside the list are left out, so `center` may be the list's size.
std::string contextText(const std::vector<Segment>& segments, std::size_t center);

// The part of a segment's text after its tag text.
std::string_view textAfterTag(const Segment& segment);

} // namespace quillex::verifier
