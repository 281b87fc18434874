// The parsed file addressed by line and column.
#include "forward/source_text.h"

#include <algorithm>

namespace quillex {

SourceText::SourceText(std::string text) : text_(std::move(text)) {
    lineStarts_.push_back(0);
    for (std::size_t i = 0; i < text_.size(); ++i)
        if (text_[i] == '\n')
            lineStarts_.push_back(i + 1);
}

std::string_view SourceText::between(std::uint32_t fromLine, std::uint32_t fromColumn,
                                     std::uint32_t toLine, std::uint32_t toColumn) const {
    const std::size_t from = offsetOf(fromLine, fromColumn);
    const std::size_t to = offsetOf(toLine, toColumn);
    if (to <= from)
        return {};
    return std::string_view(text_).substr(from, to - from);
}

std::string_view SourceText::textOf(const CTextPiece& span) const {
    if (!span.hasRange())
        return {};
    return between(span.startLine, span.startColumn, span.endLine, span.endColumn);
}

} // namespace quillex
