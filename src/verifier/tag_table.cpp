// The verifier's tag table and the prefix search over it.
#include "verifier/tag_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace quillex::verifier {
namespace {

using namespace category;

// Search order matters only for the two catch-alls, which must come last;
// no other prefix begins another.
constexpr std::array<TagTableEntry, 118> kTagTable{{
    // Character formatting: added or deleted freely.
    {"<:b>", 78, Formatting},
    {"<:/b>", 79, Formatting},
    {"<:i>", 80, Formatting},
    {"<:/i>", 81, Formatting},
    {"<:bi>", 82, Formatting},
    {"<:/bi>", 83, Formatting},
    {"<:c>", 84, Formatting},
    {"<:/c>", 85, Formatting},
    {"<:s>", 86, Formatting},
    {"<:/s>", 87, Formatting},
    // Reported as warnings.
    {"<ps \"", 0, Warning},
    {"<pn \"", 1, Warning},
    {"<:lt>", 75, Warning},
    {"<:gt>", 75, Warning},
    {"<:hls>", 75, Warning},
    {"<:ts>", 75, Warning},
    {"<:fs>", 75, Warning},
    {"<:ens>", 75, Warning},
    {"<:ems>", 75, Warning},
    {"<:sh>", 75, Warning},
    {"<:lq>", 75, Warning},
    {"<:rq>", 75, Warning},
    {"<:ldq>", 75, Warning},
    {"<:rdq>", 75, Warning},
    {"<:frq>", 75, Warning},
    {"<:flq>", 75, Warning},
    {"<:glq>", 75, Warning},
    {"<:t>", 76, Warning},
    {"<:t.>", 76, Warning},
    {"<:t_>", 76, Warning},
    {"<:t->", 76, Warning},
    {"<:t-d>", 76, Warning},
    {"<:hr>", 76, Warning},
    {"<:hs>", 76, Warning},
    {"<:fc ", 97, Warning},
    {"<:/fc>", 98, Warning},
    // Reported as alerts.
    {"<imk", 29, Alert},
    {"<ie>", 31, Alert},
    {"<il>", 32, Alert},
    {"<ss>", 33, Alert},
    {"<sa>", 34, Alert},
    {"</imk>", 30, Alert},
    {"<:r1", 77, Alert},
    {"<:r2", 77, Alert},
    {"<:r3", 77, Alert},
    {"<:r4", 77, Alert},
    {"<:r5", 77, Alert},
    {"<:r6", 77, Alert},
    {"<:r7", 77, Alert},
    {"<:r8", 77, Alert},
    {"<:r9", 77, Alert},
    {"<:cs \"", 93, Alert},
    {"<:/cs>", 94, Alert},
    {"<:sc \"", 95, Alert},
    {"<:/sc>", 96, Alert},
    {"<:imk ", 104, Alert},
    {"<:bb \"", 119, Alert},
    {"<:v \"", 100, Alert},
    {"<:xr ", 88, Alert},
    {"<:axr ", 89, Alert},
    {"<:an ", 90, Alert},
    {"<:r \"", 99, Alert},
    // Reported as errors.
    {"<qmx ", 35, Error},
    {"</qmx>", 36, Error},
    {"<page \"", 8, Error},
    {"</page>", 9, Error},
    {"<file \"", 72, Error},
    {"</file \"", 73, Error},
    {"<language \"", 11, Error},
    {"<quotes \"", 13, Error},
    {"<readonly \"", 14, Error},
    {"<xrv \"", 2, Error},
    {"</xrv>", 3, Error},
    {"<r \"", 54, Error},
    {"<v \"", 55, Error},
    {"<af ", 18, Error},
    {"</af>", 19, Error},
    {"<tr ", 4, Error},
    {"</tr>", 5, Error},
    {"<ts ", 6, Error},
    {"</ts>", 7, Error},
    {"<tl ", 15, Error},
    {"</tl>", 16, Error},
    {"<tn ", 17, Error},
    {"<fn ", 23, Error},
    {"</fn>", 24, Error},
    {"<tb ", 37, Error},
    {"</tb>", 38, Error},
    {"<row ", 47, Error},
    {"</row>", 48, Error},
    {"<hrow ", 49, Error},
    {"<rrow \"", 50, Error},
    {"<ct ", 51, Error},
    {"</ct>", 52, Error},
    {"<ctart ", 25, Error},
    {"</ctart>", 26, Error},
    {"<cnmk ", 53, Error},
    {"<bb \"", 61, Error},
    {"<saf \"", 20, Error},
    {"<anfmt \"", 62, Error},
    {"</anfmt>", 63, Error},
    {"<pgfmt \"", 64, Error},
    {"</pgfmt>", 65, Error},
    {"<vfmt \"", 67, Error},
    {"</vfmt>", 68, Error},
    {"<pnfmt \"", 69, Error},
    {"</pnfmt>", 70, Error},
    {"<:fn ", 102, Error},
    {"<:af ", 105, Error},
    {"<:crmk ", 110, Error},
    {"<:cnmk ", 109, Error},
    {"<:cns \"", 91, Error},
    {"<:/cns>", 92, Error},
    {"<:iaf ", 111, Error},
    {"<:saf ", 112, Error},
    {"<:pn \"", 101, Error},
    // Catch-alls.
    {"<:", 122, UnlistedInternal},
    {"<", 123, UnlistedExternal},
}};

} // namespace

