// Translated text written back as Interleaf text: running text (a run of
// plain text and a line for each character that needs markup), the text of
// diagram strings (backslash escapes instead of markup), the text strings and
// chart labels of frames, and the text that goes into declaration values.
#pragma once

#include "backward/backward_context.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex::backward {

// The Interleaf lines of a translated text line, in order: runs of plain
// text, and each character with markup ("<#e9>", "<Tab>") as a line of its
// own. With `valueText` (the text of an attribute value or a variable suffix)
// tab characters are dropped and running-text markup ("<SP>") has no place.
// For a Japanese target the text passes as it is (double-byte characters
// unchanged), tabs become "<Tab>" lines and other control characters are
// dropped. Throws a ConversionFailure for a character without an Interleaf
// form here.
std::vector<std::string> convertText(std::string_view line, const BackwardContext& context,
                                     bool valueText = false);

// The Interleaf lines of a translated text line of a diagram string: blanks,
// parentheses, commas and backslashes escaped with a backslash, characters
// with a code written as "\x" or "\X" escapes. For a Japanese target,
// double-byte characters become "\X" escapes of their Interleaf codes.
// Throws a ConversionFailure for a character without an Interleaf form here.
std::vector<std::string> convertStringText(std::string_view line, const BackwardContext& context);

// The number of lines of the translated block that `lines` begins with,
// from its opening line (the first) to the first `closingLine` after it,
// both included. Throws an unexpected-end ConversionFailure when the lines
// end first.
std::size_t blockLength(std::span<const std::string> lines, std::string_view closingLine);

// The Interleaf lines of a filed text string or chart label block: `block`
// begins with the block's opening line (<ts %d>, <tl %d>) and runs at least
// to `closingLine`; the opening and closing lines give none. Throws an unexpected-end
// ConversionFailure when the closing line is missing, a parser-error one for an internal tag that
// does not stand for a character code.
std::vector<std::string> convertTextString(std::span<const std::string> block,
                                           std::string_view closingLine,
                                           const BackwardContext& context);

} // namespace quillex::backward
