// The parse actions of the Interleaf grammar.
#include "forward/parse_actions.h"

#include "conversion/conversion_host.h"
#include "conversion/progress_budget.h"
#include "conversion/result_code.h"
#include "foundation/string_table.h"
#include "parser/interleaf/interleaf_tokens.h"
#include "parser/ss_yacc.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <vector>

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

// A terminal's range and text come from its lexeme. The text is the run of
// the source the lexeme views (the lexemes of the parsed file do), else the
// run where the lexeme stands when the source holds the same bytes there,
// else a copy.
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

void ParseActions::readValue(PieceElement& element) {
    element.hasValue = true;
    const SSLexLexeme* lexeme = element.lexeme();
    if (lexeme == nullptr)
        return;
    const std::string_view bytes = lexeme->text();
    SymbolRange& range = element.range;
    range.startLine = range.endLine = lexeme->line();
    range.startColumn = range.endColumn = lexeme->offset();
    advancePosition(bytes, range.endLine, range.endColumn);

    const std::string& source = source_.text();
    if (const std::optional<std::size_t> viewed = sourceOffsetOf(bytes)) {
        const std::size_t at = *viewed;
        texts_.setRun(element.text, at, at + bytes.size());
        range.begin = static_cast<std::uint32_t>(at);
        range.end = static_cast<std::uint32_t>(at + bytes.size());
    } else {
        const std::size_t at = source_.offsetOf(lexeme->line(), lexeme->offset());
        if (bytes.size() <= source.size() - at && source.compare(at, bytes.size(), bytes) == 0)
            texts_.setRun(element.text, at, at + bytes.size());
        else
            texts_.setOwn(element.text, bytes);
        range.begin = static_cast<std::uint32_t>(at);
        range.end = static_cast<std::uint32_t>(source_.offsetOf(range.endLine, range.endColumn));
    }
    if (lexeme->token() == ileaf::END_DECLARATIONS || lexeme->token() == ileaf::MICRO_DOCUMENT_END)
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

namespace {

// The lists of words and layout inside tags, frame heads and the header:
// productions without an action, whose left side is the list's range and
// text widened over the terminal. (An action added for one of them must
// take it out of this table.)
constexpr ileaf::Production kPlainLists[] = {
    ileaf::Production::TagJunk,          ileaf::Production::TagWord,
    ileaf::Production::FrameJunk,        ileaf::Production::FrameWord,
    ileaf::Production::OpsHeaderInteger, ileaf::Production::OpsHeaderVersion,
    ileaf::Production::OpsHeaderPeriod,  ileaf::Production::OpsHeaderJunk,
    ileaf::Production::OpsHeaderWord};

bool isPlainList(std::uint32_t production) {
    return std::find(std::begin(kPlainLists), std::end(kPlainLists),
                     static_cast<ileaf::Production>(production)) != std::end(kPlainLists);
}

} // namespace

// A terminal that follows a plain list's text (read already) in the source,
// where that text ends: the list's range and run of the source grow over it, which is
// what joining the two elements gives. False when that is not the case.
bool ParseActions::widenPlainList(std::uint32_t production, const SSLexLexeme& terminal,
                                  PieceElement& list) {
    if (!isPlainList(production) || !list.range.hasRange())
        return false;
    const std::string_view bytes = terminal.text();
    if (bytes.empty() || sourceOffsetOf(bytes) != list.range.end ||
        terminal.line() != list.range.endLine || terminal.offset() != list.range.endColumn)
        return false;
    const std::size_t end = list.range.end + bytes.size();
    if (!SymbolTexts::extendRun(list.text, list.range.end, end))
        return false;
    advancePosition(bytes, list.range.endLine, list.range.endColumn);
    list.range.end = static_cast<std::uint32_t>(end);
    return true;
}

// The list's element and the terminal make the right side, as the stack
// would hold them; the left side then replaces the list's element.
bool ParseActions::fold(std::uint32_t production, const SSRefPtr<SSLexLexeme>& terminal,
                        PieceElement& list) {
    if (cancelled_)
        return false;
    if (!list.hasValue) { // a list still of one terminal, which passed through
        readValue(list);
        list.setLexeme(nullptr);
    }
    if (widenPlainList(production, *terminal, list)) {
        reportProgress(list.range);
        return !cancelled_;
    }
    if (production == static_cast<std::uint32_t>(ileaf::Production::ItemWithLayout) &&
        list.range.hasRange()) {
        // Layout after an item: its action, and the item's range (not its
        // text) widened over it, as joining the two gives.
        PieceElement layout;
        layout.setLexeme(terminal);
        readValue(layout);
        layoutRead(texts_.view(layout.text), layout.range);
        if (layout.range.hasRange())
            mergeRange(list.range, layout.range);
        reportProgress(list.range);
        return !cancelled_;
    }
    std::array<PieceElement, 2> elements{list, PieceElement{}};
    elements[1].setLexeme(terminal);
    readValue(elements[1]);
    Reduction p{static_cast<ileaf::Production>(production), elements, texts_};
    PieceElement left;
    const bool goOn = complete(p, left);
    list.range = left.range;
    list.text = left.text;
    list.hasValue = true;
    list.setLexeme(nullptr);
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
    if (afterFrame_) {
        afterFrame_ = false;
        return;
    }
    addToCurrent(p[field]);
}

// An item of an item list; a blank line between it and text of the same
// paragraph ends the paragraph first.
void ParseActions::addListItem(Reduction& p, std::size_t field) {
    using Closed = BlankLineBreaks::Closed;
    const Closed closed = !afterFrame_         ? Closed::Nothing
                          : afterHeaderFooter_ ? Closed::HeaderOrFooter
                                               : Closed::Frame;
    const auto role = blankLines_.roleOf(p.text(field), closed);
    if (current_ != nullptr && blankLines_.breakDue(role, inMasterTable_))
        blankLines_.breakInto(*current_);
    addItem(p, field);
    blankLines_.itemAdded(role, current_);
    addTrailingTabs();
}

// A tab character in running text is a character of the text (Interleaf
// writes its tab stops as "<Tab>"); the lexer reads it as layout with the
// line ends, and it is kept, so that the words it separates stay apart.
void ParseActions::addTrailingTabs() {
    if (!trailingTabs_.empty() && inBody_ && current_ != nullptr)
        current_->addLine(trailingTabs_);
    trailingTabs_.clear();
}

void ParseActions::checkVersion(Reduction& p) {
    using Fields = ileaf::rhs::OpsHeaderStart;
    const std::string_view minor = p.text(Fields::minorVersion);
    if (p.text(Fields::majorVersion) != "8" || minor < std::string_view("0") ||
        minor > std::string_view("3"))
        resultCode_ = result::WrongVersion;
}

void ParseActions::checkCharacterEncoding(Reduction& p) {
    if (p.text(ileaf::rhs::CharacterEncoding::encoding) != "SJIS") {
        resultCode_ = result::JapaneseNotShiftJis;
        return;
    }
    if (host_ != nullptr && warnJapanese_)
        host_->appendResult(std::string(loadString(MessageId::JapaneseDocument)));
}

// A frame or header/footer closed: the text after it starts at its end.
void ParseActions::openTextAfterFrame(const PieceElement& end, bool headerOrFooter) {
    createPieceFrom(PieceKind::TextAfterFrame, end);
    afterFrame_ = true;
    afterHeaderFooter_ = headerOrFooter;
}

// The action of layout after an item: blank lines count towards paragraph
// breaks, its tabs are kept for the text, and after a frame the piece of
// the text after it widens over it.
void ParseActions::layoutRead(std::string_view layout, const SymbolRange& range) {
    blankLines_.layoutRead(layout);
    for (const char c : layout)
        if (c == '\t')
            trailingTabs_ += c;
    if (afterFrame_ && current_ != nullptr)
        widen(current_->span, range);
}

void ParseActions::runAction(Reduction& p) {
    using enum ileaf::Production;
    namespace rhs = ileaf::rhs;
    switch (p.production) {
    case DocumentWithoutBody: // its last declaration still counts
        appendPending();
        break;
    case DocumentWithBody:
        if (pendingPiece_) {
            appendPending();
            addEndOfParagraphMark();
        }
        break;
    case EndDeclarations: // the body starts
        createPieceFrom(PieceKind::EndOfDeclarations, p[rhs::EndDeclarations::marker]);
        inBody_ = true;
        afterCell_ = true;
        break;
    case FirstItem:
        addListItem(p, rhs::FirstItem::item);
        break;
    case NextItem:
        // A master table's cells carry no paragraph marks; the paragraph is
        // closed all the same, so that no mark turns up after the table.
        if (paragraphOpen_ && !inMasterTable_)
            addEndOfParagraphMark();
        paragraphOpen_ = false;
        addListItem(p, rhs::NextItem::item);
        break;
    case ItemWithLayout:
        layoutRead(p.text(rhs::ItemWithLayout::layout), p[rhs::ItemWithLayout::layout].range);
        break;
    case IncorrectFile:
        resultCode_ = result::NotInterleafAscii;
        break;
    case OpsHeaderStart:
        checkVersion(p);
        createPiece(PieceKind::Header);
        break;
    case CharacterEncoding:
        checkCharacterEncoding(p);
        break;
    case ComponentStart:
        blankLines_.componentStartRead(p.text(rhs::ComponentStart::name));
        if (afterCell_)
            afterCell_ = false;
        else
            paragraphOpen_ = true;
        break;
    case TableStart:
        if (!afterCell_ && !inMasterTable_) {
            addEndOfParagraphMark();
            paragraphOpen_ = false;
        }
        createPiece(PieceKind::TableStart);
        blankLines_.structureStarted();
        break;
    case MasterRowStart:
        createPiece(PieceKind::MasterRow);
        blankLines_.structureStarted();
        break;
    case RowStart:
        createPiece(PieceKind::Row);
        blankLines_.structureStarted();
        break;
    case CellStart:
        createPiece(PieceKind::Cell);
        blankLines_.structureStarted();
        afterCell_ = true;
        break;
    case EndTableStart:
        createPiece(PieceKind::EndOfTable);
        blankLines_.structureStarted();
        inMasterTable_ = false;
        afterCell_ = false;
        break;
    case AutonumberStreamStart:
        createPiece(PieceKind::AutonumberStream);
        current_->name = p.text(rhs::AutonumberStreamStart::name);
        break;
    case PageNumberStreamStart:
        createPiece(PieceKind::PageNumberStream);
        break;
    case DocumentStart:
        createPiece(PieceKind::Document);
        break;
    case FontDefinitionsStart:
        createPiece(PieceKind::FontDefinitions);
        break;
    case ColorDefinitionsStart:
        createPiece(PieceKind::ColorDefinitions);
        break;
    case ColorNameStart:
        createPiece(PieceKind::ColorName);
        break;
    case ColorTintStart:
        createPiece(PieceKind::ColorTint);
        break;
    case PatternDefinitionsStart:
        createPiece(PieceKind::PatternDefinitions);
        break;
    case PageStart: // only the first page declaration makes a piece
        if (firstPage_) {
            createPiece(PieceKind::Page);
            firstPage_ = false;
        }
        break;
    case ClassDefaultsStart:
        resultCode_ = result::ClassDefaults;
        break;
    case ClassStart:
        createPiece(PieceKind::Class);
        current_->name = p.text(rhs::ClassStart::name);
        break;
    case MasterTableStart:
        createPiece(PieceKind::MasterTable);
        inMasterTable_ = true;
        break;
    case RevisionTrackingStart:
        resultCode_ = result::RevisionTracking;
        break;
    case SplitDocumentStart:
    case TagAPage:
        resultCode_ = result::SplitDocument;
        break;
    case ManualCommentStart:
        resultCode_ = result::ManualComment;
        break;
    case IncludeDeclarationsStart:
        resultCode_ = result::IncludeDeclarations;
        break;
    case IncludeStart:
        resultCode_ = result::Include;
        break;
    case TagSubcomponent: // "Subcomponent = yes": no paragraph ends here
        blankLines_.subcomponentRead();
        paragraphOpen_ = false;
        break;
    case FrameStart:
        createPieceFrom(PieceKind::Frame, p[rhs::FrameStart::start]);
        break;
    case MasterFrameStart:
        createPieceFrom(PieceKind::MasterFrame, p[rhs::MasterFrameStart::start]);
        break;
    case MasterDiagrammingObjectStart:
        createPieceFrom(PieceKind::MasterDiagrammingObject,
                        p[rhs::MasterDiagrammingObjectStart::start]);
        break;
    case FrameName:
        if (current_ != nullptr)
            current_->name = p.text(rhs::FrameName::name);
        break;
    case FrameSharedContents:
        if (current_ != nullptr)
            current_->sharedContents = true;
        break;
    case FrameNumbered:
        if (current_ != nullptr)
            current_->name = p.text(rhs::FrameNumbered::value);
        break;
    case FrameWithDiagram:
        openTextAfterFrame(p[rhs::FrameWithDiagram::end], false);
        break;
    case FrameWithoutDiagram:
        openTextAfterFrame(p[rhs::FrameWithoutDiagram::end], false);
        break;
    case HeaderFooter:
        openTextAfterFrame(p[rhs::HeaderFooter::end], true);
        break;
    case PageHeaderStart:
        createPieceFrom(PieceKind::PageHeader, p[rhs::PageHeaderStart::start]);
        break;
    case PageFooterStart:
        createPieceFrom(PieceKind::PageFooter, p[rhs::PageFooterStart::start]);
        break;
    case FirstPageHeaderStart:
        createPieceFrom(PieceKind::FirstPageHeader, p[rhs::FirstPageHeaderStart::start]);
        break;
    case FirstPageFooterStart:
        createPieceFrom(PieceKind::FirstPageFooter, p[rhs::FirstPageFooterStart::start]);
        break;
    case RightPageHeaderStart:
        createPieceFrom(PieceKind::RightPageHeader, p[rhs::RightPageHeaderStart::start]);
        break;
    case RightPageFooterStart:
        createPieceFrom(PieceKind::RightPageFooter, p[rhs::RightPageFooterStart::start]);
        break;
    case LeftPageHeaderStart:
        createPieceFrom(PieceKind::LeftPageHeader, p[rhs::LeftPageHeaderStart::start]);
        break;
    case LeftPageFooterStart:
        createPieceFrom(PieceKind::LeftPageFooter, p[rhs::LeftPageFooterStart::start]);
        break;
    case GroupHead:
        createPiece(PieceKind::Group);
        current_->number = decimalValue(p.text(rhs::GroupHead::number));
        break;
    case GroupWithObjects:
        createPiece(PieceKind::EndOfGroup);
        break;
    case TextString:
        createPieceFrom(PieceKind::TextString, p[rhs::TextString::text]);
        current_->number = decimalValue(p.text(rhs::TextString::number));
        current_->firstPosition = decimalNumber(p.text(rhs::TextString::first));
        current_->secondPosition = decimalNumber(p.text(rhs::TextString::second));
        break;
    case ChartHead: // its labels take these fields
        chartNumber_ = p.text(rhs::ChartHead::number);
        chartFirst_ = p.text(rhs::ChartHead::first);
        chartSecond_ = p.text(rhs::ChartHead::second);
        break;
    case ChartLabel:
        createPieceFrom(PieceKind::ChartLabel, p[rhs::ChartLabel::text]);
        current_->number = decimalValue(chartNumber_);
        current_->firstPosition = decimalNumber(chartFirst_);
        current_->secondPosition = decimalNumber(chartSecond_);
        break;
    case MicroDocumentHead:
        createPiece(PieceKind::MicroDocument);
        current_->number = decimalValue(p.text(rhs::MicroDocumentHead::number));
        current_->firstPosition = decimalNumber(p.text(rhs::MicroDocumentHead::first));
        current_->secondPosition = decimalNumber(p.text(rhs::MicroDocumentHead::second));
        afterCell_ = true;
        blankLines_.nestedListStarted();
        break;
    case MicroDocument: // "<End Text>" and the closing parenthesis
        if (!inMasterTable_)
            addEndOfParagraphMark();
        paragraphOpen_ = false;
        addToCurrent(p[rhs::MicroDocument::endText]);
        addToCurrent(p[rhs::MicroDocument::end]);
        blankLines_.nestedListEnded();
        break;
    case NamedObjectHead:
        createPiece(PieceKind::NamedObject);
        current_->number = decimalValue(p.text(rhs::NamedObjectHead::number));
        current_->objectNumber = decimalValue(p.text(rhs::NamedObjectHead::objectNumber));
        current_->name = p.text(rhs::NamedObjectHead::name);
        current_->firstPosition = decimalNumber(p.text(rhs::NamedObjectHead::first));
        current_->secondPosition = decimalNumber(p.text(rhs::NamedObjectHead::second));
        break;
    case NamedObject:
        createPiece(PieceKind::EndOfNamedObject);
        break;
    case Equation:
        createPiece(PieceKind::Equation);
        break;
    case OutlineObject:
        createPiece(PieceKind::OutlineObject);
        break;
    case OldStyleOutline:
        createPiece(PieceKind::OldStyleOutlineObject);
        break;
    default: // text, ">", "<<" and the rest: nothing more than for any item
        if (p.elements.size() == 1) {
            const auto number = static_cast<std::size_t>(p.production);
            if (number >= passThrough_.size())
                passThrough_.resize(number + 1, false);
            passThrough_[number] = true;
        }
        break;
    }
}

} // namespace quillex
