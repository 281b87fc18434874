// Spans of grammar symbols.
#include "forward/text_piece.h"

#include "parser/ss_lex_lexeme.h"

#include <tuple>

namespace quillex {
namespace {

bool startsBefore(std::uint32_t lineA, std::uint32_t columnA, std::uint32_t lineB,
                  std::uint32_t columnB) {
    return std::tie(lineA, columnA) < std::tie(lineB, columnB);
}

} // namespace

bool CTextPiece::hasRange() const {
    if (startLine == 0 || startColumn == 0 || endLine == 0 || endColumn == 0)
        return false;
    return !startsBefore(endLine, endColumn, startLine, startColumn);
}

bool CTextPiece::isValid() const {
    return hasRange() && !text.empty();
}

void CTextPiece::mergeSpan(const CTextPiece& other) {
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

bool CTextPiece::adjoins(const CTextPiece& next) const {
    return endLine == next.startLine && endColumn == next.startColumn;
}

void advancePosition(std::string_view text, std::uint32_t& line, std::uint32_t& column) {
    // The lexer reads text mode, so a CR LF pair has already become one LF;
    // a pair that is still there counts once all the same.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        } else {
            ++column;
        }
    }
}

CTextPiece spanOfLexeme(const SSLexLexeme& lexeme, int fileNumber) {
    CTextPiece span;
    span.text = std::string(lexeme.text());
    span.fileNumber = fileNumber;
    span.startLine = lexeme.line();
    span.startColumn = lexeme.offset();
    span.endLine = span.startLine;
    span.endColumn = span.startColumn;
    advancePosition(span.text, span.endLine, span.endColumn);
    return span;
}

} // namespace quillex
