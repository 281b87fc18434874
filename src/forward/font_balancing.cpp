// Balancing font changes.
#include "forward/font_balancing.h"

#include "qmx/line_joiner.h"
#include "qmx/qmx_tags.h"

namespace quillex {
namespace {

constexpr std::string_view kFontEnd = "<:/fc>";

bool isFontChange(std::string_view item) {
    return qmx::begins(item, qmx::Tag::FontChange);
}

bool isSubcomponentEnd(std::string_view item) {
    return item == "<:/cs>" || item == "<:/sc>" || item == "<:/cns>";
}

bool endsFont(std::string_view item) {
    return isFontChange(item) || isSubcomponentEnd(item) || isExternalTag(item);
}

// Calls `emit` with each item of the balanced list, in order.
template <class Emit> void walkBalanced(const ItemList& items, Emit emit) {
    bool fontOpen = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view item = items[i];
        if (!item.starts_with('<')) { // text neither ends nor opens a font
            emit(item);
            continue;
        }
        if (fontOpen && endsFont(item)) {
            emit(kFontEnd);
            fontOpen = false;
        }
        if (item == kFontEnd) {
            if (fontOpen)
                emit(item);
            fontOpen = false;
            continue;
        }
        if (isFontChange(item)) {
            const std::string_view* next = i + 1 < items.size() ? &items[i + 1] : nullptr;
            if (next != nullptr && *next == kFontEnd) {
                ++i;
                continue;
            }
            if (next == nullptr || isSubcomponentEnd(*next) || isExternalTag(*next) ||
                isFontChange(*next))
                continue;
            fontOpen = true;
        }
        emit(item);
    }
}

} // namespace

// The list is walked twice, to count and then to fill it at its exact size:
// the items are the largest structure of the conversion, and while the new
// list is made the old one is held too.
ItemList balanceFonts(const ItemList& items) {
    std::size_t size = 0;
    walkBalanced(items, [&](std::string_view) { ++size; });
    ItemList out;
    out.reserve(size);
    walkBalanced(items, [&](std::string_view item) { out.push_back(item); });
    return out;
}

} // namespace quillex
