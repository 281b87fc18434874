// SourceText: the parsed file as the lexer reads it (text mode), addressed by
// line and column.
//
// The parse actions take the text between two lexemes from here when a token
// the lexer skipped lies between them, and every piece gets the exact source
// text of its range from here once the parse is done.
#pragma once

#include "forward/text_piece.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class SourceText {
  public:
    SourceText() = default;
    // The text's bytes stay where they are when the SourceText moves, so
    // that views of them (the pieces' lines) stay valid.
    explicit SourceText(std::string text);
    SourceText(SourceText&&) noexcept = default;
    SourceText& operator=(SourceText&&) noexcept = default;
    SourceText(const SourceText&) = delete;
    SourceText& operator=(const SourceText&) = delete;

    const std::string& text() const { return text_; }

    // Byte offset of (line, column), clamped to the text; lines and columns
    // count from 1.
    std::size_t offsetOf(std::uint32_t line, std::uint32_t column) const {
        if (line == 0 || lineStarts_.empty())
            return 0;
        if (line > lineStarts_.size())
            return text_.size();
        const std::size_t start = lineStarts_[line - 1];
        // A column past the end of its line stands at the line feed.
        const std::size_t lineEnd =
            line < lineStarts_.size() ? lineStarts_[line] - 1 : text_.size();
        const std::size_t column0 = column == 0 ? 0 : column - 1;
        return start + column0 < lineEnd ? start + column0 : lineEnd;
    }

    // The text from `from` up to, not including, `to` (positions as above);
    // empty when `to` is not after `from`.
    std::string_view between(std::uint32_t fromLine, std::uint32_t fromColumn, std::uint32_t toLine,
                             std::uint32_t toColumn) const;

    // The text of a span's range; empty when it has none.
    std::string_view textOf(const SourceRange& span) const;

  private:
    std::string text_;
    // Files are below 4 GB (the lexer's indexes are 32-bit).
    std::vector<std::uint32_t> lineStarts_;
};

} // namespace quillex
