// The table of length limits by the external tag that starts the line.
#include "xliff/length_limits.h"

#include <array>

namespace quillex::xliff {
namespace {

struct LengthLimit {
    std::string_view tagStart;
    int limit;
};

constexpr std::array<LengthLimit, 7> kLimits = {{
    {"<xrv \"", 20},
    {"<bb \"Prefix", 15},
    {"<bb \"Level", 9},
    {"<ie>", 250},
    {"<il>", 250},
    {"<ss>", 250},
    {"<sa>", 250},
}};

} // namespace

std::optional<int> lengthLimitOf(std::string_view prefix) {
    for (const LengthLimit& entry : kLimits)
        if (prefix.starts_with(entry.tagStart))
            return entry.limit;
    return std::nullopt;
}

} // namespace quillex::xliff
