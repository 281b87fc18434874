// The verifier's tag table and the prefix search over it.
#include "verifier/tag_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace quillex::verifier {
namespace {

// The rows of the QMX tag table that the verifier lists, in their search
// order. Search order matters only for the two catch-alls, which come last;
// no other prefix begins another.
std::vector<TagTableEntry> listedRows() {
    std::vector<TagTableEntry> entries;
    for (const qmx::TagRow& row : qmx::tagRows())
        if (row.rating != qmx::Rating::NotListed)
            entries.push_back({row.text, qmx::numberOf(row.tag), static_cast<int>(row.rating)});
    return entries;
}

const std::vector<TagTableEntry>& entries() {
    static const std::vector<TagTableEntry> listed = listedRows();
    return listed;
}

} // namespace

std::span<const TagTableEntry> tagTable() {
    return entries();
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
    TagIndex() : table_(entries()) {
        for (std::size_t i = 0; i < table_.size(); ++i) {
            const std::string_view prefix = table_[i].prefix;
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
                range = {long_[j].key, static_cast<std::uint16_t>(j), 0};
            range.end = static_cast<std::uint16_t>(j + 1);
        }
    }

    // The table position of the first entry, in table order, whose prefix
    // begins `tag`; the table size when there is none.
    std::size_t firstMatch(std::string_view tag) const {
        std::size_t best = table_.size();
        if (tag.size() >= 3) {
            const KeyRange& range = ranges_[slotOf(keyOf(tag))];
            for (std::size_t j = range.begin; j < range.end; ++j)
                if (beginsWith(tag, table_[long_[j].position].prefix)) {
                    best = long_[j].position;
                    break;
                }
        }
        for (std::size_t position : short_) {
            if (position >= best)
                break;
            if (beginsWith(tag, table_[position].prefix))
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
        std::uint16_t begin;
        std::uint16_t end;
    };
    static constexpr std::uint32_t kNoKey = 0xFFFFFFFF; // keys have 24 bits
    static constexpr std::size_t kRangeSlots = 256;

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

    const std::vector<TagTableEntry>& table_;
    std::vector<Keyed> long_;
    std::array<KeyRange, kRangeSlots> ranges_;
    std::vector<std::size_t> short_;
};

} // namespace

TagClass classifyTag(std::string_view tag) {
    static const TagIndex index;
    const std::vector<TagTableEntry>& table = entries();
    const std::size_t position = index.firstMatch(tag);
    if (position < table.size())
        return {table[position].number, table[position].category};
    return {tagno::UnlistedExternal, category::UnlistedExternal};
}

} // namespace quillex::verifier
