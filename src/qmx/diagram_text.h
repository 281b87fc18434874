// Unescaping of diagram strings: the texts of text strings, chart labels and
// named objects inside frames, which Interleaf stores with backslash escapes.
#pragma once

#include <string>
#include <string_view>

namespace quillex {

// `text` with its escapes resolved, ready for character code conversion:
// "\\" gives a backslash, "\<" and "\>" the tags <:lt> and <:gt>, "\x" with
// two and "\X" with four hexadecimal digits a character code tag "<#...>".
// A backslash before any other character (also an "x" or "X" without its
// digits) gives that character. Tabs, line
// feeds and carriage returns are dropped, also after a backslash.
std::string unescapeDiagramText(std::string_view text);

} // namespace quillex
