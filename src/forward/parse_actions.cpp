// The parse actions of the Interleaf grammar: the named actions that
// resources/interleaf_grammar.def writes beside its productions, the fold of
// list terminals, and the joining of a left side from its right side.
#include "forward/parse_actions.h"

#include "conversion/conversion_host.h"
#include "conversion/progress_budget.h"
#include "conversion/result_code.h"
#include "foundation/string_table.h"
#include "interleaf_actions.h"
#include "parser/interleaf/interleaf_tokens.h"
#include "parser/ss_yacc.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <optional>

namespace quillex {
namespace {

bool isLayout(char c) {
    return c == '\t' || c == '\n' || c == ' ' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isLayout(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isLayout(text.back()))
        text.remove_suffix(1);
    return text;
}

// The decimal value of a diagram field; 0 when it holds none.
int decimalValue(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc())
        return 0;
    if (value > 0x7fffffffL || value < -0x7fffffffL)
        return 0;
    return static_cast<int>(value);
}

float decimalNumber(std::string_view text) {
    const std::string field(trimmed(text));
    char* end = nullptr;
    const float value = std::strtof(field.c_str(), &end);
    return end == field.c_str() ? 0.0f : value;
}

} // namespace

// The production being reduced and the elements of its right side, which the
// actions read by the field names of interleaf_symbols.h.
struct ParseActions::Reduction {
    ileaf::Production production;
    std::span<PieceElement> elements;
    const SymbolTexts& texts;

    // Element i; an empty one past the end, so that a table whose
    // productions are shorter than expected cannot make the actions read
    // beyond the stack.
    const PieceElement& operator[](std::size_t i) const {
        static const PieceElement none;
        return i < elements.size() ? elements[i] : none;
    }
    std::string_view text(std::size_t i) const { return texts.view((*this)[i].text); }
};

ParseActions::ParseActions(PieceList& pieces, const SourceText& source, int fileNumber)
    : pieces_(pieces), source_(source), fileNumber_(fileNumber), texts_(source.text()) {}

void ParseActions::setProgress(ProgressBudget* budget, int lineCount, int steps) {
    budget_ = budget;
    stepsLeft_ = steps;
    stride_ = lineCount / 5 > 0 ? static_cast<std::uint32_t>(lineCount / 5) : 1;
    nextLine_ = stride_;
}

void ParseActions::setHost(ConversionHost* host, bool warnJapanese) {
    host_ = host;
    warnJapanese_ = warnJapanese;
}

// Where `bytes` stand in the parsed source when they are a view of it.
std::optional<std::size_t> ParseActions::sourceOffsetOf(std::string_view bytes) const {
    const std::string& source = source_.text();
    const auto from = reinterpret_cast<std::uintptr_t>(bytes.data());
    const auto first = reinterpret_cast<std::uintptr_t>(source.data());
    if (from < first || from - first > source.size() ||
        bytes.size() > source.size() - (from - first))
        return std::nullopt;
    return from - first;
}

// A terminal's range and text come from its token. The text is the run of
// the source the token views (the tokens of the parsed file do), else the
// run where the token stands when the source holds the same bytes there,
// else a copy.
void ParseActions::readValue(PieceElement& element) {
    element.hasValue = true;
    SSLexToken terminal;
    if (!element.terminal(terminal))
        return;
    const std::string_view bytes = terminal.text;
    SymbolRange& range = element.range;
    range.startLine = range.endLine = terminal.line;
    range.startColumn = range.endColumn = terminal.column;
    terminal.advanceToEnd(range.endLine, range.endColumn);

    const std::string& source = source_.text();
    if (const std::optional<std::size_t> viewed = sourceOffsetOf(bytes)) {
        const std::size_t at = *viewed;
        texts_.setRun(element.text, at, at + bytes.size());
        range.begin = static_cast<std::uint32_t>(at);
        range.end = static_cast<std::uint32_t>(at + bytes.size());
    } else {
        const std::size_t at = source_.offsetOf(terminal.line, terminal.column);
        if (bytes.size() <= source.size() - at && source.compare(at, bytes.size(), bytes) == 0)
            texts_.setRun(element.text, at, at + bytes.size());
        else
            texts_.setOwn(element.text, bytes);
        range.begin = static_cast<std::uint32_t>(at);
        range.end = static_cast<std::uint32_t>(source_.offsetOf(range.endLine, range.endColumn));
    }
    if (terminal.token == ileaf::END_DECLARATIONS || terminal.token == ileaf::MICRO_DOCUMENT_END)
        texts_.dropTrailingLayout(element.text);
}

