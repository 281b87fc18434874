// Line and column after a run of text, counted as the lexer counts them.
//
// The lexer gives each lexeme the line and column of its start; the end of a
// symbol's text follows from the text alone: every line feed starts a new
// line at column 1, and every other byte takes one column (a double-byte
// character two). The parser's symbol spans and the conversion's piece spans
// both count with this one function.
#pragma once

#include <cstdint>
#include <string_view>

namespace quillex {

// Moves `line` and `column` from the start of `text` to just past its end.
void advancePosition(std::string_view text, std::uint32_t& line, std::uint32_t& column);

} // namespace quillex
