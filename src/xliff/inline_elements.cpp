// The table of inline code elements.
#include "xliff/inline_elements.h"

#include <array>

namespace quillex::xliff {
namespace {

constexpr std::array<InlineElement, 6> kElements = {{
    {CodeKind::Placeholder, "ph", ""},
    {CodeKind::Begin, "bpt", ""},
    {CodeKind::End, "ept", ""},
    {CodeKind::IsolatedBegin, "it", "open"},
    {CodeKind::IsolatedEnd, "it", "close"},
    {CodeKind::Bytes, "x", ""},
}};

} // namespace

const InlineElement& inlineElementOf(CodeKind kind) {
    for (const InlineElement& e : kElements)
        if (e.kind == kind)
            return e;
    return kElements[0];
}

std::optional<CodeKind> codeKindOf(std::string_view element, std::string_view pos) {
    for (const InlineElement& e : kElements)
        if (e.element == element && e.pos == pos)
            return e.kind;
    return std::nullopt;
}

} // namespace quillex::xliff
