// The string table: every numbered user-visible text of the program.
//
// Messages are fetched by name (MessageId); the texts themselves live in
// resources/string_table.inc and are compiled into the program.
#pragma once

#include "foundation/format_text.h"
#include "foundation/message_id.h"

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
    // The table's texts are string literals, so each view ends with a NUL.
    return formatText(loadString(id).data(), args...);
}

} // namespace quillex
