// The tag inventory: every distinct tag text of a file pair with its count.
//
// The source file counts its tags up, the translation counts them down; what
// is left over after both shows which tags were deleted or added. The
// inventory is preset with the tags a translator may always use.
#pragma once

#include <map>
#include <string>
#include <string_view>

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
    // Adds the tags a translator may always use, each with count 0: the index
    // marker tags, the special characters and tabs, and character formatting.
    void preset();

    // The entry for exactly `tag`, or null.
    InventoryEntry* find(std::string_view tag);

    // Counts one more `tag`; a new entry gets count 1 and the given values.
    // Returns the entry.
    InventoryEntry& countUp(std::string_view tag, bool external, int tagNumber, int category);

    // Entries in ascending order of tag text.
    const std::map<std::string, InventoryEntry, std::less<>>& entries() const { return entries_; }

  private:
    std::map<std::string, InventoryEntry, std::less<>> entries_;
};

} // namespace quillex::verifier
