// The parse actions of the Interleaf grammar.
#include "forward/parse_actions.h"

#include "foundation/string_table.h"
#include "parser/interleaf/interleaf_tokens.h"
#include "parser/ss_yacc.h"
#include "qmx/conversion_host.h"
#include "qmx/progress_budget.h"
#include "qmx/result_code.h"

#include <charconv>
#include <cstdlib>
#include <vector>

namespace quillex {
namespace {

constexpr int kJapaneseWarning = 16000;

bool isLayout(char c) {
    return c == '\t' || c == '\n' || c == ' ' || c == '\r';
}

// Layout that a token carries at its end ("<!End Declarations>" and the blank
// lines after it; a micro-document's ")" and its line end) is no part of the
// item.
std::string withoutTrailingLayout(std::string text) {
    while (!text.empty() && isLayout(text.back()))
        text.pop_back();
    return text;
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

struct ParseActions::Production {
    std::uint32_t number;
    std::vector<PieceElement*> elements;
    std::vector<SSRefPtr<PieceElement>> borrowed;

    // Element i's value; an empty one past the end, so that a table whose
    // productions are shorter than expected cannot make the actions read
    // beyond the stack.
    const CTextPiece& operator[](std::size_t i) const {
        static const CTextPiece none;
        return i < elements.size() ? elements[i]->value : none;
    }
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

const CTextPiece& ParseActions::valueOf(PieceElement& element) const {
    if (!element.hasValue) {
        if (const SSLexLexeme* lexeme = element.lexeme()) {
            element.value = spanOfLexeme(*lexeme, fileNumber_);
            if (lexeme->token() == ileaf::END_DECLARATIONS ||
                lexeme->token() == ileaf::MICRO_DOCUMENT_END)
                element.value.text = withoutTrailingLayout(std::move(element.value.text));
        }
        element.hasValue = true;
    }
    return element.value;
}

SSRefPtr<SSYaccStackElement> ParseActions::reduce(SSYacc& parser, std::uint32_t production,
                                                  std::uint32_t size) {
    if (cancelled_)
        return {};
    Production p{production, {}, {}};
    p.elements.reserve(size);
    for (std::uint32_t i = 0; i < size; ++i) {
        SSYaccStackElement* stacked = parser.elementFromProduction(static_cast<std::int32_t>(i));
        auto* element = dynamic_cast<PieceElement*>(stacked);
        if (element == nullptr) {
            // An element the engine made itself: read its lexeme, if any.
            p.borrowed.push_back(SSRefPtr<PieceElement>(new PieceElement));
            element = p.borrowed.back().get();
            if (stacked != nullptr && stacked->lexeme() != nullptr)
                element->setLexeme(SSRefPtr<SSLexLexeme>(stacked->lexeme()));
        }
        valueOf(*element);
        p.elements.push_back(element);
    }

    added_ = false;
    runAction(p);

    auto left = SSRefPtr<PieceElement>(new PieceElement);
    left->value = joinElements(p);
    left->hasValue = true;
    reportProgress(left->value);
    if (cancelled_)
        return {};
    if (added_)
        left->value.text.clear();
    return left;
}

// The left side covers the ranges of all its elements; its text is theirs
// joined, with any source text the lexer skipped between two of them (an
// ignored token) put back, so that it reads as the source does. A trailing
// run of layout (production 8) widens the range but adds no text. The
// elements leave the stack after this, so their texts are moved, not copied:
// long left-recursive lists cost linear time.
CTextPiece ParseActions::joinElements(Production& p) const {
    CTextPiece left;
    left.fileNumber = fileNumber_;
    CTextPiece previous;
    for (std::size_t i = 0; i < p.elements.size(); ++i) {
        CTextPiece& element = p.elements[i]->value;
        const bool layoutOnly = p.number == 8 && i == 1;
        if (!layoutOnly) {
            if (previous.hasRange() && element.hasRange() && !previous.adjoins(element))
                left.text += source_.between(previous.endLine, previous.endColumn,
                                             element.startLine, element.startColumn);
            if (left.text.empty())
                left.text = std::move(element.text);
            else
                left.text += element.text;
        }
        left.mergeSpan(element);
        if (element.hasRange()) {
            previous.startLine = element.startLine;
            previous.startColumn = element.startColumn;
            previous.endLine = element.endLine;
            previous.endColumn = element.endColumn;
        }
    }
    return left;
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
                throw result::Cancelled;
            }
        } catch (int) {
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

void ParseActions::createPieceFrom(PieceKind kind, const CTextPiece& element) {
    createPiece(kind);
    addToCurrent(element);
}

void ParseActions::addToCurrent(const CTextPiece& element) {
    if (current_ == nullptr)
        return;
    current_->add(element);
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

void ParseActions::checkVersion(Production& p) {
    const std::string_view minor = p[4].text;
    if (p[2].text != "8" || minor < std::string_view("0") || minor > std::string_view("3"))
        resultCode_ = result::WrongVersion;
}

void ParseActions::checkCharacterEncoding(Production& p) {
    if (p[2].text != "SJIS") {
        resultCode_ = result::JapaneseNotShiftJis;
        return;
    }
    if (host_ != nullptr && warnJapanese_)
        host_->appendResult(std::string(loadString(kJapaneseWarning)));
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
        afterCell_ = true;
        break;
    case 6: // first item of a list
        addItem(p, 0);
        break;
    case 7: // item list continued
        // A master table's cells carry no paragraph marks; the paragraph is
        // closed all the same, so that no mark turns up after the table.
        if (paragraphOpen_ && !inMasterTable_)
            addEndOfParagraphMark();
        paragraphOpen_ = false;
        addItem(p, 1);
        break;
    case 8: // item followed by layout
        if (afterFrame_ && current_ != nullptr) {
            current_->span.mergeSpan(p[1]);
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
        break;
    case 27:
        createPiece(PieceKind::MasterRow);
        break;
    case 28:
        createPiece(PieceKind::Row);
        break;
    case 29:
        createPiece(PieceKind::Cell);
        afterCell_ = true;
        break;
    case 30:
        createPiece(PieceKind::EndOfTable);
        inMasterTable_ = false;
        afterCell_ = false;
        break;
    case 31:
        createPiece(PieceKind::AutonumberStream);
        current_->name = p[1].text;
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
        current_->name = p[1].text;
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
            current_->name = p[3].text;
        break;
    case 63:
        if (current_ != nullptr)
            current_->sharedContents = true;
        break;
    case 67: // "Numbered" value
        if (current_ != nullptr)
            current_->name = p[3].text;
        break;
    case 68: // frame with diagram: the text after it
        createPieceFrom(PieceKind::TextAfterFrame, p[2]);
        afterFrame_ = true;
        break;
    case 69:
    case 90: // frame or header/footer without diagram
        createPieceFrom(PieceKind::TextAfterFrame, p[1]);
        afterFrame_ = true;
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
        current_->number = decimalValue(p[4].text);
        break;
    case 96:
        createPiece(PieceKind::EndOfGroup);
        break;
    case 108: // text string: its text field
        createPieceFrom(PieceKind::TextString, p[24]);
        current_->number = decimalValue(p[4].text);
        current_->firstPosition = decimalNumber(p[8].text);
        current_->secondPosition = decimalNumber(p[10].text);
        break;
    case 117: // chart head: its labels take these fields
        chartNumber_ = p[4].text;
        chartFirst_ = p[8].text;
        chartSecond_ = p[10].text;
        break;
    case 122: // chart label
        createPieceFrom(PieceKind::ChartLabel, p[1]);
        current_->number = decimalValue(chartNumber_);
        current_->firstPosition = decimalNumber(chartFirst_);
        current_->secondPosition = decimalNumber(chartSecond_);
        break;
    case 131: // micro-document head
        createPiece(PieceKind::MicroDocument);
        current_->number = decimalValue(p[4].text);
        current_->firstPosition = decimalNumber(p[8].text);
        current_->secondPosition = decimalNumber(p[10].text);
        afterCell_ = true;
        break;
    case 132: // micro-document: "<End Text>" and the closing parenthesis
        if (!inMasterTable_)
            addEndOfParagraphMark();
        paragraphOpen_ = false;
        addToCurrent(p[2]);
        addToCurrent(p[3]);
        break;
    case 145: // named object head
        createPiece(PieceKind::NamedObject);
        current_->number = decimalValue(p[4].text);
        current_->objectNumber = decimalValue(p[8].text);
        current_->name = p[12].text;
        current_->firstPosition = decimalNumber(p[28].text);
        current_->secondPosition = decimalNumber(p[30].text);
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

void ParseActions::finish() {
    for (const auto& piece : pieces_)
        piece->span.text = std::string(source_.textOf(piece->span));
}

} // namespace quillex