std::span<const TagTableEntry> tagTable() {
    return kTagTable;
}

namespace {

// Whether `text` begins with `prefix`. Prefixes are a few bytes long, which a
// loop compares sooner than a call to memcmp.
bool beginsWith(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (text[i] != prefix[i])
            return false;
    return true;
}

// The table sorted for the search: entries whose prefix has three bytes or
// more, ordered by their first three bytes and then by table position, and
// the shorter ones in table position. A tag can only begin with entries of
// the first kind that share its first three bytes.
class TagIndex {
  public:
    TagIndex() {
        for (std::size_t i = 0; i < kTagTable.size(); ++i) {
            const std::string_view prefix = kTagTable[i].prefix;
            if (prefix.size() >= 3)
                long_.push_back({keyOf(prefix), i});
            else
                short_.push_back(i);
        }
        std::sort(long_.begin(), long_.end());
        ranges_.fill({kNoKey, 0, 0});
        for (std::size_t j = 0; j < long_.size(); ++j) {
            KeyRange& range = ranges_[slotOf(long_[j].key)];
            if (range.key != long_[j].key)
                range = {long_[j].key, static_cast<std::uint8_t>(j), 0};
            range.end = static_cast<std::uint8_t>(j + 1);
        }
    }

    // The table position of the first entry, in table order, whose prefix
    // begins `tag`; the table size when there is none.
    std::size_t firstMatch(std::string_view tag) const {
        std::size_t best = kTagTable.size();
        if (tag.size() >= 3) {
            const KeyRange& range = ranges_[slotOf(keyOf(tag))];
            for (std::size_t j = range.begin; j < range.end; ++j)
                if (beginsWith(tag, kTagTable[long_[j].position].prefix)) {
                    best = long_[j].position;
                    break;
                }
        }
        for (std::size_t position : short_) {
            if (position >= best)
                break;
            if (beginsWith(tag, kTagTable[position].prefix))
                return position;
        }
        return best;
    }

  private:
    struct Keyed {
        std::uint32_t key;
        std::size_t position;
        bool operator<(const Keyed& other) const {
            return key != other.key ? key < other.key : position < other.position;
        }
    };

    // Where the entries of one key lie in long_. Every tag is classified, so
    // the ranges are found through a small open-addressed table rather than
    // by a binary search: 256 slots for fewer than 116 keys.
    struct KeyRange {
        std::uint32_t key;
        std::uint8_t begin;
        std::uint8_t end;
    };
    static constexpr std::uint32_t kNoKey = 0xFFFFFFFF; // keys have 24 bits
    static constexpr std::size_t kRangeSlots = 256;
    static_assert(kTagTable.size() < kRangeSlots);

    // The slot holding `key`, or the empty slot where it would go (whose
    // range is empty).
    std::size_t slotOf(std::uint32_t key) const {
        std::size_t slot = (key * 0x9E3779B1u) >> 24;
        while (ranges_[slot].key != kNoKey && ranges_[slot].key != key)
            slot = (slot + 1) % kRangeSlots;
        return slot;
    }

    static std::uint32_t keyOf(std::string_view text) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
               static_cast<unsigned char>(text[2]);
    }

    std::vector<Keyed> long_;
    std::array<KeyRange, kRangeSlots> ranges_;
    std::vector<std::size_t> short_;
};

} // namespace

TagClass classifyTag(std::string_view tag) {
    static const TagIndex index;
    const std::size_t position = index.firstMatch(tag);
    if (position < kTagTable.size())
        return {kTagTable[position].number, kTagTable[position].category};
    return {tagno::UnlistedExternal, category::UnlistedExternal};
}

} // namespace quillex::verifier