// The elements of the right side, each with its value read. The parse's
// stack holds PieceElements one after another, so the right side is an array
// from its first element on.
std::span<PieceElement> ParseActions::collectElements(SSYacc& parser, std::uint32_t size) {
    if (size == 0)
        return {};
    const std::span elements(static_cast<PieceElement*>(parser.elementFromProduction(0)), size);
    for (PieceElement& element : elements)
        if (!element.hasValue)
            readValue(element);
    return elements;
}

bool ParseActions::reduce(SSYacc& parser, std::uint32_t production, std::uint32_t size,
                          PieceElement& left) {
    if (cancelled_)
        return false;
    Reduction p{static_cast<ileaf::Production>(production), collectElements(parser, size), texts_};
    return complete(p, left);
}

// A terminal that follows the text of a list that folds in place ("=> fold"
// in the grammar file; its text is read already) in the source, where that
// text ends: the list's range and run of the source grow over it, which is
// what joining the two elements gives. False when that is not the case.
bool ParseActions::widenPlainList(std::uint32_t production, const SSLexToken& terminal,
                                  PieceElement& list) {
    if (production >= ileaf::kProductionCount || !ileaf::kFoldsInPlace[production] ||
        !list.range.hasRange())
        return false;
    const std::string_view bytes = terminal.text;
    if (bytes.empty() || sourceOffsetOf(bytes) != list.range.end ||
        terminal.line != list.range.endLine || terminal.column != list.range.endColumn)
        return false;
    const std::size_t end = list.range.end + bytes.size();
    if (!SymbolTexts::extendRun(list.text, list.range.end, end))
        return false;
    terminal.advanceToEnd(list.range.endLine, list.range.endColumn);
    list.range.end = static_cast<std::uint32_t>(end);
    return true;
}

// The list's element and the terminal make the right side, as the stack
// would hold them; the left side then replaces the list's element.
bool ParseActions::fold(std::uint32_t production, const SSLexToken& terminal, PieceElement& list) {
    if (cancelled_)
        return false;
    if (!list.hasValue) { // a list still of one terminal, which passed through
        readValue(list);
        list.clearTerminal();
    }
    if (widenPlainList(production, terminal, list)) {
        reportProgress(list.range);
        return !cancelled_;
    }
    if (production == static_cast<std::uint32_t>(ileaf::Production::ItemWithLayout) &&
        list.range.hasRange()) {
        // Layout after an item: its action, and the item's range (not its
        // text) widened over it, as joining the two gives.
        PieceElement layout;
        layout.setToken(terminal);
        readValue(layout);
        layoutRead(texts_.view(layout.text), layout.range);
        if (layout.range.hasRange())
            mergeRange(list.range, layout.range);
        reportProgress(list.range);
        return !cancelled_;
    }
    std::array<PieceElement, 2> elements{list, PieceElement{}};
    elements[1].setToken(terminal);
    readValue(elements[1]);
    Reduction p{static_cast<ileaf::Production>(production), elements, texts_};
    PieceElement left;
    const bool goOn = complete(p, left);
    list.range = left.range;
    list.text = left.text;
    list.hasValue = true;
    list.clearTerminal();
    return goOn;
}

// Runs the production's action and fills the left side from the right.
bool ParseActions::complete(Reduction& p, PieceElement& left) {
    const std::size_t size = p.elements.size();
    added_ = false;
    runAction(p);

    if (size == 1 && !added_) {
        // A unit production whose action added nothing hands its element on
        // as the left side: the same range and text. (Most reductions are of
        // this kind.)
        left.range = p.elements.front().range;
        left.text = p.elements.front().text;
        left.hasValue = true;
    } else {
        // Text an action added to a piece is added once only: the left side
        // then carries none.
        joinElements(p, left, !added_);
        left.hasValue = true;
    }
    reportProgress(left.range);
    return !cancelled_;
}

