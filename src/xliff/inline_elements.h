// The XLIFF 1.2 element of each kind of inline code, shared by the writer and
// the reader.
#pragma once

#include "xliff/unit_content.h"

#include <optional>
#include <string_view>

namespace quillex::xliff {

struct InlineElement {
    CodeKind kind;
    std::string_view element; // "ph", "bpt", ...
    std::string_view pos;     // the pos attribute of <it>, else empty
};

const InlineElement& inlineElementOf(CodeKind kind);

// The kind of an element name and pos attribute; nothing for an element that
// is no inline code.
std::optional<CodeKind> codeKindOf(std::string_view element, std::string_view pos);

// The attribute that carries the bytes of a code without an exact UTF-8 form.
inline constexpr const char* kBytesAttribute = "qx:bytes";

} // namespace quillex::xliff
