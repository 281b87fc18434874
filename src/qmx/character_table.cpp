// The Interleaf character code table, built once on first use.
#include "qmx/character_table.h"

#include <array>

namespace quillex {
namespace {

using Table = std::array<std::string, kCharacterCodeCount>;

// Codes with a character of their own in code page 1252 but a different byte
// value there, and codes that stand for an internal tag.
struct SpecialEntry {
    int code;
    const char* text;
};

constexpr SpecialEntry kSpecialEntries[] = {
    // '<' and '>' never stand for themselves in QMX text.
    {60, "<:lt>"},
    {62, "<:gt>"},
    // Interleaf writes the straight double quote as code 127.
    {127, "\""},
    {257, "<:hls>"},
    {258, "<:ts>"},
    {259, "<:fs>"},
    {260, "<:ens>"},
    {261, "<:ems>"},
    {262, "<:sh>"},
    {263, "\x96"}, // en dash
    {266, "\x97"}, // em dash
    {276, "\x86"}, // dagger
    {277, "\x87"}, // double dagger
    {278, "\x8b"}, // single left guillemet
    {279, "\x9b"}, // single right guillemet
    {280, "\x84"}, // low double quote
    {287, "\x89"}, // per mille
    {288, "/"},
    {304, "\x83"}, // florin
    {309, "\x8c"}, // OE ligature
    {313, "\x9c"}, // oe ligature
};

// Codes 32 to 255 that keep their own byte value, except those that 1252
// lacks or that Interleaf uses differently (control range, soft hyphen,
// superscripts, acute accent, cedilla).
bool keepsOwnByte(int code) {
    if (code < 32 || code > 255 || code == 127)
        return false;
    if (code >= 128 && code <= 160)
        return false;
    return code != 173 && !(code >= 178 && code <= 180) && code != 184 && code != 185;
}

Table buildTable() {
    Table table;
    for (int code = 0; code < kCharacterCodeCount; ++code) {
        if (keepsOwnByte(code))
            table[code] = std::string(1, static_cast<char>(code));
        else
            table[code] = genericCharacterTag(static_cast<unsigned long>(code));
    }
    for (const SpecialEntry& entry : kSpecialEntries)
        table[entry.code] = entry.text;
    return table;
}

} // namespace

std::string genericCharacterTag(unsigned long code) {
    return "<:r" + std::to_string(code) + ">";
}

std::string_view characterTableEntry(int code) {
    static const Table table = buildTable();
    if (code < 0 || code >= kCharacterCodeCount)
        return {};
    return table[code];
}

} // namespace quillex
