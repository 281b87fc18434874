// The line rule.
#include "qmx/line_joiner.h"

namespace quillex {
namespace {

bool isExternalTag(const std::string& item) {
    return item.starts_with("<") && !item.starts_with("<:");
}

} // namespace

std::vector<std::string> joinItemsIntoLines(const std::vector<std::string>& items) {
    std::vector<std::string> lines;
    const std::string* previous = nullptr;
    for (const std::string& item : items) {
        const bool prefixAfterStart =
            previous != nullptr && item.starts_with("<pn") && previous->starts_with("<ps");
        const bool startsLine = (isExternalTag(item) && !prefixAfterStart) || item == "<:hr>";
        if (startsLine || lines.empty())
            lines.push_back(item);
        else
            lines.back() += item;
        previous = &item;
    }
    return lines;
}

} // namespace quillex
