// Cutting the text of a QMX file into segments.
#pragma once

#include "verifier/segment.h"

#include <bit>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillex::verifier {

// `lines` joined, each followed by one LF: the text of a TaggedFile.
std::string joinLines(const std::vector<std::string>& lines);

// Makes `text` (a file's lines, each followed by one LF) the text of `file`
// and cuts it into the file's segments, at every external tag ("<" followed
// by anything but ":"). A segment that starts while another external tag is
// still open gets an empty tag text. Throws std::bad_alloc for a text of
// 4 GiB or more.
void loadSegments(TaggedFile& file, std::string text);

// Calls `visit(position)` for every "<" and ">" of `text`, in order. Only
// brackets matter to the scans of the checks and the text between them runs
// long, so where the processor has SSE2 sixteen bytes are compared at once
// and only the brackets found are visited.
template <typename Visit> void forEachBracket(std::string_view text, Visit&& visit) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i opening = _mm_set1_epi8('<');
    const __m128i closing = _mm_set1_epi8('>');
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        auto found = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(block, opening), _mm_cmpeq_epi8(block, closing))));
        for (; found != 0; found &= found - 1)
            visit(i + static_cast<std::size_t>(std::countr_zero(found)));
    }
#endif
    for (; i < text.size(); ++i)
        if (text[i] == '<' || text[i] == '>')
            visit(i);
}

// Calls `collect(tag)` for every tag in `text`: a tag runs from a "<" at depth
// 0 to the ">" that brings the depth back to 0. A ">" at depth 0 is text; a
// tag still open at the end is not collected.
template <typename Collect> void forEachTag(std::string_view text, Collect&& collect) {
    int depth = 0;
    std::size_t start = 0;
    forEachBracket(text, [&](std::size_t i) {
        if (text[i] == '<') {
            if (depth++ == 0)
                start = i;
        } else if (depth > 0) {
            if (--depth == 0)
                collect(text.substr(start, i + 1 - start));
        }
    });
}

} // namespace quillex::verifier
