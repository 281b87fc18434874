// The string table: every numbered user-visible text of the program.
//
// Messages are fetched by name (MessageId); the texts themselves live in
// resources/string_table.inc and are compiled into the program.
#pragma once

#include "foundation/message_id.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace quillex {

// The text of string `id`; empty for MessageId::None.
std::string_view loadString(MessageId id);

// True when the table holds string `number`: for checks of numbers that come
// from outside the program.
bool hasString(int number);

// The text of string `id` formatted printf-style with `args` (pass C strings
// for %s). The format comes from the compiled-in table, never from input.
template <typename... Args> std::string formatString(MessageId id, Args... args) {
    const std::string format(loadString(id));
    if constexpr (sizeof...(Args) == 0) {
        return format;
    } else {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
        const int size = std::snprintf(nullptr, 0, format.c_str(), args...);
        if (size <= 0)
            return format;
        std::string text(static_cast<std::size_t>(size) + 1, '\0');
        std::snprintf(text.data(), text.size(), format.c_str(), args...);
#pragma GCC diagnostic pop
        text.resize(static_cast<std::size_t>(size));
        return text;
    }
}

} // namespace quillex
