// A diagnostic listing of how the Interleaf lexer and parser see a file: the
// lexeme stream (token name, line, offset, text) and the outcome of the parse,
// with the DEBUG messages when asked for. The command line's "tokens" command
// prints it.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace quillex {

// Writes the listing of `fileName` to `out`. With `debug` non-zero the lexer
// skips unexpected characters (up to its limit) and the DEBUG messages appear
// in the listing. Double-byte characters are those of `codePage`. Returns 0
// when the file parses, 4 when it cannot be read, 6 for a lexical or syntax
// error.
int writeInterleafDiagnostics(const std::string& fileName, std::ostream& out, int debug,
                              std::uint32_t codePage);

// One lexeme as listed: the token name padded to a column, "line:offset",
// and the text in double quotes with control bytes, backslash and double
// quote escaped (\n, \t, \r, \\, \", \xHH); other bytes are written as they
// are.
std::string describeLexeme(std::string_view tokenName, std::uint32_t line, std::uint32_t offset,
                           std::string_view text);

} // namespace quillex
