// The line rule.
#include "qmx/line_joiner.h"

namespace quillex {

namespace {

// Whether `item` starts a new line, given whether the item before began "<ps".
bool startsLine(std::string_view item, bool previousIsStart) {
    const bool prefixAfterStart = previousIsStart && item.starts_with("<pn");
    return (isExternalTag(item) && !prefixAfterStart) || item == "<:hr>";
}

} // namespace

std::vector<std::string> joinItemsIntoLines(std::span<const std::string_view> items) {
    std::vector<std::string> lines;
    bool previousIsStart = false; // the item before began "<ps"
    for (std::size_t i = 0; i < items.size();) {
        // One line: its first item and the items up to the next line start.
        std::size_t end = i + 1;
        std::size_t size = items[i].size();
        previousIsStart = items[i].starts_with("<ps");
        for (; end < items.size() && !startsLine(items[end], previousIsStart); ++end) {
            size += items[end].size();
            previousIsStart = items[end].starts_with("<ps");
        }
        std::string& line = lines.emplace_back();
        line.reserve(size);
        for (; i < end; ++i)
            line += items[i];
    }
    return lines;
}

std::vector<std::string> joinItemsIntoLines(std::vector<std::string> items) {
    std::vector<std::string> lines;
    bool previousIsStart = false; // the item before began "<ps"
    for (std::string& item : items) {
        const bool starts = startsLine(item, previousIsStart);
        previousIsStart = item.starts_with("<ps");
        if (starts || lines.empty()) {
            lines.push_back(std::move(item));
        } else {
            lines.back() += item;
            std::string().swap(item);
        }
    }
    return lines;
}

} // namespace quillex
