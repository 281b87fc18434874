// Balancing font changes.
#include "forward/font_balancing.h"

#include "qmx/line_joiner.h"

namespace quillex {
namespace {

constexpr const char* kFontEnd = "<:/fc>";

bool isFontChange(const std::string& item) {
    return item.starts_with("<:fc ");
}

bool isSubcomponentEnd(const std::string& item) {
    return item == "<:/cs>" || item == "<:/sc>" || item == "<:/cns>";
}

bool endsFont(const std::string& item) {
    return isFontChange(item) || isSubcomponentEnd(item) || isExternalTag(item);
}

} // namespace

std::vector<std::string> balanceFonts(std::vector<std::string> items) {
    std::vector<std::string> out;
    out.reserve(items.size() + items.size() / 8);
    bool fontOpen = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string& item = items[i];
        if (fontOpen && endsFont(item)) {
            out.emplace_back(kFontEnd);
            fontOpen = false;
        }
        if (item == kFontEnd) {
            if (fontOpen)
                out.push_back(std::move(item));
            fontOpen = false;
            continue;
        }
        if (isFontChange(item)) {
            const std::string* next = i + 1 < items.size() ? &items[i + 1] : nullptr;
            if (next != nullptr && *next == kFontEnd) {
                ++i;
                continue;
            }
            if (next == nullptr || isSubcomponentEnd(*next) || isExternalTag(*next) ||
                isFontChange(*next))
                continue;
            fontOpen = true;
        }
        out.push_back(std::move(item));
    }
    return out;
}

} // namespace quillex
