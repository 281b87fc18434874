// The parsed file addressed by line and column.
#include "forward/source_text.h"

#include "foundation/text_file.h"

#include <algorithm>
#include <cstring>

namespace quillex {

// A short text would sit inside the string object and move with it: it is
// given a buffer of its own.
constexpr std::size_t kOwnBuffer = 32;

SourceText::SourceText(std::string text) : text_(std::move(text)) {
    text_.reserve(std::max(text_.size(), kOwnBuffer));
    lineStarts_.reserve(countLineFeeds(text_) + 1);
    lineStarts_.push_back(0);
    const char* data = text_.data();
    for (const char* lf = data;
         (lf = static_cast<const char*>(std::memchr(lf, '\n', text_.size() - (lf - data)))) !=
         nullptr;)
        lineStarts_.push_back(static_cast<std::uint32_t>(++lf - data));
}

std::string_view SourceText::between(std::uint32_t fromLine, std::uint32_t fromColumn,
                                     std::uint32_t toLine, std::uint32_t toColumn) const {
    const std::size_t from = offsetOf(fromLine, fromColumn);
    const std::size_t to = offsetOf(toLine, toColumn);
    if (to <= from)
        return {};
    return std::string_view(text_).substr(from, to - from);
}

std::string_view SourceText::textOf(const SourceRange& span) const {
    if (!span.hasRange())
        return {};
    return between(span.startLine, span.startColumn, span.endLine, span.endColumn);
}

} // namespace quillex
