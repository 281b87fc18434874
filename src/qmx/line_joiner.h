// The line rule of QMX files: body items (external tags, internal tags and
// runs of text) are joined into lines.
//
// An external tag (beginning "<" but not "<:") starts a new line, except an
// item beginning "<pn" right after an item beginning "<ps", which stays on
// that line; the item "<:hr>" also starts a new line; everything else is
// appended to the current line.
#pragma once

#include "qmx/qmx_lines.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

// An external tag: an item beginning "<" but not "<:". It starts a line.
inline bool isExternalTag(std::string_view item) {
    return item.starts_with('<') && !item.starts_with("<:");
}

// Takes the items by value: each item's text moves into its line, and the
// memory of an item appended to a line is given back at once, so a large
// body is not held twice.
std::vector<std::string> joinItemsIntoLines(std::vector<std::string> items);
// The same for items that view their texts: each line is sized once.
std::vector<std::string> joinItemsIntoLines(std::span<const std::string_view> items);
// The same into `lines`, with the quotes of each line paired (convertQuotes)
// when `pairQuotes`.
void joinItemsIntoLines(std::span<const std::string_view> items, bool pairQuotes, QmxLines& lines);

} // namespace quillex
