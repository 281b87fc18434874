// formatText: printf-style formatting into a std::string.
//
// The one formatter of user-visible texts: the string table's messages and
// the verification report's lines both go through it. Formats are always
// texts of the program, never input; arguments are numbers or C strings.
#pragma once

#include <cstdio>
#include <string>
#include <type_traits>

namespace quillex {

template <typename... Args> std::string formatText(const char* format, Args... args) {
    static_assert(((std::is_arithmetic_v<Args> || std::is_same_v<Args, const char*>)&&...),
                  "format arguments must be numbers or C strings");
    if constexpr (sizeof...(Args) == 0) {
        return format;
    } else {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
        const int size = std::snprintf(nullptr, 0, format, args...);
        if (size <= 0)
            return {};
        std::string text(static_cast<std::size_t>(size) + 1, '\0');
        std::snprintf(text.data(), text.size(), format, args...);
#pragma GCC diagnostic pop
        text.resize(static_cast<std::size_t>(size));
        return text;
    }
}

} // namespace quillex
