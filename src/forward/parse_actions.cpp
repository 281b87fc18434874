// The parse actions of the Interleaf grammar.
#include "forward/parse_actions.h"

#include "conversion/conversion_host.h"
#include "conversion/progress_budget.h"
#include "conversion/result_code.h"
#include "foundation/string_table.h"
#include "parser/interleaf/interleaf_tokens.h"
#include "parser/ss_yacc.h"

#include <charconv>
#include <cstdlib>
#include <typeinfo>
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

void SymbolText::clear() {
    begin_ = end_ = 0;
    owned_ = false;
    own_.clear();
}

void SymbolText::setRun(std::size_t begin, std::size_t end) {
    clear();
    begin_ = begin;
    end_ = end;
}

void SymbolText::setOwn(std::string_view text) {
    clear();
    owned_ = true;
    own_.assign(text);
}

void SymbolText::makeOwn(const std::string& source) {
    if (owned_)
        return;
    own_.assign(source, begin_, end_ - begin_);
    owned_ = true;
}

void SymbolText::appendRun(std::size_t begin, std::size_t end, const std::string& source) {
    if (end <= begin)
        return;
    if (empty()) {
        setRun(begin, end);
    } else if (!owned_ && end_ == begin) {
        end_ = end;
    } else {
        makeOwn(source);
        own_.append(source, begin, end - begin);
    }
}

void SymbolText::append(SymbolText&& other, const std::string& source) {
    if (other.empty())
        return;
    if (empty()) {
        begin_ = other.begin_;
        end_ = other.end_;
        owned_ = other.owned_;
        if (owned_)
            own_.swap(other.own_);
    } else if (!other.owned_) {
        appendRun(other.begin_, other.end_, source);
    } else {
        makeOwn(source);
        own_ += other.own_;
    }
}

// Layout that a token carries at its end ("<!End Declarations>" and the blank
// lines after it; a micro-document's ")" and its line end) is no part of the
// item.
void SymbolText::dropTrailingLayout(const std::string& source) {
    if (owned_) {
        while (!own_.empty() && isLayout(own_.back()))
            own_.pop_back();
    } else {
        while (end_ > begin_ && isLayout(source[end_ - 1]))
            --end_;
    }
}

struct ParseActions::Production {
    std::uint32_t number;
    const std::vector<PieceElement*>& elements;
    const std::string& source;

    // Element i; an empty one past the end, so that a table whose
    // productions are shorter than expected cannot make the actions read
    // beyond the stack.
    const PieceElement& operator[](std::size_t i) const {
        static const PieceElement none;
        return i < elements.size() ? *elements[i] : none;
    }
    std::string_view text(std::size_t i) const { return (*this)[i].text.view(source); }
};

ParseActions::ParseActions(PieceList& pieces, const SourceText& source, int fileNumber)
    : pieces_(pieces), source_(source), fileNumber_(fileNumber) {}

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

SSRefPtr<SSYaccStackElement> ParseActions::newElement() const {
    return SSRefPtr<SSYaccStackElement>(new PieceElement);
}

// A terminal's span and text come from its lexeme. The text is the run of
// the source where the lexeme stands when the source holds the same bytes
// there (always, for the lexemes of the parsed file), else a copy.
void ParseActions::readValue(PieceElement& element) const {
    element.hasValue = true;
    const SSLexLexeme* lexeme = element.lexeme();
    if (lexeme == nullptr)
        return;
    const std::string_view bytes = lexeme->text();
    CTextPiece& span = element.value;
    span.fileNumber = fileNumber_;
    span.startLine = span.endLine = lexeme->line();
    span.startColumn = span.endColumn = lexeme->offset();
    advancePosition(bytes, span.endLine, span.endColumn);

    const std::string& source = source_.text();
    const std::size_t at = source_.offsetOf(lexeme->line(), lexeme->offset());
    if (bytes.size() <= source.size() - at && source.compare(at, bytes.size(), bytes) == 0)
        element.text.setRun(at, at + bytes.size());
    else
        element.text.setOwn(bytes);
    if (lexeme->token() == ileaf::END_DECLARATIONS || lexeme->token() == ileaf::MICRO_DOCUMENT_END)
        element.text.dropTrailingLayout(source);
}

