// InterleafParser: the LR parser of Interleaf ASCII documents and style files.
//
// It owns its InterleafLexer and the compiled-in parser table, reports a
// syntax error ("Unexpected text: ... Expected ...") and aborts the parse with
// error code 6. The table has no conflicts and a syntax error ends the
// parse, so it runs the engine's loop without lookahead resolution and
// error recovery (SSYaccDriver::WithoutRecovery); so must a subclass that
// chooses its own element type. Every reduction goes through reduce(): the
// conversions derive from this class and override reduce() (and choose an
// element type of their own with useElements()); the default fills an
// InterleafStackElement with the source text and line/column span of the
// left side.
#pragma once

#include "parser/interleaf/interleaf_lexer.h"
#include "parser/ss_yacc.h"
#include "parser/ss_yacc_table.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillex {

class ConversionHost;

// A grammar symbol's source text and the positions it spans: the line and
// column of its first character and those just past its last (lines and
// columns from 1, as the lexer counts them). All four are 0 for a symbol that
// covers no text.
struct SourceSpan {
    std::string text;
    std::uint32_t startLine = 0;
    std::uint32_t startColumn = 0;
    std::uint32_t endLine = 0;
    std::uint32_t endColumn = 0;

    bool empty() const { return startLine == 0; }
    // Extends this span by one that follows it. `room`, when given, is the
    // most text a span can come to (the length of the input): a text growing
    // past largeText then takes room for that much at once, so that a
    // document-long text is not copied at every doubling nor held twice at
    // the last copy (only the part it fills is ever touched).
    void append(SourceSpan&& next, std::size_t room = 0);
    // The same with the span of a terminal, without making that span first.
    void appendTerminal(const SSLexToken& terminal, std::size_t room = 0);
    void appendLexeme(const SSLexLexeme& lexeme, std::size_t room = 0) {
        appendTerminal(SSLexToken::of(lexeme), room);
    }
    // The span of a terminal's text.
    static SourceSpan ofTerminal(const SSLexToken& terminal);

  private:
    static constexpr std::size_t largeText = std::size_t{1} << 20;
    static constexpr std::size_t largestRoom = std::size_t{1} << 30;
    void makeRoom(std::size_t extra, std::size_t room);
};

// The stack element of the default reduction: the span of a nonterminal.
// Terminals keep their token (or lexeme); spanOf() serves both.
class InterleafStackElement final : public SSYaccStackElement {
  public:
    SourceSpan span;
};

class InterleafParser : public SSYacc {
  public:
    // Opens `fileName` and loads both tables; engine failures (file missing,
    // empty, bad table) raise SSException. Messages go to `host` (none:
    // dropped); `debug` is the DEBUG setting.
    explicit InterleafParser(const std::string& fileName, ConversionHost* host = nullptr,
                             int debug = 0);
    // The same over a consumer the caller owns (and keeps alive).
    explicit InterleafParser(SSLexConsumer& consumer, ConversionHost* host = nullptr,
                             int debug = 0);
    ~InterleafParser() override;

    InterleafLexer& lexer() { return lexer_; }
    // 6 after a syntax error; the caller clears it before parsing.
    int errorCode() const { return errorCode_; }
    // Where the syntax error was met: the line and column of the text the
    // parser could not take (0 when there was none), and that text.
    std::uint32_t errorLine() const { return errorLine_; }
    std::uint32_t errorColumn() const { return errorColumn_; }
    const std::string& errorText() const { return errorText_; }
    void setErrorCode(int code) { errorCode_ = code; }

    // The syntax-error handler: builds the expected-token text, sets the
    // error code to 6, reports with DEBUG, and aborts the parse.
    int error(std::uint32_t state, SSLexLexeme& lookahead) override;
    // The default reduction: the left side spans the right-hand side. It
    // takes the text of the leftmost symbol over rather than copying it, so
    // long left-recursive lists cost linear time. A subclass with elements
    // of its own type (not InterleafStackElement) gets no span.
    bool reduce(std::uint32_t production, std::uint32_t size, SSYaccStackElement& left) override;
    // The default reduction folds terminals into lists (the list's span takes
    // the terminal's); a subclass folds only when it says so itself.
    bool foldsLists() const override;
    bool fold(std::uint32_t production, const SSRefPtr<SSLexLexeme>& terminal,
              SSYaccStackElement& top) override;
    bool foldToken(std::uint32_t production, const SSLexToken& terminal,
                   SSYaccStackElement& top) override;

    // "Expected A, B, or C" for the action tokens of a state, in table order,
    // without the error token; empty when there are none.
    std::string expectedTokens(std::uint32_t state) const;

    // The span of an element of this parser's stack: its lexeme's for a
    // terminal, the stored one for a nonterminal (with InterleafStackElement
    // elements), else empty. With `take` the stored text is moved out of the
    // element.
    SourceSpan spanOf(SSYaccStackElement& element, bool take = false) const;

  private:
    // The element as an InterleafStackElement, or null when the stack holds
    // elements of another type.
    InterleafStackElement* spanElement(SSYaccStackElement& element) const;

    InterleafLexer lexer_;
    std::shared_ptr<SSYaccTable> table_; // shared with other parses, only read
    int errorCode_ = 0;
    std::uint32_t errorLine_ = 0;
    std::uint32_t errorColumn_ = 0;
    std::string errorText_;
};

// Builds the expected-token text from a state's valid lookaheads, naming each
// token with `name`: "Expected " and the first, then ", " before each later
// one, ", or " before the one in the last position; the error token -2 is
// skipped.
std::string expectedTokenText(const std::vector<std::int32_t>& tokens, const SSLex& namer);

} // namespace quillex
