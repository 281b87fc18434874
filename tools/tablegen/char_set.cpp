// CharSet: sorted disjoint code ranges.
#include "char_set.h"

#include <algorithm>

namespace quillex::tablegen {

CharSet CharSet::range(std::uint32_t lo, std::uint32_t hi) {
    CharSet set;
    set.add(lo, hi);
    return set;
}

void CharSet::add(std::uint32_t lo, std::uint32_t hi) {
    if (lo > hi)
        std::swap(lo, hi);
    ranges_.push_back({lo, hi});
    normalize();
}

void CharSet::add(const CharSet& other) {
    ranges_.insert(ranges_.end(), other.ranges_.begin(), other.ranges_.end());
    normalize();
}

// Sorts the ranges and merges those that overlap or touch.
void CharSet::normalize() {
    std::sort(ranges_.begin(), ranges_.end(),
              [](const CodeRange& a, const CodeRange& b) { return a.lo < b.lo; });
    std::vector<CodeRange> merged;
    for (const CodeRange& r : ranges_) {
        if (!merged.empty() && (merged.back().hi == 0xFFFFFFFFu || r.lo <= merged.back().hi + 1)) {
            merged.back().hi = std::max(merged.back().hi, r.hi);
        } else {
            merged.push_back(r);
        }
    }
    ranges_ = std::move(merged);
}

CharSet CharSet::complement() const {
    CharSet result;
    std::uint32_t next = 0;
    for (const CodeRange& r : ranges_) {
        if (r.lo > kMaxCharacter)
            break;
        if (r.lo > next)
            result.ranges_.push_back({next, r.lo - 1});
        next = r.hi + 1;
        if (r.hi >= kMaxCharacter) {
            next = kMaxCharacter + 1;
            break;
        }
    }
    if (next <= kMaxCharacter)
        result.ranges_.push_back({next, kMaxCharacter});
    return result;
}

bool CharSet::contains(std::uint32_t code) const {
    for (const CodeRange& r : ranges_) {
        if (code < r.lo)
            return false;
        if (code <= r.hi)
            return true;
    }
    return false;
}

} // namespace quillex::tablegen
