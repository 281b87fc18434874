// QMX text for the value of an Interleaf attribute that the conversion shows
// to the translator or carries in a tag argument (page labels, autonumber and
// cross-reference values, names).
#pragma once

#include <string>
#include <string_view>

namespace quillex {

// How character codes come out in converted text.
struct CharacterSettings {
    bool smartQuotes = true;     // straight quotes become <:ldq>-style tags
    bool japaneseSource = false; // Japanese-source (Shift-JIS) mode
};

// `value` without its surrounding double quotes, a doubled quote read as one,
// converted as Interleaf text: "<<" and any "<" that opens no tag give
// <:lt>, ">" outside a tag gives <:gt>, ESC toggles literal mode, and
// character codes are converted (with quote tags when `withQuoteTags` and
// smart quotes are on, else through the character table).
std::string convertAttributeText(std::string_view value, const CharacterSettings& settings,
                                 bool withQuoteTags = false);

// The same for a text already taken out of its quotes (a name or label read
// with firstQuotedValue).
std::string convertAttributeContent(std::string_view text, const CharacterSettings& settings,
                                    bool withQuoteTags = false);

} // namespace quillex
