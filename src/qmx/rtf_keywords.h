// The control words and symbols that the RTF reader acts on.
//
// Every other control word is ignored. Names are matched exactly and
// case-sensitively.
#pragma once

#include <span>
#include <string_view>

namespace quillex {

enum class RtfKeywordKind {
    Character,   // inserts the character `index`
    Destination, // the rest of the group is skipped
    Property,    // sets the property `index`
    Special,     // the special action `index`
};

// `index` of a Character keyword: a byte value, or this for a line end.
inline constexpr int kRtfLineEnd = 256;

// `index` of a Property keyword.
enum RtfProperty : int { kRtfHidden = 0, kRtfPlain = 1 };

// `index` of a Special keyword.
enum RtfSpecial : int { kRtfBinary = 0, kRtfSkipIfUnlisted = 1, kRtfHexByte = 2 };

struct RtfKeyword {
    std::string_view name;
    RtfKeywordKind kind;
    int defaultValue;  // property value when the word has no parameter
    bool forceDefault; // use the default even when a parameter is given
    int index;
};

// The reader's table (53 entries).
std::span<const RtfKeyword> rtfKeywords();

// The entry named `name` in `table`, or nullptr.
const RtfKeyword* findRtfKeyword(std::span<const RtfKeyword> table, std::string_view name);

} // namespace quillex