// The left side covers the ranges of all its elements; its text is theirs
// joined, with any source text the lexer skipped between two of them (an
// ignored token) put back, so that it reads as the source does. A trailing
// run of layout (ItemWithLayout) widens the range but adds no text. The
// elements leave the stack after this, so their texts are taken over, not
// copied, and runs of the source that meet are joined without copying.
void ParseActions::joinElements(const Reduction& p, PieceElement& left, bool withText) {
    SymbolRange& span = left.range;
    const SymbolRange* previous = nullptr; // the last element with a range
    for (std::size_t i = 0; i < p.elements.size(); ++i) {
        const PieceElement& element = p.elements[i];
        const SymbolRange& range = element.range;
        const bool ranged = range.hasRange();
        const bool layoutOnly = p.production == ileaf::Production::ItemWithLayout &&
                                i == ileaf::rhs::ItemWithLayout::layout;
        if (withText && !layoutOnly) {
            if (previous != nullptr && ranged && !previous->adjoins(range))
                texts_.appendRun(left.text, previous->end, range.begin);
            texts_.append(left.text, element.text);
        }
        if (!ranged)
            continue;
        if (previous == nullptr)
            span = range;
        else
            mergeRange(span, range);
        previous = &range;
    }
}

// Widens `span`, which has a range, over `range`, which has one too.
void ParseActions::mergeRange(SymbolRange& span, const SymbolRange& range) {
    if (CTextPiece::startsBefore(range.startLine, range.startColumn, span.startLine,
                                 span.startColumn)) {
        span.startLine = range.startLine;
        span.startColumn = range.startColumn;
        span.begin = range.begin;
    }
    if (CTextPiece::startsBefore(span.endLine, span.endColumn, range.endLine, range.endColumn)) {
        span.endLine = range.endLine;
        span.endColumn = range.endColumn;
        span.end = range.end;
    }
}

void ParseActions::reportProgress(const SymbolRange& range) {
    if (!range.hasRange())
        return;
    while (range.endLine > nextLine_) {
        nextLine_ += stride_;
        if (budget_ == nullptr)
            continue;
        try {
            if (stepsLeft_ > 0) {
                --stepsLeft_;
                budget_->step(result::Cancelled);
            } else if (budget_->host().isCancelled()) {
                throw ConversionFailure(result::Cancelled);
            }
        } catch (const ConversionFailure&) {
            cancelled_ = true;
            return;
        }
    }
}

// A piece is complete when the next one starts: its list of lines gives the
// room it grew into back, so that a large document's lists are not held at
// up to twice their size.
void ParseActions::appendPending() {
    if (!pendingPiece_)
        return;
    pendingPiece_->lines.shrinkToFit();
    pieces_.push_back(std::move(pendingPiece_));
}

void ParseActions::createPiece(PieceKind kind) {
    appendPending();
    pendingPiece_ = std::make_unique<DocumentPiece>(kind);
    pendingPiece_->span.fileNumber = fileNumber_;
    current_ = pendingPiece_.get();
}

void ParseActions::createPieceFrom(PieceKind kind, const PieceElement& element) {
    createPiece(kind);
    addToCurrent(element);
}

void ParseActions::widen(SourceRange& span, const SymbolRange& range) const {
    if (!range.hasRange())
        return;
    if (!span.hasRange()) {
        span.startLine = range.startLine;
        span.startColumn = range.startColumn;
        span.endLine = range.endLine;
        span.endColumn = range.endColumn;
        if (span.fileNumber == 0)
            span.fileNumber = fileNumber_;
        return;
    }
    if (CTextPiece::startsBefore(range.startLine, range.startColumn, span.startLine,
                                 span.startColumn)) {
        span.startLine = range.startLine;
        span.startColumn = range.startColumn;
    }
    if (CTextPiece::startsBefore(span.endLine, span.endColumn, range.endLine, range.endColumn)) {
        span.endLine = range.endLine;
        span.endColumn = range.endColumn;
    }
}

// Widens the current piece over the element and keeps its text as a line.
void ParseActions::addToCurrent(const PieceElement& element) {
    if (current_ == nullptr)
        return;
    widen(current_->span, element.range);
    if (!texts_.empty(element.text)) {
        if (element.text.isOwn()) // the pool's texts move as it grows
            current_->addLine(std::string(texts_.view(element.text)));
        else // a run of the source, which the document keeps
            current_->lines.addView(texts_.view(element.text));
    }
    added_ = true;
}

