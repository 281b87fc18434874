// SSLexMark: a position of the consumer that the scanner can return to (the
// end of the longest match found so far).
#pragma once

#include <cstdint>

namespace quillex {

struct SSLexMark {
    std::uint32_t index = 0;    // read index into the consumer's buffer
    std::uint32_t newlines = 0; // newlines read since the lexeme start
    std::uint32_t column = 0;   // column of the next character
};

} // namespace quillex
