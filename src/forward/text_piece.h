// CTextPiece: the text of a grammar symbol and the line/column range of the
// source that it covers.
//
// Lines and columns count from 1; a column counts bytes within its line. The
// range runs from the start position up to, not including, the end position,
// so a piece can be cut out of the source (or replaced in it) by position.
#pragma once

#include "parser/text_position.h"

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
    bool isValid() const { return hasRange() && !text.empty(); }
    // The same test for the positions alone: the range is a usable range.
    bool hasRange() const {
        return startLine != 0 && startColumn != 0 && endLine != 0 && endColumn != 0 &&
               !startsBefore(endLine, endColumn, startLine, startColumn);
    }

    // Widens this span to cover `other`'s range: a span without a range
    // takes other's positions; otherwise the earlier start and the later end
    // win. The texts are left alone.
    void mergeSpan(const CTextPiece& other) {
        if (!other.hasRange())
            return;
        if (!hasRange()) {
            startLine = other.startLine;
            startColumn = other.startColumn;
            endLine = other.endLine;
            endColumn = other.endColumn;
            if (fileNumber == 0)
                fileNumber = other.fileNumber;
            return;
        }
        if (startsBefore(other.startLine, other.startColumn, startLine, startColumn)) {
            startLine = other.startLine;
            startColumn = other.startColumn;
        }
        if (startsBefore(endLine, endColumn, other.endLine, other.endColumn)) {
            endLine = other.endLine;
            endColumn = other.endColumn;
        }
    }

    // True when this span ends exactly where `next` starts.
    bool adjoins(const CTextPiece& next) const {
        return endLine == next.startLine && endColumn == next.startColumn;
    }

    // Whether position A comes before position B (line, then column).
    static bool startsBefore(std::uint32_t lineA, std::uint32_t columnA, std::uint32_t lineB,
                             std::uint32_t columnB) {
        return lineA < lineB || (lineA == lineB && columnA < columnB);
    }
};

// The span of a token: its text, its start from the lexeme's line and offset,
// and the end found by counting the line ends in the text.
CTextPiece spanOfLexeme(const SSLexLexeme& lexeme, int fileNumber);

} // namespace quillex
