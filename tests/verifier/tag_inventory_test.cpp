// The tag inventory against an ordered map of the same counts.
#include "verifier/tag_inventory.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

using namespace quillex::verifier;

namespace {

struct ModelEntry {
    int count = 0;
    bool external = false;
    int tagNumber = 0;
};

} // namespace

TEST(TagInventory, CountsAndListsInTextOrderAsAnOrderedMapDoes) {
    std::mt19937 random(5);
    TagInventory inventory;
    std::map<std::string, ModelEntry> model;
    // Enough distinct texts to make the table grow several times; bytes
    // above 0x7F must sort after ASCII, as unsigned bytes do.
    const std::string alphabet = "<:>ab\xE9";
    for (int step = 0; step < 20000; ++step) {
        std::string tag(1 + random() % 6, ' ');
        for (char& c : tag)
            c = alphabet[random() % alphabet.size()];
        const bool external = random() % 2 == 0;
        const int number = static_cast<int>(random() % 120);
        if (random() % 3 == 0) {
            InventoryEntry* found = inventory.find(tag);
            const auto it = model.find(tag);
            ASSERT_EQ(found != nullptr, it != model.end()) << tag;
            if (found != nullptr) {
                --found->count;
                --it->second.count;
            }
            continue;
        }
        const InventoryEntry& entry = inventory.countUp(tag, external, number, 0);
        auto [it, added] = model.try_emplace(tag, ModelEntry{0, external, number});
        ++it->second.count;
        EXPECT_EQ(entry.count, it->second.count);
        EXPECT_EQ(entry.external, it->second.external);
        EXPECT_EQ(entry.tagNumber, it->second.tagNumber);
    }
    const auto listed = inventory.entriesInOrder([](const InventoryEntry&) { return true; });
    ASSERT_EQ(listed.size(), model.size());
    auto it = model.begin();
    for (const auto& [tag, entry] : listed) {
        EXPECT_EQ(tag, it->first);
        EXPECT_EQ(entry->count, it->second.count);
        ++it;
    }
}

TEST(TagInventory, PresetsResetTheCountOfTagsAlreadyCounted) {
    TagInventory inventory;
    inventory.countUp("<:lt>", true, 1, 3);
    inventory.countUp("<:lt>", true, 1, 3);
    inventory.preset();
    const InventoryEntry* entry = inventory.find("<:lt>");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->count, 0);
    EXPECT_FALSE(entry->external);
    EXPECT_EQ(entry->tagNumber, 75);
    // Only the entries asked for are listed.
    const auto external = inventory.entriesInOrder(
        [](const InventoryEntry& candidate) { return candidate.external; });
    ASSERT_EQ(external.size(), 5u);
    EXPECT_EQ(external.front().first, "</imk>");
    EXPECT_EQ(external.back().first, "<ss>");
}
