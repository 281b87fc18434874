// The tag inventory and its presets.
#include "verifier/tag_inventory.h"

#include "qmx/qmx_tags.h"

#include <string>

#include <functional>

namespace quillex::verifier {
namespace {

constexpr std::size_t kInitialSlots = 1024;

std::size_t hashOf(std::string_view tag) {
    return std::hash<std::string_view>{}(tag);
}

// The part of the hash kept in a slot: the bits the slot position does not
// already stand for.
std::uint32_t hashBitsOf(std::size_t hash) {
    return static_cast<std::uint32_t>(hash >> 32);
}

} // namespace

TagInventory::TagInventory() : slots_(kInitialSlots) {}

void TagInventory::preset() {
    for (const qmx::TagRow& row : qmx::tagRows()) {
        if ((row.traits & qmx::MayAdd) == 0)
            continue;
        // The tag itself: a row of a tag with arguments ("<imk") presets the
        // tag without them ("<imk>").
        const std::string tag =
            qmx::isWhole(row.text) ? std::string(row.text) : std::string(row.text) + ">";
        const InventoryEntry values{0, !qmx::isInternal(tag), qmx::numberOf(row.tag),
                                    static_cast<int>(row.rating)};
        const std::size_t hash = hashOf(tag);
        const Slot& slot = slotFor(tag, hash);
        if (slot.record != 0)
            records_[slot.record - 1].entry = values;
        else
            add(tag, hash, values);
    }
}

InventoryEntry* TagInventory::find(std::string_view tag) {
    const Slot& slot = slotFor(tag, hashOf(tag));
    return slot.record == 0 ? nullptr : &records_[slot.record - 1].entry;
}

InventoryEntry& TagInventory::countUp(std::string_view tag, bool external, int tagNumber,
                                      int category) {
    const std::size_t hash = hashOf(tag);
    const Slot& slot = slotFor(tag, hash);
    if (slot.record != 0) {
        InventoryEntry& entry = records_[slot.record - 1].entry;
        ++entry.count;
        return entry;
    }
    return add(tag, hash, {1, external, tagNumber, category});
}

// Linear probing from the slot the hash picks.
TagInventory::Slot& TagInventory::slotFor(std::string_view tag, std::size_t hash) {
    const std::size_t mask = slots_.size() - 1;
    const std::uint32_t bits = hashBitsOf(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.record == 0 || (slot.hashBits == bits && tagOf(records_[slot.record - 1]) == tag))
            return slot;
    }
}

InventoryEntry& TagInventory::add(std::string_view tag, std::size_t hash,
                                  const InventoryEntry& entry) {
    if (2 * (records_.size() + 1) > slots_.size())
        grow();
    Slot& slot = slotFor(tag, hash);
    records_.push_back({texts_.size(), tag.size(), entry});
    texts_.append(tag);
    slot = {static_cast<std::uint32_t>(records_.size()), hashBitsOf(hash)};
    return records_.back().entry;
}

// Doubles the index and places every record again.
void TagInventory::grow() {
    std::vector<Slot> larger(slots_.size() * 2);
    const std::size_t mask = larger.size() - 1;
    for (std::size_t r = 0; r < records_.size(); ++r) {
        const std::size_t hash = hashOf(tagOf(records_[r]));
        std::size_t i = hash & mask;
        while (larger[i].record != 0)
            i = (i + 1) & mask;
        larger[i] = {static_cast<std::uint32_t>(r + 1), hashBitsOf(hash)};
    }
    slots_ = std::move(larger);
}

} // namespace quillex::verifier
