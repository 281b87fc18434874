// The tag inventory: every distinct tag text of a file pair with its count.
//
// The source file counts its tags up, the translation counts them down; what
// is left over after both shows which tags were deleted or added. The
// inventory is preset with the tags a translator may always use.
//
// A file has tens of thousands of distinct tags and every tag of both files
// is looked up, so the entries sit in one flat hash table: tag texts in one
// block of characters, entries in a list, and an open-addressed index over
// them that a lookup usually settles in one probe. The reports, which list
// entries in order of tag text, sort the few they list.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillex::verifier {

struct InventoryEntry {
    int count = 0;
    // Set for external tags (the external presets included); the two
    // inventory reports split on it.
    bool external = false;
    int tagNumber = 0;
    int category = 0;
};

class TagInventory {
  public:
    TagInventory();

    // Adds the tags a translator may always use, each with count 0: the index
    // marker tags, the special characters and tabs, and character formatting.
    void preset();

    // The entry for exactly `tag`, or null. The pointer holds until the next
    // tag is added.
    InventoryEntry* find(std::string_view tag);

    // Counts one more `tag`; a new entry gets count 1 and the given values.
    // Returns the entry.
    InventoryEntry& countUp(std::string_view tag, bool external, int tagNumber, int category);

    using Listed = std::pair<std::string_view, const InventoryEntry*>;

    // The entries that `keep(entry)` accepts, in ascending order of tag text
    // (compared byte by byte).
    template <typename Keep> std::vector<Listed> entriesInOrder(Keep&& keep) const {
        std::vector<Listed> listed;
        for (const Record& record : records_)
            if (keep(record.entry))
                listed.emplace_back(tagOf(record), &record.entry);
        std::sort(listed.begin(), listed.end(),
                  [](const Listed& a, const Listed& b) { return a.first < b.first; });
        return listed;
    }

  private:
    struct Record {
        std::size_t textStart; // the tag text's place in texts_
        std::size_t textLength;
        InventoryEntry entry;
    };

    // A slot of the index: 0 when empty, else the record's position plus 1
    // (32 bits are plenty: each record holds a distinct tag text of the
    // files). Part of the hash is kept beside it so that most mismatches are
    // told apart without touching the record.
    struct Slot {
        std::uint32_t record = 0;
        std::uint32_t hashBits = 0;
    };

    std::string_view tagOf(const Record& record) const {
        return std::string_view(texts_).substr(record.textStart, record.textLength);
    }
    // The slot holding `tag`, or the empty slot where it would go.
    Slot& slotFor(std::string_view tag, std::size_t hash);
    InventoryEntry& add(std::string_view tag, std::size_t hash, const InventoryEntry& entry);
    void grow();

    std::string texts_;
    std::vector<Record> records_;
    std::vector<Slot> slots_; // a power of two in size, never more than half full
};

} // namespace quillex::verifier
