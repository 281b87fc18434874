// Conversion of Interleaf character code tags ("<#" hex digits ">") into QMX
// text.
//
// Body text writes the quote characters as quote tags when smart quotes are
// on, so that the quote conversion can pair them; frame and cell text always
// goes through the character table. In Japanese-source mode double-byte codes
// become Shift-JIS bytes and no single byte above 127 is written for a code,
// so that no such byte can be read as part of a double-byte character.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillex {

// Where the code stands.
enum class CodeContext {
    Body,        // body text: quote tags with smart quotes on
    FrameOrCell, // text of frames and cells, and other joined texts
};

// The QMX text for the Interleaf character code `value`.
std::string convertCharacterCode(std::uint32_t value, CodeContext context, bool smartQuotes,
                                 bool japaneseSource);

// The value of a character code tag that begins `text` ("<#" followed by 1 to
// 8 hexadecimal digits and ">", after leading zeros), and the tag's length.
struct CharacterCodeTag {
    std::uint32_t value;
    std::size_t length;
};
std::optional<CharacterCodeTag> parseCharacterCodeTag(std::string_view text);

// `text` with every character code tag in it converted; everything else,
// other tags included, is copied unchanged.
std::string convertCharacterCodes(std::string_view text, CodeContext context, bool smartQuotes,
                                  bool japaneseSource);

} // namespace quillex
