// Line and column after a run of text.
#include "parser/text_position.h"

#include <cstring>

namespace quillex {

void advancePosition(std::string_view text, std::uint32_t& line, std::uint32_t& column) {
    // The lexer reads text mode, so a CR LF pair has already become one LF;
    // a pair that is still there counts once all the same. Line ends are
    // found with memchr: most texts hold none.
    std::size_t start = 0;
    while (start < text.size()) {
        const void* found = std::memchr(text.data() + start, '\n', text.size() - start);
        if (found == nullptr) {
            column += static_cast<std::uint32_t>(text.size() - start);
            return;
        }
        const std::size_t lf =
            static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        ++line;
        column = 1;
        start = lf + 1;
    }
}

} // namespace quillex
