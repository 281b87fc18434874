// Item lists written as strings in tests: items as strings of their own, and
// strings as items that view them (valid while the strings are).
#pragma once

#include "forward/item_list.h"

#include <string>
#include <vector>

namespace quillex::testing {

inline std::vector<std::string> strings(const ItemList& items) {
    return {items.begin(), items.end()};
}

inline ItemList views(const std::vector<std::string>& items) {
    return {items.begin(), items.end()};
}

} // namespace quillex::testing
