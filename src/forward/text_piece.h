// CTextPiece: the text of a grammar symbol and the line/column range of the
// source that it covers; SourceRange, the range alone.
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

// The range alone: what a document piece keeps (its text is looked up in the
// source by range).
struct SourceRange {
    std::uint32_t startLine = 0;
    std::uint32_t startColumn = 0;
    std::uint32_t endLine = 0;
    std::uint32_t endColumn = 0;
    int fileNumber = 0;

    // All four positions set and the end not before the start: the range is
    // a usable range.
    bool hasRange() const {
        return startLine != 0 && startColumn != 0 && endLine != 0 && endColumn != 0 &&
               !startsBefore(endLine, endColumn, startLine, startColumn);
    }

    // Widens this range to cover `other`'s: a range that has none takes
    // other's positions; otherwise the earlier start and the later end win.
    void mergeSpan(const SourceRange& other) {
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

    // True when this range ends exactly where `next` starts.
    bool adjoins(const SourceRange& next) const {
        return endLine == next.startLine && endColumn == next.startColumn;
    }

    // Whether position A comes before position B (line, then column).
    static bool startsBefore(std::uint32_t lineA, std::uint32_t columnA, std::uint32_t lineB,
                             std::uint32_t columnB) {
        return lineA < lineB || (lineA == lineB && columnA < columnB);
    }
};

struct CTextPiece : SourceRange {
    CTextPiece() = default;
    CTextPiece(const SourceRange& range) : SourceRange(range) {}

    std::string text;

    // All four positions set, the end not before the start, and some text.
    bool isValid() const { return hasRange() && !text.empty(); }
};

// The span of a token: its text, its start from the lexeme's line and offset,
// and the end found by counting the line ends in the text.
CTextPiece spanOfLexeme(const SSLexLexeme& lexeme, int fileNumber);

} // namespace quillex
