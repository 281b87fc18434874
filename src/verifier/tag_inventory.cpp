// The tag inventory and its presets.
#include "verifier/tag_inventory.h"

#include "verifier/tag_table.h"

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

} // namespace

void TagInventory::preset() {
    for (const Preset& preset : kPresets) {
        InventoryEntry& entry = entries_[std::string(preset.tag)];
        entry.count = 0;
        entry.external = preset.external;
        entry.tagNumber = preset.tagNumber;
        entry.category = preset.category;
    }
}

InventoryEntry* TagInventory::find(std::string_view tag) {
    const auto it = entries_.find(tag);
    return it == entries_.end() ? nullptr : &it->second;
}

InventoryEntry& TagInventory::countUp(std::string_view tag, bool external, int tagNumber,
                                      int category) {
    auto it = entries_.find(tag);
    if (it != entries_.end()) {
        ++it->second.count;
        return it->second;
    }
    InventoryEntry& entry = entries_[std::string(tag)];
    entry = {1, external, tagNumber, category};
    return entry;
}

} // namespace quillex::verifier
