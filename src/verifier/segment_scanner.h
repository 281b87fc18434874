// Cutting the text of a QMX file into segments.
#pragma once

#include "verifier/segment.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillex::verifier {

// Cuts `text` (a file's lines, each followed by one LF) into segments at
// every external tag ("<" followed by anything but ":"). A segment that
// starts while another external tag is still open gets an empty tag text.
// The segments view `text`, which must outlive them.
std::vector<Segment> cutIntoSegments(std::string_view text);

// `lines` joined, each followed by one LF: the text that cutIntoSegments
// expects.
std::string joinLines(const std::vector<std::string>& lines);

// Makes `text` the text of `file` and cuts it into the file's segments.
void loadSegments(TaggedFile& file, std::string text);

// Calls `collect(tag)` for every tag in `text`: a tag runs from a "<" at depth
// 0 to the ">" that brings the depth back to 0. A ">" at depth 0 is text; a
// tag still open at the end is not collected.
template <typename Collect> void forEachTag(std::string_view text, Collect&& collect) {
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '<') {
            if (depth++ == 0)
                start = i;
        } else if (text[i] == '>' && depth > 0) {
            if (--depth == 0)
                collect(text.substr(start, i + 1 - start));
        }
    }
}

} // namespace quillex::verifier
