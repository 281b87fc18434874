// The RTF reader's keyword table.
#include "qmx/rtf_keywords.h"

namespace quillex {
namespace {

using enum RtfKeywordKind;

constexpr RtfKeyword destination(std::string_view name) {
    return {name, Destination, 0, false, 0};
}

// clang-format off
constexpr RtfKeyword kKeywords[] = {
    // Hidden text is the only formatting the reader follows.
    {"v",         Property,  1, false, kRtfHidden},
    {"plain",     Property,  0, false, kRtfPlain},
    // Characters. Typographic quotes, bullet and dashes become their bytes
    // in the Windows code pages, whatever the document's code page.
    {"par",       Character, 0, false, kRtfLineEnd},
    {"tab",       Character, 0, false, 0x09},
    {"lquote",    Character, 0, false, 0x91},
    {"rquote",    Character, 0, false, 0x92},
    {"ldblquote", Character, 0, false, 0x93},
    {"rdblquote", Character, 0, false, 0x94},
    {"bullet",    Character, 0, false, 0x95},
    {"endash",    Character, 0, false, 0x96},
    {"emdash",    Character, 0, false, 0x97},
    {"~",         Character, 0, false, 0x20},
    {"_",         Character, 0, false, 0x2D},
    {"{",         Character, 0, false, 0x7B},
    {"}",         Character, 0, false, 0x7D},
    {"\\",        Character, 0, false, 0x5C},
    {"bin",       Special,   0, false, kRtfBinary},
    {"*",         Special,   0, false, kRtfSkipIfUnlisted},
    {"'",         Special,   0, false, kRtfHexByte},
    // Everything that is not running text.
    destination("author"),   destination("buptim"),   destination("colortbl"),
    destination("comment"),  destination("creatim"),  destination("doccomm"),
    destination("fonttbl"),  destination("footer"),   destination("footerf"),
    destination("footerl"),  destination("footerr"),  destination("footnote"),
    destination("ftncn"),    destination("ftnsep"),   destination("ftnsepc"),
    destination("header"),   destination("headerf"),  destination("headerl"),
    destination("headerr"),  destination("info"),     destination("keywords"),
    destination("object"),   destination("operator"), destination("pict"),
    destination("printim"),  destination("private1"), destination("revtim"),
    destination("rxe"),      destination("stylesheet"), destination("subject"),
    destination("tc"),       destination("title"),    destination("txe"),
    destination("xe"),
};
// clang-format on

static_assert(std::size(kKeywords) == 53);

} // namespace

std::span<const RtfKeyword> rtfKeywords() {
    return kKeywords;
}

const RtfKeyword* findRtfKeyword(std::span<const RtfKeyword> table, std::string_view name) {
    // Most control words of a document are in no table: length and first
    // byte rule nearly every entry out before the names are compared.
    for (const RtfKeyword& keyword : table)
        if (keyword.name.size() == name.size() && (name.empty() || keyword.name[0] == name[0]) &&
            keyword.name == name)
            return &keyword;
    return nullptr;
}

} // namespace quillex
