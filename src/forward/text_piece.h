// CTextPiece: the text of a grammar symbol and the line/column range of the
// source that it covers.
//
// Lines and columns count from 1; a column counts bytes within its line. The
// range runs from the start position up to, not including, the end position,
// so a piece can be cut out of the source (or replaced in it) by position.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillex {

class SSLexLexeme;

struct CTextPiece {
    std::string text;
    std::uint32_t startLine = 0;
    std::uint32_t startColumn = 0;
    std::uint32_t endLine = 0;
    std::uint32_t endColumn = 0;
    int fileNumber = 0;

    // All four positions set, the end not before the start, and some text.
    bool isValid() const;
    // The same test for the positions alone: the range is a usable range.
    bool hasRange() const;

    // Widens this span to cover `other`'s range: a span without a range
    // takes other's positions; otherwise the earlier start and the later end
    // win. The texts are left alone.
    void mergeSpan(const CTextPiece& other);

    // True when this span ends exactly where `next` starts.
    bool adjoins(const CTextPiece& next) const;
};

// The span of a token: its text, its start from the lexeme's line and offset,
// and the end found by counting the line ends in the text.
CTextPiece spanOfLexeme(const SSLexLexeme& lexeme, int fileNumber);

// The end position of `text` when it starts at (line, column).
void advancePosition(std::string_view text, std::uint32_t& line, std::uint32_t& column);

} // namespace quillex
