// What a text written in text mode looks like on disk.
#pragma once

#include <string>
#include <string_view>

namespace quillex::testing {

// `text` with every LF written as CR LF.
inline std::string withCrLf(std::string_view text) {
    std::string out;
    for (const char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

} // namespace quillex::testing