// The elements of the right side, each with its value read.
void ParseActions::collectElements(SSYacc& parser, std::uint32_t size) {
    elements_.clear();
    borrowed_.clear();
    for (std::uint32_t i = 0; i < size; ++i) {
        SSYaccStackElement* stacked = parser.elementFromProduction(static_cast<std::int32_t>(i));
        PieceElement* element = nullptr;
        if (stacked != nullptr && typeid(*stacked) == typeid(PieceElement)) {
            element = static_cast<PieceElement*>(stacked);
        } else {
            // An element the engine made itself: read its lexeme, if any.
            borrowed_.push_back(SSRefPtr<PieceElement>(new PieceElement));
            element = borrowed_.back().get();
            if (stacked != nullptr && stacked->lexeme() != nullptr)
                element->setLexeme(SSRefPtr<SSLexLexeme>(stacked->lexeme()));
        }
        if (!element->hasValue)
            readValue(*element);
        elements_.push_back(element);
    }
}

SSRefPtr<SSYaccStackElement> ParseActions::reduce(SSYacc& parser, std::uint32_t production,
                                                  std::uint32_t size) {
    if (cancelled_)
        return {};
    collectElements(parser, size);
    Production p{production, elements_, source_.text()};

    added_ = false;
    runAction(p);

    // A unit production whose action added nothing hands its element on as
    // the left side: the same span and text, without making a new element.
    // (Most reductions are of this kind.)
    if (size == 1 && !added_ && borrowed_.empty()) {
        SSRefPtr<PieceElement> same(elements_.front());
        same->setLexeme({});
        reportProgress(same->value);
        if (cancelled_)
            return {};
        return same;
    }

    // Text an action added to a piece is added once only: the left side
    // then carries none.
    auto left = SSRefPtr<PieceElement>(new PieceElement);
    joinElements(p, *left, !added_);
    left->hasValue = true;
    reportProgress(left->value);
    if (cancelled_)
        return {};
    return left;
}

// The left side covers the ranges of all its elements; its text is theirs
// joined, with any source text the lexer skipped between two of them (an
// ignored token) put back, so that it reads as the source does. A trailing
// run of layout (production 8) widens the range but adds no text. The
// elements leave the stack after this, so their texts are taken over, not
// copied, and runs of the source that meet are joined without copying.
void ParseActions::joinElements(const Production& p, PieceElement& left, bool withText) const {
    const std::string& source = source_.text();
    CTextPiece& span = left.value;
    span.fileNumber = fileNumber_;
    const CTextPiece* previous = nullptr; // the last element with a range
    for (std::size_t i = 0; i < p.elements.size(); ++i) {
        PieceElement& element = *p.elements[i];
        const CTextPiece& range = element.value;
        const bool ranged = range.hasRange();
        const bool layoutOnly = p.number == 8 && i == 1;
        if (withText && !layoutOnly) {
            if (previous != nullptr && ranged && !previous->adjoins(range))
                left.text.appendRun(source_.offsetOf(previous->endLine, previous->endColumn),
                                    source_.offsetOf(range.startLine, range.startColumn), source);
            left.text.append(std::move(element.text), source);
        }
        if (!ranged)
            continue;
        // The span merge, knowing which sides have a range.
        if (previous == nullptr) {
            span.startLine = range.startLine;
            span.startColumn = range.startColumn;
            span.endLine = range.endLine;
            span.endColumn = range.endColumn;
            if (span.fileNumber == 0)
                span.fileNumber = range.fileNumber;
        } else {
            if (CTextPiece::startsBefore(range.startLine, range.startColumn, span.startLine,
                                         span.startColumn)) {
                span.startLine = range.startLine;
                span.startColumn = range.startColumn;
            }
            if (CTextPiece::startsBefore(span.endLine, span.endColumn, range.endLine,
                                         range.endColumn)) {
                span.endLine = range.endLine;
                span.endColumn = range.endColumn;
            }
        }
        previous = &range;
    }
}

