// The compiled-in string table, sorted by number for lookup.
#include "foundation/string_table.h"

#include <algorithm>
#include <iterator>

namespace quillex {
namespace {

struct StringEntry {
    int id;
    std::string_view text;
};

constexpr StringEntry kStrings[] = {
#define QUILLEX_STRING(name, number, text) {number, text},
#include "string_table.inc"
#undef QUILLEX_STRING
};

constexpr bool isSortedById() {
    for (std::size_t i = 1; i < std::size(kStrings); ++i)
        if (kStrings[i - 1].id >= kStrings[i].id)
            return false;
    return true;
}
static_assert(isSortedById(), "string_table.inc must list each number once, in ascending order");

const StringEntry* find(int id) {
    const auto* end = std::end(kStrings);
    const auto* it = std::lower_bound(std::begin(kStrings), end, id,
                                      [](const StringEntry& e, int key) { return e.id < key; });
    return it != end && it->id == id ? it : nullptr;
}

} // namespace

std::string_view loadString(MessageId id) {
    const StringEntry* entry = find(messageNumber(id));
    // An empty text that is still a C string, for formatString.
    return entry != nullptr ? entry->text : std::string_view("");
}

bool hasString(int number) {
    return find(number) != nullptr;
}

} // namespace quillex
