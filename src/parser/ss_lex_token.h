// SSLexToken: one token as a plain value (token number, line and column of
// its first character, its text as a view of the scanner's input), for the
// parse loop that takes tokens by value instead of reference-counted
// SSLexLexeme objects (SSLex::nextToken, SSYaccDriver::WithoutRecovery).
//
// The text views bytes that stay put as long as the scanner lives: its
// consumer's buffer when that holds all the input at once, else a lexeme the
// scanner keeps. Copying a token copies no text and counts no reference.
#pragma once

#include "parser/ss_lex_lexeme.h"
#include "parser/text_position.h"

#include <cstdint>
#include <string_view>

namespace quillex {

struct SSLexToken {
    std::int32_t token = 0;
    std::uint32_t line = 0;   // from 1; 0xFFFFFFFF for the end of the input
    std::uint32_t column = 0; // from 1, as SSLexLexeme::offset() counts it
    std::string_view text;
    // Just past the text, as the scanner counted it: where the next match
    // starts. 0 where that may differ from counting the text's bytes
    // (advancePosition): a match whose start or end the scanner moved over a
    // line end, text read after a double-byte character whose second byte is
    // a line feed, 16-bit input, and tokens made from lexemes.
    std::uint32_t endLine = 0;
    std::uint32_t endColumn = 0;

    // Moves `line` and `column`, the token's start, just past its text: to
    // the scanner's end where it gave one, else over the text's bytes.
    void advanceToEnd(std::uint32_t& line, std::uint32_t& column) const {
        if (endLine != 0) {
            line = endLine;
            column = endColumn;
        } else {
            advancePosition(text, line, column);
        }
    }

    // The same fields of a lexeme; the text views the lexeme's, which must
    // outlive the token.
    static SSLexToken of(const SSLexLexeme& lexeme) {
        return {lexeme.token(), lexeme.line(), lexeme.offset(), lexeme.text(), 0, 0};
    }
    // A lexeme holding a copy of the token's text, for the hooks that take
    // lexemes (a syntax error's report).
    SSRefPtr<SSLexLexeme> toLexeme() const {
        return SSLexLexeme::create(text, token, line, column);
    }
};

} // namespace quillex