void ParseActions::reportProgress(const CTextPiece& value) {
    if (!value.hasRange())
        return;
    while (value.endLine > nextLine_) {
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

void ParseActions::appendPending() {
    if (pendingPiece_)
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

// Widens the current piece over the element and keeps its text as a line.
void ParseActions::addToCurrent(const PieceElement& element) {
    if (current_ == nullptr)
        return;
    current_->span.mergeSpan(element.value);
    if (!element.text.empty())
        current_->addLine(std::string(element.text.view(source_.text())));
    added_ = true;
}

void ParseActions::addEndOfParagraphMark() {
    if (current_ != nullptr)
        current_->addLine(kEndOfParagraphMark);
}

// An item joins the current piece, unless it is the frame or header/footer
// just closed: those made pieces of their own.
void ParseActions::addItem(Production& p, int index) {
    if (afterFrame_) {
        afterFrame_ = false;
        return;
    }
    addToCurrent(p[static_cast<std::size_t>(index)]);
}

// An item of an item list; a blank line between it and text of the same
// paragraph ends the paragraph first.
void ParseActions::addListItem(Production& p, int index) {
    using Closed = BlankLineBreaks::Closed;
    const Closed closed = !afterFrame_         ? Closed::Nothing
                          : afterHeaderFooter_ ? Closed::HeaderOrFooter
                                               : Closed::Frame;
    const auto role = blankLines_.roleOf(p.text(static_cast<std::size_t>(index)), closed);
    if (current_ != nullptr && blankLines_.breakDue(role, inMasterTable_))
        blankLines_.breakInto(*current_);
    addItem(p, index);
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

void ParseActions::checkVersion(Production& p) {
    const std::string_view minor = p.text(4);
    if (p.text(2) != "8" || minor < std::string_view("0") || minor > std::string_view("3"))
        resultCode_ = result::WrongVersion;
}

void ParseActions::checkCharacterEncoding(Production& p) {
    if (p.text(2) != "SJIS") {
        resultCode_ = result::JapaneseNotShiftJis;
        return;
    }
    if (host_ != nullptr && warnJapanese_)
        host_->appendResult(std::string(loadString(MessageId::JapaneseDocument)));
}

void ParseActions::runAction(Production& p) {
    switch (p.number) {
    case 1: // a document without body: its last declaration still counts
        appendPending();
        break;
    case 2: // document with body
        if (pendingPiece_) {
            appendPending();
            addEndOfParagraphMark();
        }
        break;
    case 4: // end of declarations: the body starts
        createPieceFrom(PieceKind::EndOfDeclarations, p[0]);
        inBody_ = true;
        afterCell_ = true;
        break;
    case 6: // first item of a list
        addListItem(p, 0);
        break;
    case 7: // item list continued
        // A master table's cells carry no paragraph marks; the paragraph is
        // closed all the same, so that no mark turns up after the table.
        if (paragraphOpen_ && !inMasterTable_)
            addEndOfParagraphMark();
        paragraphOpen_ = false;
        addListItem(p, 1);
        break;
    case 8: // item followed by layout
        blankLines_.layoutRead(p.text(1));
        for (const char c : p.text(1))
            if (c == '\t')
                trailingTabs_ += c;
        if (afterFrame_ && current_ != nullptr) {
            current_->span.mergeSpan(p[1].value);
            current_->span.text.clear();
        }
        break;
    case 10:
    case 11:
    case 12: // text, ">", "<<": nothing more to do than for any item
        break;
    case 15:
        resultCode_ = result::NotInterleafAscii;
        break;
    case 16:
        checkVersion(p);
        createPiece(PieceKind::Header);
        break;
    case 17:
        checkCharacterEncoding(p);
        break;
    case 25: // component start
        blankLines_.componentStartRead(p.text(1));
        if (afterCell_)
            afterCell_ = false;
        else
            paragraphOpen_ = true;
        break;
    case 26: // table start
        if (!afterCell_ && !inMasterTable_) {
            addEndOfParagraphMark();
            paragraphOpen_ = false;
        }
        createPiece(PieceKind::TableStart);
        blankLines_.structureStarted();
        break;
    case 27:
        createPiece(PieceKind::MasterRow);
        blankLines_.structureStarted();
        break;
    case 28:
        createPiece(PieceKind::Row);
        blankLines_.structureStarted();
        break;
    case 29:
        createPiece(PieceKind::Cell);
        blankLines_.structureStarted();
        afterCell_ = true;
        break;
    case 30:
        createPiece(PieceKind::EndOfTable);
        blankLines_.structureStarted();
        inMasterTable_ = false;
        afterCell_ = false;
        break;
    case 31:
        createPiece(PieceKind::AutonumberStream);
        current_->name = p.text(1);
        break;
    case 32:
        createPiece(PieceKind::PageNumberStream);
        break;
    case 33:
        createPiece(PieceKind::Document);
        break;
    case 34:
        createPiece(PieceKind::FontDefinitions);
        break;
    case 35:
        createPiece(PieceKind::ColorDefinitions);
        break;
    case 36:
        createPiece(PieceKind::ColorName);
        break;
    case 37:
        createPiece(PieceKind::ColorTint);
        break;
    case 38:
        createPiece(PieceKind::PatternDefinitions);
        break;
    case 39: // only the first page declaration makes a piece
        if (firstPage_) {
            createPiece(PieceKind::Page);
            firstPage_ = false;
        }
        break;
    case 40:
        resultCode_ = result::ClassDefaults;
        break;
    case 41:
        createPiece(PieceKind::Class);
        current_->name = p.text(1);
        break;
    case 42:
        createPiece(PieceKind::MasterTable);
        inMasterTable_ = true;
        break;
    case 43:
        resultCode_ = result::RevisionTracking;
        break;
    case 44:
    case 54:
        resultCode_ = result::SplitDocument;
        break;
    case 45:
        resultCode_ = result::ManualComment;
        break;
    case 46:
        resultCode_ = result::IncludeDeclarations;
        break;
    case 47:
        resultCode_ = result::Include;
        break;
    case 53: // "Subcomponent = yes": no paragraph ends here
        blankLines_.subcomponentRead();
        paragraphOpen_ = false;
        break;
    case 57:
        createPieceFrom(PieceKind::Frame, p[0]);
        break;
    case 58:
        createPieceFrom(PieceKind::MasterFrame, p[0]);
        break;
    case 59:
        createPieceFrom(PieceKind::MasterDiagrammingObject, p[0]);
        break;
    case 62: // frame name
        if (current_ != nullptr)
            current_->name = p.text(3);
        break;
    case 63:
        if (current_ != nullptr)
            current_->sharedContents = true;
        break;
    case 67: // "Numbered" value
        if (current_ != nullptr)
            current_->name = p.text(3);
        break;
    case 68: // frame with diagram: the text after it
        createPieceFrom(PieceKind::TextAfterFrame, p[2]);
        afterFrame_ = true;
        afterHeaderFooter_ = false;
        break;
    case 69:
    case 90: // frame or header/footer without diagram
        createPieceFrom(PieceKind::TextAfterFrame, p[1]);
        afterFrame_ = true;
        afterHeaderFooter_ = p.number == 90;
        break;
    case 81:
        createPieceFrom(PieceKind::PageHeader, p[0]);
        break;
    case 82:
        createPieceFrom(PieceKind::PageFooter, p[0]);
        break;
    case 83:
        createPieceFrom(PieceKind::FirstPageHeader, p[0]);
        break;
    case 84:
        createPieceFrom(PieceKind::FirstPageFooter, p[0]);
        break;
    case 85:
        createPieceFrom(PieceKind::RightPageHeader, p[0]);
        break;
    case 86:
        createPieceFrom(PieceKind::RightPageFooter, p[0]);
        break;
    case 87:
        createPieceFrom(PieceKind::LeftPageHeader, p[0]);
        break;
    case 88:
        createPieceFrom(PieceKind::LeftPageFooter, p[0]);
        break;
    case 95: // group head
        createPiece(PieceKind::Group);
        current_->number = decimalValue(p.text(4));
        break;
    case 96:
        createPiece(PieceKind::EndOfGroup);
        break;
    case 108: // text string: its text field
        createPieceFrom(PieceKind::TextString, p[24]);
        current_->number = decimalValue(p.text(4));
        current_->firstPosition = decimalNumber(p.text(8));
        current_->secondPosition = decimalNumber(p.text(10));
        break;
    case 117: // chart head: its labels take these fields
        chartNumber_ = p.text(4);
        chartFirst_ = p.text(8);
        chartSecond_ = p.text(10);
        break;
    case 122: // chart label
        createPieceFrom(PieceKind::ChartLabel, p[1]);
        current_->number = decimalValue(chartNumber_);
        current_->firstPosition = decimalNumber(chartFirst_);
        current_->secondPosition = decimalNumber(chartSecond_);
        break;
    case 131: // micro-document head
        createPiece(PieceKind::MicroDocument);
        current_->number = decimalValue(p.text(4));
        current_->firstPosition = decimalNumber(p.text(8));
        current_->secondPosition = decimalNumber(p.text(10));
        afterCell_ = true;
        blankLines_.nestedListStarted();
        break;
    case 132: // micro-document: "<End Text>" and the closing parenthesis
        if (!inMasterTable_)
            addEndOfParagraphMark();
        paragraphOpen_ = false;
        addToCurrent(p[2]);
        addToCurrent(p[3]);
        blankLines_.nestedListEnded();
        break;
    case 145: // named object head
        createPiece(PieceKind::NamedObject);
        current_->number = decimalValue(p.text(4));
        current_->objectNumber = decimalValue(p.text(8));
        current_->name = p.text(12);
        current_->firstPosition = decimalNumber(p.text(28));
        current_->secondPosition = decimalNumber(p.text(30));
        break;
    case 153:
        createPiece(PieceKind::EndOfNamedObject);
        break;
    case 155:
        createPiece(PieceKind::Equation);
        break;
    case 156:
        createPiece(PieceKind::OutlineObject);
        break;
    case 157:
        createPiece(PieceKind::OldStyleOutlineObject);
        break;
    default:
        break;
    }
}

} // namespace quillex
