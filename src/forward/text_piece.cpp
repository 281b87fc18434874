// Spans of grammar symbols.
#include "forward/text_piece.h"

#include "parser/ss_lex_lexeme.h"

namespace quillex {

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
