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

std::size_t SourceText::offsetOf(std::uint32_t line, std::uint32_t column) const {
    if (line == 0 || lineStarts_.empty())
        return 0;
    if (line > lineStarts_.size())
        return text_.size();
    const std::size_t start = lineStarts_[line - 1];
    // A column past the end of its line stands at the line's line feed.
    const std::size_t lineEnd = line < lineStarts_.size() ? lineStarts_[line] - 1 : text_.size();
    const std::size_t column0 = column == 0 ? 0 : column - 1;
    return std::min(start + column0, lineEnd);
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
