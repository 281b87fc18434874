// Cross-reference variables: components whose "Lisp" attribute defines a
// variable with a suffix text.
//
// The component is hidden behind <xrv "%s" %d> (its text shown in the
// argument), and the suffix, which the translator may translate, follows up
// to </xrv>.
#pragma once

#include "forward/attributes.h"
#include "forward/conversion_context.h"
#include "forward/item_list.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

// Suffixes longer than this (in visible characters) are warned about.
inline constexpr std::size_t kSuffixWarningLength = 15;
inline constexpr int kSuffixLimit = 20;

struct CrossReferenceVariable {
    std::string name;   // the variable's tag
    std::string suffix; // as Interleaf text: character codes as "<#...>"
};

// The variable a "Lisp" attribute value (as written in the tag, its quotes
// doubled) defines: it holds "variable-tag " and two double quotes, and after
// them "var-suffix " and two double quotes, where the suffix starts; it ends
// at the next double quote. Tabs and line ends are skipped; "\^?" is a left
// double quote (<:ldq> with smart quotes), a backslash and two double quotes
// one double quote, "\x" or "\X" a character code up to the next backslash,
// "\\" one backslash. None when the value defines no variable.
std::optional<CrossReferenceVariable> readCrossReferenceVariable(std::string_view lisp,
                                                                 bool smartQuotes);

// The items a component (`component` runs from its start tag to its
// end-of-paragraph mark) becomes when it is a cross-reference variable:
// <xrv "%s" %d>, the converted suffix unless empty, </xrv>. The tag stands
// for the component's items, each followed by five line feeds. A suffix of
// more than 15 visible characters adds the warnings 16043 and 16044.
// The items are views of the component's and texts the registry keeps.
std::optional<ItemList> convertCrossReferenceVariable(std::span<const std::string_view> component,
                                                      const TagAttributes& attributes,
                                                      ConversionContext& context);

} // namespace quillex