void ParseActions::addEndOfParagraphMark() {
    if (current_ != nullptr)
        current_->lines.addView(kEndOfParagraphMark);
}

// An item joins the current piece, unless it is the frame or header/footer
// just closed: those made pieces of their own.
void ParseActions::addItem(Reduction& p, std::size_t field) {
    if (state_.takeClosedFrame())
        return;
    addToCurrent(p[field]);
}

// An item of an item list; a blank line between it and text of the same
// paragraph ends the paragraph first.
void ParseActions::addListItem(Reduction& p, std::size_t field) {
    const auto role = blankLines_.roleOf(p.text(field), state_.closed());
    if (current_ != nullptr && blankLines_.breakDue(role, state_.inMasterTable()))
        blankLines_.breakInto(*current_);
    addItem(p, field);
    blankLines_.itemAdded(role, current_);
    addTrailingTabs();
}

// A tab character in running text is a character of the text (Interleaf
// writes its tab stops as "<Tab>"); the lexer reads it as layout with the
// line ends, and it is kept, so that the words it separates stay apart.
void ParseActions::addTrailingTabs() {
    if (!trailingTabs_.empty() && state_.inBody() && current_ != nullptr)
        current_->addLine(trailingTabs_);
    trailingTabs_.clear();
}

// A frame or header/footer closed: the text after it starts at its end.
void ParseActions::openTextAfterFrame(const PieceElement& end, bool headerOrFooter) {
    createPieceFrom(PieceKind::TextAfterFrame, end);
    state_.frameClosed(headerOrFooter);
}

// The action of layout after an item: blank lines count towards paragraph
// breaks, its tabs are kept for the text, and after a frame the piece of
// the text after it widens over it.
void ParseActions::layoutRead(std::string_view layout, const SymbolRange& range) {
    blankLines_.layoutRead(layout);
    for (const char c : layout)
        if (c == '\t')
            trailingTabs_ += c;
    if (state_.closed() != ReadingState::Closed::Nothing && current_ != nullptr)
        widen(current_->span, range);
}

void ParseActions::runAction(Reduction& p) {
    ileaf::ActionDispatch::run(*this, p);
}

// The named actions, in the order of the grammar file.

void ParseActions::finishDeclarations(Reduction&) { // its last declaration still counts
    appendPending();
}

void ParseActions::finishBody(Reduction&) {
    if (pendingPiece_) {
        appendPending();
        addEndOfParagraphMark();
    }
}

void ParseActions::startBody(Reduction& p, std::size_t marker) {
    createPieceFrom(PieceKind::EndOfDeclarations, p[marker]);
    state_.bodyStarted();
}

void ParseActions::listItem(Reduction& p, std::size_t item) {
    addListItem(p, item);
}

void ParseActions::nextItem(Reduction& p, std::size_t item) {
    if (state_.nextItem())
        addEndOfParagraphMark();
    addListItem(p, item);
}

void ParseActions::itemLayout(Reduction& p, std::size_t layout) {
    layoutRead(p.text(layout), p[layout].range);
}

void ParseActions::header(Reduction& p, std::size_t major, std::size_t minor) {
    const std::string_view minorVersion = p.text(minor);
    if (p.text(major) != "8" || minorVersion < std::string_view("0") ||
        minorVersion > std::string_view("3"))
        resultCode_ = result::WrongVersion;
    createPiece(PieceKind::Header);
}

void ParseActions::characterEncoding(Reduction& p, std::size_t encoding) {
    if (p.text(encoding) != "SJIS") {
        resultCode_ = result::JapaneseNotShiftJis;
        return;
    }
    if (host_ != nullptr && warnJapanese_)
        host_->appendResult(std::string(loadString(MessageId::JapaneseDocument)));
}

void ParseActions::componentStart(Reduction& p, std::size_t name) {
    blankLines_.componentStartRead(p.text(name));
    state_.componentStarted();
}

void ParseActions::tableStart(Reduction& p) {
    if (state_.tableStarted())
        addEndOfParagraphMark();
    structure(p, PieceKind::TableStart);
}

