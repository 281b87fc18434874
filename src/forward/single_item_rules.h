// The single-item rules: how Interleaf items become QMX text when a run of
// them is joined into one text (the argument of <r>, <v> and <pn> tags, the
// text of a read-only table row), shown to the translator but not
// translated.
#pragma once

#include "forward/attribute_text.h"

#include <span>
#include <string>
#include <string_view>

namespace quillex {

// Where plain text items come from: body text (converted as ESC runs) or
// diagram strings (unescaped first, then character-converted).
enum class ItemSource { Body, Diagram };

// Appends the QMX text of `item` to `text`. Tags that carry no visible text
// (component starts, font changes, ...) add nothing.
void appendSingleItem(std::string& text, std::string_view item, ItemSource source,
                      const CharacterSettings& settings);

// The items joined into one text by the rules above.
std::string joinSingleItems(std::span<const std::string> items, ItemSource source,
                            const CharacterSettings& settings);
std::string joinSingleItems(std::span<const std::string_view> items, ItemSource source,
                            const CharacterSettings& settings);

} // namespace quillex
