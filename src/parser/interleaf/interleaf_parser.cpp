// InterleafParser: syntax errors and the default reduction.
#include "parser/interleaf/interleaf_parser.h"

#include "parser/text_position.h"

#include "conversion/conversion_host.h"
#include "conversion/result_code.h"
#include "parser/interleaf/interleaf_table_images.h"

#include <algorithm>
#include <typeinfo>

namespace quillex {

void SourceSpan::makeRoom(std::size_t extra, std::size_t room) {
    const std::size_t needed = text.size() + extra;
    if (needed > text.capacity() && needed >= largeText && room <= largestRoom)
        text.reserve(std::max(needed, room));
}

// A long text that follows a short one keeps its buffer, with the short one
// put in front, rather than being copied behind it: the body of a document
// follows a short symbol and would be copied at each level above it.
void SourceSpan::append(SourceSpan&& next, std::size_t room) {
    if (next.empty())
        return;
    if (empty()) {
        *this = std::move(next);
        return;
    }
    if (next.text.size() > text.size() && next.text.capacity() - next.text.size() >= text.size()) {
        next.text.insert(0, text);
        text = std::move(next.text);
    } else {
        makeRoom(next.text.size(), room);
        text += next.text;
    }
    endLine = next.endLine;
    endColumn = next.endColumn;
}

namespace {

// A terminal's text covers a span only when it has text and a real line (the
// end of input and lexemes the engine makes have none).
bool coversText(const SSLexToken& terminal) {
    return !terminal.text.empty() && terminal.line != 0 && terminal.line != 0xFFFFFFFF;
}

} // namespace

SourceSpan SourceSpan::ofTerminal(const SSLexToken& terminal) {
    SourceSpan span;
    span.text = terminal.text;
    if (!coversText(terminal))
        return span;
    span.startLine = span.endLine = terminal.line;
    span.startColumn = span.endColumn = terminal.column;
    terminal.advanceToEnd(span.endLine, span.endColumn);
    return span;
}

void SourceSpan::appendTerminal(const SSLexToken& terminal, std::size_t room) {
    if (!coversText(terminal))
        return;
    if (empty()) {
        text = terminal.text;
        startLine = endLine = terminal.line;
        startColumn = endColumn = terminal.column;
    } else {
        makeRoom(terminal.text.size(), room);
        text += terminal.text;
        endLine = terminal.line;
        endColumn = terminal.column;
    }
    terminal.advanceToEnd(endLine, endColumn);
}

InterleafParser::InterleafParser(const std::string& fileName, ConversionHost* host, int debug)
    : lexer_(fileName, host, debug), table_(interleafYaccTable()) {
    setLex(lexer_);
    setTable(*table_);
    useElements<InterleafStackElement, SSYaccDriver::WithoutRecovery>();
}

InterleafParser::InterleafParser(SSLexConsumer& consumer, ConversionHost* host, int debug)
    : lexer_(consumer, host, debug), table_(interleafYaccTable()) {
    setLex(lexer_);
    setTable(*table_);
    useElements<InterleafStackElement, SSYaccDriver::WithoutRecovery>();
}

InterleafParser::~InterleafParser() = default;

std::string expectedTokenText(const std::vector<std::int32_t>& tokens, const SSLex& namer) {
    std::string text;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i] == SSYacc::errorTokenNumber)
            continue;
        const char* name = namer.tokenToConstChar(tokens[i]);
        if (text.empty())
            text = std::string("Expected ") + name;
        else if (i + 1 == tokens.size())
            text += std::string(", or ") + name;
        else
            text += std::string(", ") + name;
    }
    return text;
}

std::string InterleafParser::expectedTokens(std::uint32_t state) const {
    return expectedTokenText(validLookaheads(state), lexer_);
}

// How much of the text at a syntax error its location line shows.
constexpr std::size_t kErrorTextLength = 40;

int InterleafParser::error(std::uint32_t state, SSLexLexeme& lookahead) {
    const std::string expected = expectedTokens(state);
    errorCode_ = result::ParserError;
    errorLine_ = lookahead.line();
    errorColumn_ = lookahead.offset();
    errorText_ = std::string(lookahead.text().substr(0, kErrorTextLength));
    if (lexer_.debug() != 0 && lexer_.host() != nullptr)
        lexer_.host()->appendResult("Unexpected text: " + std::string(lookahead.text()) + " " +
                                    expected + ".");
    setAbort();
    return 0;
}

InterleafStackElement* InterleafParser::spanElement(SSYaccStackElement& element) const {
    return elementType() == typeid(InterleafStackElement)
               ? static_cast<InterleafStackElement*>(&element)
               : nullptr;
}

SourceSpan InterleafParser::spanOf(SSYaccStackElement& element, bool take) const {
    if (SSLexToken terminal; element.terminal(terminal))
        return SourceSpan::ofTerminal(terminal);
    if (auto* own = spanElement(element))
        return take ? std::move(own->span) : own->span;
    return {};
}

bool InterleafParser::reduce(std::uint32_t, std::uint32_t size, SSYaccStackElement& left) {
    InterleafStackElement* result = spanElement(left);
    if (result == nullptr)
        return true;
    // No span's text can be longer than the input (but for texts of the
    // engine's own, which the room need not cover).
    const std::size_t room = lexer_.consumer() != nullptr ? lexer_.consumer()->dataLength() : 0;
    for (std::uint32_t i = 0; i < size; ++i) {
        SSYaccStackElement& symbol = *elementFromProduction(static_cast<std::int32_t>(i));
        if (SSLexToken terminal; symbol.terminal(terminal)) {
            result->span.appendTerminal(terminal, room);
        } else {
            // The element gives its text up: it leaves the stack after this.
            SourceSpan taken = std::move(static_cast<InterleafStackElement&>(symbol).span);
            result->span.append(std::move(taken), room);
        }
    }
    return true;
}

bool InterleafParser::foldsLists() const {
    return typeid(*this) == typeid(InterleafParser);
}

bool InterleafParser::fold(std::uint32_t production, const SSRefPtr<SSLexLexeme>& terminal,
                           SSYaccStackElement& top) {
    return foldToken(production, SSLexToken::of(*terminal), top);
}

bool InterleafParser::foldToken(std::uint32_t, const SSLexToken& terminal,
                                SSYaccStackElement& top) {
    InterleafStackElement* list = spanElement(top);
    if (list == nullptr)
        return false;
    const std::size_t room = lexer_.consumer() != nullptr ? lexer_.consumer()->dataLength() : 0;
    if (SSLexToken own; top.terminal(own)) {
        // A list element that is still its terminal: its span first.
        SourceSpan span;
        span.appendTerminal(own, room);
        list->span = std::move(span);
        top.clearTerminal();
    }
    list->span.appendTerminal(terminal, room);
    return true;
}

} // namespace quillex
