// The Interleaf markup that the conversions recognise by how it begins: one
// row per kind, so that a reader who asks where "<Index" is handled finds
// every use through its name.
//
// Items and lines of the source (forward) and of the skeleton and the
// translated markup (backward) are told apart by these heads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillex::qmx {

enum class Markup : std::uint8_t {
    CharacterCode,    // <#e9>: a character by its code
    PageBreak,        // <|,"1">: a page break mark
    Component,        // <"para",...>: a component or subcomponent start
    ClassDeclaration, // <!Class, ...>
    PageDeclaration,  // <!Page, ...>
    DocumentHeader,   // <!OPS, ...>: the first line of a document
    FontCall,         // <F2>, <F20@LUSEnglish>
    Cell,             // <Cell, ...>
    Autonumber,       // <Autonum, ...>
    Reference,        // <Ref, ...>
    IndexEntry,       // <Index, ...>
    SubcomponentEnd,  // <End Sub>
    Comment,          // <Comment, ...>
    Count
};

// How markup of each kind begins, in the order of the kinds.
inline constexpr std::array<std::string_view, static_cast<std::size_t>(Markup::Count)>
    kMarkupHeads = {"<#",    "<|",       "<\"",  "<!Class", "<!Page",   "<!OPS,",  "<F",
                    "<Cell", "<Autonum", "<Ref", "<Index",  "<End Sub", "<Comment"};

constexpr std::string_view headOf(Markup markup) {
    return kMarkupHeads[static_cast<std::size_t>(markup)];
}

// Whether `text` is markup of the kind.
constexpr bool is(std::string_view text, Markup markup) {
    return text.starts_with(headOf(markup));
}

// A font call with its font number's first digit in [first, '9'].
constexpr bool isFontCall(std::string_view text, char first) {
    return text.size() > 2 && is(text, Markup::FontCall) && text[2] >= first && text[2] <= '9';
}

// The comments that frame hidden and read-only markup the backward
// conversion writes, so that its declaration rewriting leaves it alone.
inline constexpr std::string_view kNoChangeStart = "<Comment, QMX No Change>";
inline constexpr std::string_view kNoChangeEnd = "<Comment, QMX End of No Change>";

} // namespace quillex::qmx
