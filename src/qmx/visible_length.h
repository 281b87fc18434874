// Visible length of a QMX text: what the reader of the translated document
// will see, used by every length limit of the forward conversion.
#pragma once

#include <cstddef>
#include <string_view>

namespace quillex {

// Characters of `text` outside tags, each top-level tag counting as one (a tag
// runs from "<" to its matching ">"; tags may nest). A tag still open at the
// end counts as one; a ">" with no open tag counts as a character. In
// Japanese-source mode a double-byte character counts once: its lead byte is
// not counted.
std::size_t visibleLength(std::string_view text, bool japaneseSource);

} // namespace quillex
