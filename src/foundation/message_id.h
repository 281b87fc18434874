// MessageId: the names of the numbered user-visible texts.
//
// Generated from resources/string_table.inc, which gives every text a name
// and a number. Messages are fetched by name, so a number that the table
// lacks cannot be asked for: it has no name and does not compile. The
// numbers stay what they are in the table; users and tests may quote them.
#pragma once

namespace quillex {

enum class MessageId : int {
    None = 0, // no message: an empty slot in a table of messages
#define QUILLEX_STRING(name, number, text) name = number,
#include "string_table.inc"
#undef QUILLEX_STRING
};

// The number of a message, as the table lists it.
constexpr int messageNumber(MessageId id) {
    return static_cast<int>(id);
}

} // namespace quillex