void ParseActions::structure(Reduction&, PieceKind kind) {
    createPiece(kind);
    blankLines_.structureStarted();
}

void ParseActions::cellStart(Reduction& p) {
    structure(p, PieceKind::Cell);
    state_.cellStarted();
}

void ParseActions::endTable(Reduction& p) {
    structure(p, PieceKind::EndOfTable);
    state_.tableEnded();
}

void ParseActions::piece(Reduction&, PieceKind kind) {
    createPiece(kind);
}

void ParseActions::piece(Reduction& p, PieceKind kind, std::size_t first) {
    createPieceFrom(kind, p[first]);
}

void ParseActions::namedPiece(Reduction& p, PieceKind kind, std::size_t name) {
    createPiece(kind);
    current_->name = p.text(name);
}

void ParseActions::numberedPiece(Reduction& p, PieceKind kind, std::size_t number) {
    createPiece(kind);
    current_->number = decimalValue(p.text(number));
}

void ParseActions::firstPage(Reduction&) {
    if (state_.pageRead())
        createPiece(PieceKind::Page);
}

void ParseActions::masterTable(Reduction&) {
    createPiece(PieceKind::MasterTable);
    state_.masterTableStarted();
}

void ParseActions::subcomponent(Reduction&) {
    blankLines_.subcomponentRead();
    state_.subcomponentRead();
}

void ParseActions::nameFrame(Reduction& p, std::size_t name) {
    if (current_ != nullptr)
        current_->name = p.text(name);
}

void ParseActions::sharedContents(Reduction&) {
    if (current_ != nullptr)
        current_->sharedContents = true;
}

void ParseActions::closeFrame(Reduction& p, std::size_t end) {
    openTextAfterFrame(p[end], false);
}

void ParseActions::closeHeaderFooter(Reduction& p, std::size_t end) {
    openTextAfterFrame(p[end], true);
}

void ParseActions::textString(Reduction& p) {
    using Fields = ileaf::rhs::TextString;
    createPieceFrom(PieceKind::TextString, p[Fields::text]);
    current_->number = decimalValue(p.text(Fields::number));
    current_->firstPosition = decimalNumber(p.text(Fields::first));
    current_->secondPosition = decimalNumber(p.text(Fields::second));
}

void ParseActions::chartHead(Reduction& p) { // its labels take these fields
    using Fields = ileaf::rhs::ChartHead;
    chartNumber_ = p.text(Fields::number);
    chartFirst_ = p.text(Fields::first);
    chartSecond_ = p.text(Fields::second);
}

void ParseActions::chartLabel(Reduction& p, std::size_t text) {
    createPieceFrom(PieceKind::ChartLabel, p[text]);
    current_->number = decimalValue(chartNumber_);
    current_->firstPosition = decimalNumber(chartFirst_);
    current_->secondPosition = decimalNumber(chartSecond_);
}

void ParseActions::microDocumentHead(Reduction& p) {
    using Fields = ileaf::rhs::MicroDocumentHead;
    createPiece(PieceKind::MicroDocument);
    current_->number = decimalValue(p.text(Fields::number));
    current_->firstPosition = decimalNumber(p.text(Fields::first));
    current_->secondPosition = decimalNumber(p.text(Fields::second));
    state_.cellStarted();
    blankLines_.nestedListStarted();
}

// "<End Text>" and the closing parenthesis.
void ParseActions::microDocument(Reduction& p, std::size_t endText, std::size_t end) {
    if (state_.microDocumentEnded())
        addEndOfParagraphMark();
    addToCurrent(p[endText]);
    addToCurrent(p[end]);
    blankLines_.nestedListEnded();
}

void ParseActions::namedObjectHead(Reduction& p) {
    using Fields = ileaf::rhs::NamedObjectHead;
    createPiece(PieceKind::NamedObject);
    current_->number = decimalValue(p.text(Fields::number));
    current_->objectNumber = decimalValue(p.text(Fields::objectNumber));
    current_->name = p.text(Fields::name);
    current_->firstPosition = decimalNumber(p.text(Fields::first));
    current_->secondPosition = decimalNumber(p.text(Fields::second));
}

} // namespace quillex
