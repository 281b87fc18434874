// Conversion of Interleaf character code tags into QMX text.
#include "qmx/character_code.h"
#include "foundation/hex_digit.h"

#include "qmx/character_table.h"
#include "qmx/shift_jis.h"

namespace quillex {
namespace {

// Codes of the page number and file name fields.
constexpr std::uint32_t kPageNumberField = 0x80a0;
constexpr std::uint32_t kFileNameField = 0x80a1;

// The range of codes that Japanese-source mode writes as Shift-JIS.
constexpr std::uint32_t kFirstJapaneseCode = 545;  // row 2, cell 33
constexpr std::uint32_t kLastJapaneseCode = 12286; // row 47, cell 254

// Significant hex digits that still fit the 32-bit value.
constexpr std::size_t kMaxSignificantDigits = 8;

std::optional<std::string> quoteTag(std::uint32_t value) {
    switch (value) {
    case 127:
        return "<:ldq>";
    case 171:
        return "<:flq>";
    case 187:
        return "<:frq>";
    case 280:
        return "<:glq>";
    default:
        return std::nullopt;
    }
}

} // namespace

std::string convertCharacterCode(std::uint32_t value, CodeContext context, bool smartQuotes,
                                 bool japaneseSource) {
    if (value == kPageNumberField)
        return "<:bb \"Pagenumber\">";
    if (value == kFileNameField)
        return "<:bb \"Filename\">";

    if (value >= static_cast<std::uint32_t>(kCharacterCodeCount)) {
        if (japaneseSource && value >= kFirstJapaneseCode && value <= kLastJapaneseCode) {
            if (std::optional<std::string> bytes = shiftJisForm(value))
                return *std::move(bytes);
        }
        return genericCharacterTag(value);
    }

    if (context == CodeContext::Body && smartQuotes) {
        if (std::optional<std::string> tag = quoteTag(value))
            return *std::move(tag);
    }

    const std::string_view entry = characterTableEntry(static_cast<int>(value));
    if (japaneseSource && entry.size() == 1)
        return genericCharacterTag(value);
    return std::string(entry);
}

std::optional<CharacterCodeTag> parseCharacterCodeTag(std::string_view text) {
    if (text.size() < 4 || text[0] != '<' || text[1] != '#')
        return std::nullopt;
    std::uint32_t value = 0;
    std::size_t significant = 0;
    std::size_t pos = 2;
    for (; pos < text.size(); ++pos) {
        const int digit = hexDigitValue(text[pos]);
        if (digit < 0)
            break;
        if (value != 0 || digit != 0)
            ++significant;
        if (significant > kMaxSignificantDigits)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    if (pos == 2 || pos >= text.size() || text[pos] != '>')
        return std::nullopt;
    return CharacterCodeTag{value, pos + 1};
}

std::string convertCharacterCodes(std::string_view text, CodeContext context, bool smartQuotes,
                                  bool japaneseSource) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = text.find("<#", pos);
        if (start == std::string_view::npos)
            break;
        out.append(text, pos, start - pos);
        if (const auto tag = parseCharacterCodeTag(text.substr(start))) {
            out += convertCharacterCode(tag->value, context, smartQuotes, japaneseSource);
            pos = start + tag->length;
        } else {
            out += '<';
            pos = start + 1;
        }
    }
    out.append(text.substr(pos));
    return out;
}

} // namespace quillex
