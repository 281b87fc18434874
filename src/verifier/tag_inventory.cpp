// The tag inventory and its presets.
#include "verifier/tag_inventory.h"

#include "verifier/tag_table.h"

#include <functional>

namespace quillex::verifier {
namespace {

struct Preset {
    std::string_view tag;
    int tagNumber;
    int category;
    bool external;
};

constexpr Preset kPresets[] = {
    {"<imk>", tagno::IndexMarker, category::Alert, true},
    {"<ie>", tagno::IndexEntry, category::Alert, true},
    {"<il>", tagno::IndexLevel, category::Alert, true},
    {"<ss>", tagno::SortString, category::Alert, true},
    {"</imk>", tagno::IndexMarkerEnd, category::Alert, true},
    {"<:lt>", tagno::SpecialCharacter, category::Warning, false},
    {"<:gt>", tagno::SpecialCharacter, category::Warning, false},
    {"<:hls>", tagno::SpecialCharacter, category::Warning, false},
    {"<:ts>", tagno::SpecialCharacter, category::Warning, false},
    {"<:fs>", tagno::SpecialCharacter, category::Warning, false},
    {"<:ens>", tagno::SpecialCharacter, category::Warning, false},
    {"<:ems>", tagno::SpecialCharacter, category::Warning, false},
    {"<:sh>", tagno::SpecialCharacter, category::Warning, false},
    {"<:lq>", tagno::SpecialCharacter, category::Warning, false},
    {"<:rq>", tagno::SpecialCharacter, category::Warning, false},
    {"<:ldq>", tagno::SpecialCharacter, category::Warning, false},
    {"<:rdq>", tagno::SpecialCharacter, category::Warning, false},
    {"<:glq>", tagno::SpecialCharacter, category::Warning, false},
    {"<:flq>", tagno::SpecialCharacter, category::Warning, false},
    {"<:frq>", tagno::SpecialCharacter, category::Warning, false},
    {"<:t>", tagno::Tab, category::Warning, false},
    {"<:t.>", tagno::Tab, category::Warning, false},
    {"<:t_>", tagno::Tab, category::Warning, false},
    {"<:t->", tagno::Tab, category::Warning, false},
    {"<:t-d>", tagno::Tab, category::Warning, false},
    {"<:hr>", tagno::Tab, category::Warning, false},
    {"<:hs>", tagno::Tab, category::Warning, false},
    {"<:b>", tagno::Bold, category::Formatting, false},
    {"<:/b>", tagno::BoldEnd, category::Formatting, false},
    {"<:i>", tagno::Italic, category::Formatting, false},
    {"<:/i>", tagno::ItalicEnd, category::Formatting, false},
    {"<:bi>", tagno::BoldItalic, category::Formatting, false},
    {"<:/bi>", tagno::BoldItalicEnd, category::Formatting, false},
    {"<:c>", tagno::WesternFont, category::Formatting, false},
    {"<:/c>", tagno::WesternFontEnd, category::Formatting, false},
    {"<:s>", tagno::SmallCaps, category::Formatting, false},
    {"<:/s>", tagno::SmallCapsEnd, category::Formatting, false},
};

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
    for (const Preset& preset : kPresets) {
        const InventoryEntry values{0, preset.external, preset.tagNumber, preset.category};
        const std::size_t hash = hashOf(preset.tag);
        const Slot& slot = slotFor(preset.tag, hash);
        if (slot.record != 0)
            records_[slot.record - 1].entry = values;
        else
            add(preset.tag, hash, values);
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
