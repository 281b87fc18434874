// Balancing font changes.
#include "forward/font_balancing.h"

#include "qmx/line_joiner.h"

namespace quillex {
namespace {

constexpr std::string_view kFontEnd = "<:/fc>";

bool isFontChange(std::string_view item) {
    return item.starts_with("<:fc ");
}

bool isSubcomponentEnd(std::string_view item) {
    return item == "<:/cs>" || item == "<:/sc>" || item == "<:/cns>";
}

bool endsFont(std::string_view item) {
    return isFontChange(item) || isSubcomponentEnd(item) || isExternalTag(item);
}

} // namespace

ItemList balanceFonts(const ItemList& items) {
    ItemList out;
    out.reserve(items.size() + items.size() / 8);
    bool fontOpen = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view item = items[i];
        if (!item.starts_with('<')) { // text neither ends nor opens a font
            out.push_back(item);
            continue;
        }
        if (fontOpen && endsFont(item)) {
            out.push_back(kFontEnd);
            fontOpen = false;
        }
        if (item == kFontEnd) {
            if (fontOpen)
                out.push_back(item);
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
        out.push_back(item);
    }
    return out;
}

} // namespace quillex
