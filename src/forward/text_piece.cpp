// Spans of grammar symbols.
#include "forward/text_piece.h"

#include "parser/ss_lex_lexeme.h"

namespace quillex {

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
