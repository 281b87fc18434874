// The Interleaf forms of translated characters and the fixed tag table.
#include "backward/interleaf_characters.h"

#include "conversion/result_code.h"
#include "qmx/interleaf_markup.h"
#include "qmx/qmx_tags.h"

#include <charconv>
#include <cstdint>
#include <utility>

namespace quillex::backward {
namespace {

constexpr char kEscape = 27;
constexpr std::uint32_t kEscapeCode = 27;

// Code tags below this are written with their own digits, from it up to
// kLastPaddedCode with four digits (a leading zero).
constexpr std::uint32_t kFirstPaddedCode = 256;
constexpr std::uint32_t kLastPaddedCode = 4095;

// Half-width katakana, the single-byte characters of Shift-JIS.
constexpr unsigned char kFirstHalfWidthKatakana = 0xA1;
constexpr unsigned char kLastHalfWidthKatakana = 0xDF;

// The length of a four-digit code tag, "<#ffff>".
constexpr std::size_t kFourDigitTagLength = 7;

constexpr std::pair<const char*, const char*> kFixedReplacements[] = {
    {"</af>", "</af>"},
    {"</tb>", "<End Table>"},
    {"</row>", "</row>"},
    {"</ct>", "</ct>"},
    {"</ctart>", "</ctart>"},
    {"</xrv>", "</xrv>"},
    {"<:/cns>", "<End Sub><F0>"},
    {"<:/cs>", "<End Sub><F0>"},
    {"<:/sc>", "<End Sub><F0>"},
    {"<:/fc>", "<F0>"},
    {"</page>", "</page>"},
    {"</fn>", "</fn>"},
    {"</vfmt>", "</vfmt>"},
    {"</pnfmt>", "</pnfmt>"},
    {"</anfmt>", "</anfmt>"},
    {"</pgfmt>", "</pgfmt>"},
    {"<imk>", "<imk>"},
    {"<ie>", "<ie>"},
    {"<il>", "<il>"},
    {"<sa>", "<sa>"},
    {"<ss>", "<ss>"},
    {"</imk>", "</imk>"},
    {"<:lq>", "<#60>"},
    {"<:rq>", "<#27>"},
    {"<:ldq>", "<#7f>"},
    {"<:rdq>", "<#22>"},
    {"<:glq>", "<#0118>"},
    {"<:flq>", "<#ab>"},
    {"<:frq>", "<#bb>"},
    {"<:t>", "<Tab>"},
    {"<:t.>", "<Tab.>"},
    {"<:t_>", "<Tab_>"},
    {"<:t->", "<Tab->"},
    {"<:t-d>", "<Tab-dash>"},
    {"<:hr>", "<HR>"},
    {"<:hs>", "<SP>"},
    {"<:hls>", "<#0101>"},
    {"<:ts>", "<#0102>"},
    {"<:fs>", "<#0103>"},
    {"<:ens>", "<#0104>"},
    {"<:ems>", "<#0105>"},
    {"<:sh>", "<#0106>"},
    {"<:lt>", "<#3c>"},
    {"<:gt>", "<#3e>"},
    {"<:b>", "<FB>"},
    {"<:/b>", "</F>"},
    {"<:i>", "<FI>"},
    {"<:/i>", "</F>"},
    {"<:bi>", "<FBI>"},
    {"<:/bi>", "</F>"},
    {"<:s>", "<\"QMXSmallCaps\", Subcomponent = yes>"},
    {"<:/s>", "<End Sub><F0>"},
    {"<:c>", "<\"QMXWesternFont\", Subcomponent = yes>"},
    {"<:/c>", "<End Sub><F0>"},
    {"<:bb \"Pagenumber\">", "<#80a0>"},
    {"<:bb \"Filename\">", "<#80a1>"},
};

std::string twoHexDigits(unsigned value) {
    constexpr char kDigits[] = "0123456789abcdef";
    return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

// The cell of a double-byte character's code from its trail byte; 0 for a
// byte that no cell has.
unsigned cellOf(unsigned char trail) {
    if (trail >= 0x40 && trail <= 0x7E)
        return trail - 0x1Fu;
    if (trail >= 0x80 && trail <= 0x9E)
        return trail - 0x20u;
    if (trail >= 0x9F && trail <= 0xFC)
        return trail + 2u;
    return 0;
}

std::string hexText(std::uint32_t value) {
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
    return std::string(digits, end);
}

// The decimal code of a character-code line: "<:r", the digits, ">".
std::uint32_t codeOf(std::string_view line) {
    constexpr std::string_view kPrefix = "<:r";
    if (!line.starts_with(kPrefix) || !line.ends_with('>'))
        throw ConversionFailure(result::ParserError);
    const std::string_view digits = line.substr(kPrefix.size(), line.size() - kPrefix.size() - 1);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        throw ConversionFailure(result::ParserError);
    return value;
}

} // namespace

const InterleafForms& interleafFormsOf(const BackwardContext& context) {
    return InterleafForms::of(context.formCodePage);
}

void addFixedReplacements(TagMap& replacements) {
    for (const auto& [tag, markup] : kFixedReplacements)
        replacements[tag] = markup;
}

bool isCharacterCodeLine(std::string_view line) {
    return qmx::beginsCharacterCode(line) && !qmx::begins(line, qmx::Tag::InlineReadOnly) &&
           line != "<:rq>" && line != "<:rdq>";
}

std::string characterCodeTag(std::string_view line) {
    const std::uint32_t code = codeOf(line);
    const bool padded = code >= kFirstPaddedCode && code <= kLastPaddedCode;
    return (padded ? "<#0" : "<#") + hexText(code) + ">";
}

std::string convertCode(std::string_view line) {
    if (codeOf(line) == kEscapeCode)
        return std::string(1, kEscape);
    return characterCodeTag(line);
}

std::string_view internalCodeTag(std::string_view tag, const BackwardContext& context) {
    const std::string_view* markup = context.replacementOf(tag);
    if (markup == nullptr || !qmx::is(*markup, qmx::Markup::CharacterCode))
        throw ConversionFailure(result::ParserError);
    return *markup;
}

std::string codeToEscape(std::string_view codeTag, bool trailingBackslash) {
    std::string_view digits = codeTag;
    if (qmx::is(digits, qmx::Markup::CharacterCode))
        digits.remove_prefix(2);
    if (digits.ends_with('>'))
        digits.remove_suffix(1);
    std::string escape = codeTag.size() == kFourDigitTagLength ? "\\X" : "\\x";
    if (digits.size() < 2)
        escape += '0';
    else if (digits.size() == 3)
        escape = "\\X0";
    escape += digits;
    if (trailingBackslash)
        escape += '\\';
    return escape;
}

std::string doubleByteEscape(unsigned char lead, unsigned char trail) {
    // The translation is searched for such characters before anything is
    // converted; this guards one that reaches the conversion some other way.
    if (!isInterleafShiftJisLeadByte(lead))
        throw ConversionFailure(result::CharacterWithoutForm);
    const unsigned cell = cellOf(trail);
    if (cell == 0)
        return {};
    const unsigned row = lead >= 0xE0 ? lead - 0xBFu : lead - 0x7Fu;
    return "\\X" + twoHexDigits(row) + twoHexDigits(cell);
}

std::string singleByteEscape(unsigned char byte) {
    if (byte >= kFirstHalfWidthKatakana && byte <= kLastHalfWidthKatakana)
        return "\\X06" + twoHexDigits(byte);
    return "\\x" + twoHexDigits(byte);
}

} // namespace quillex::backward
