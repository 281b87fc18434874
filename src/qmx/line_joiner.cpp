// The line rule.
#include "qmx/line_joiner.h"

namespace quillex {

std::vector<std::string> joinItemsIntoLines(std::vector<std::string> items) {
    std::vector<std::string> lines;
    bool previousIsStart = false; // the item before began "<ps"
    for (std::string& item : items) {
        const bool prefixAfterStart = previousIsStart && item.starts_with("<pn");
        const bool startsLine = (isExternalTag(item) && !prefixAfterStart) || item == "<:hr>";
        previousIsStart = item.starts_with("<ps");
        if (startsLine || lines.empty()) {
            lines.push_back(std::move(item));
        } else {
            lines.back() += item;
            std::string().swap(item);
        }
    }
    return lines;
}

} // namespace quillex
