// The line rule.
#include "qmx/line_joiner.h"

#include "qmx/quote_converter.h"

namespace quillex {

namespace {

// Whether `item` starts a new line, given whether the item before began "<ps".
bool startsLine(std::string_view item, bool previousIsStart) {
    const bool prefixAfterStart = previousIsStart && item.starts_with("<pn");
    return (isExternalTag(item) && !prefixAfterStart) || item == "<:hr>";
}

// Calls `take` with each line the items join into (a buffer it may change).
template <class Take> void joinLines(std::span<const std::string_view> items, Take take) {
    std::string line;
    bool previousIsStart = false; // the item before began "<ps"
    for (std::size_t i = 0; i < items.size();) {
        // One line: its first item and the items up to the next line start.
        std::size_t end = i + 1;
        previousIsStart = items[i].starts_with("<ps");
        while (end < items.size() && !startsLine(items[end], previousIsStart))
            previousIsStart = items[end++].starts_with("<ps");
        line.clear();
        for (; i < end; ++i)
            line += items[i];
        take(line);
    }
}

} // namespace

std::vector<std::string> joinItemsIntoLines(std::span<const std::string_view> items) {
    std::vector<std::string> lines;
    joinLines(items, [&](std::string& line) { lines.emplace_back(line); });
    return lines;
}

void joinItemsIntoLines(std::span<const std::string_view> items, bool pairQuotes, QmxLines& lines) {
    joinLines(items, [&](std::string& line) {
        if (pairQuotes)
            convertQuotesOf(line);
        lines.add(line);
    });
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
