// The parse actions: what the Interleaf parser's reduce callback does with
// each production while it reads a document. Which action a production runs
// is written beside it in resources/interleaf_grammar.def ("=> ..."); the
// generated interleaf_actions.h dispatches to the named functions below.
//
// They cut the document into DocumentPieces (the header, each declaration,
// frames and diagram objects, table parts, and the runs of body text between
// them), mark paragraph ends among the pieces' lines, record the result code
// of documents the system refuses, report progress by source line and stop
// the parse when the user cancels. The backward conversion runs the same
// actions over the ORG file and so sees the same pieces in the same order.
#pragma once

#include "conversion/result_code.h"
#include "forward/blank_line_breaks.h"
#include "forward/document_piece.h"
#include "forward/reading_state.h"
#include "forward/source_text.h"
#include "forward/symbol_text.h"
#include "parser/ss_yacc_stack_element.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quillex {

class ConversionHost;
class ProgressBudget;
class SSYacc;
namespace ileaf {
struct ActionDispatch;
}

// The source a grammar symbol covers: the line and column range that pieces
// keep (counted as CTextPiece counts them) and the same range as byte
// offsets into the parsed text, so that the text between two symbols is
// found without looking lines up.
struct SymbolRange {
    std::uint32_t startLine = 0;
    std::uint32_t startColumn = 0;
    std::uint32_t endLine = 0;
    std::uint32_t endColumn = 0;
    std::uint32_t begin = 0;
    std::uint32_t end = 0;

    // The positions form a usable range (as CTextPiece::hasRange).
    bool hasRange() const {
        return startLine != 0 && startColumn != 0 && endLine != 0 && endColumn != 0 &&
               !CTextPiece::startsBefore(endLine, endColumn, startLine, startColumn);
    }
    bool adjoins(const SymbolRange& next) const {
        return endLine == next.startLine && endColumn == next.startColumn;
    }
};

// A parser stack element that carries the range and text of its symbol.
// Terminals get theirs from their token when a reduction first reads them.
// The parser holds these by value in its stack; they are plain numbers.
class PieceElement final : public SSYaccStackElement {
  public:
    SymbolRange range;
    SymbolText text;
    bool hasValue = false;
};

class ParseActions {
  public:
    // `pieces` receives the pieces in order; `source` is the parsed file as
    // the lexer reads it; `fileNumber` is the registry number of its path.
    ParseActions(PieceList& pieces, const SourceText& source, int fileNumber);

    // Progress by source line: `steps` messages spread over `lineCount`
    // lines, drawn from `budget`. Without a budget no progress is reported.
    void setProgress(ProgressBudget* budget, int lineCount, int steps);
    // Where the Japanese warning goes; none, or `warnJapanese` false, keeps
    // it back (the backward conversion's re-parse).
    void setHost(ConversionHost* host, bool warnJapanese);

    // The reduce callback: runs the action of `production` and fills the
    // left side's element (the parse's elements are PieceElements). False
    // when the user cancelled: the parse stops.
    bool reduce(SSYacc& parser, std::uint32_t production, std::uint32_t size, PieceElement& left);
    // The fold callback: what shifting `terminal` and then reducing
    // `production` (list : list terminal) would leave, made in `list`.
    bool fold(std::uint32_t production, const SSLexToken& terminal, PieceElement& list);

    // 0, or the code of the latest refusal met.
    ResultCode resultCode() const { return resultCode_; }
    bool cancelled() const { return cancelled_; }

  private:
    struct Reduction;
    // The names the generated dispatch gives piece kinds and refusals.
    using Kind = PieceKind;
    using Refusal = result::Code;
    friend struct ileaf::ActionDispatch;

    // The named actions of the grammar file, each given the reduction and
    // the piece kind and fields written after its name.
    void finishDeclarations(Reduction& p);
    void finishBody(Reduction& p);
    void startBody(Reduction& p, std::size_t marker);
    void listItem(Reduction& p, std::size_t item);
    void nextItem(Reduction& p, std::size_t item);
    void itemLayout(Reduction& p, std::size_t layout);
    void refuse(ResultCode code) { resultCode_ = code; }
    void header(Reduction& p, std::size_t major, std::size_t minor);
    void characterEncoding(Reduction& p, std::size_t encoding);
    void componentStart(Reduction& p, std::size_t name);
    void tableStart(Reduction& p);
    void structure(Reduction& p, PieceKind kind);
    void cellStart(Reduction& p);
    void endTable(Reduction& p);
    void piece(Reduction& p, PieceKind kind);
    void piece(Reduction& p, PieceKind kind, std::size_t first);
    void namedPiece(Reduction& p, PieceKind kind, std::size_t name);
    void numberedPiece(Reduction& p, PieceKind kind, std::size_t number);
    void firstPage(Reduction& p);
    void masterTable(Reduction& p);
    void subcomponent(Reduction& p);
    void nameFrame(Reduction& p, std::size_t name);
    void sharedContents(Reduction& p);
    void closeFrame(Reduction& p, std::size_t end);
    void closeHeaderFooter(Reduction& p, std::size_t end);
    void textString(Reduction& p);
    void chartHead(Reduction& p);
    void chartLabel(Reduction& p, std::size_t text);
    void microDocumentHead(Reduction& p);
    void microDocument(Reduction& p, std::size_t endText, std::size_t end);
    void namedObjectHead(Reduction& p);

    std::span<PieceElement> collectElements(SSYacc& parser, std::uint32_t size);
    void runAction(Reduction& p);
    bool complete(Reduction& p, PieceElement& left);
    void layoutRead(std::string_view layout, const SymbolRange& range);
    static void mergeRange(SymbolRange& span, const SymbolRange& range);
    bool widenPlainList(std::uint32_t production, const SSLexToken& terminal, PieceElement& list);
    void createPiece(PieceKind kind);
    void createPieceFrom(PieceKind kind, const PieceElement& element);
    // Widens `span` over `range`, as CTextPiece::mergeSpan does.
    void widen(SourceRange& span, const SymbolRange& range) const;
    void appendPending();
    void addToCurrent(const PieceElement& element);
    void addEndOfParagraphMark();
    void addItem(Reduction& p, std::size_t field);
    void addListItem(Reduction& p, std::size_t field);
    void addTrailingTabs();
    void reportProgress(const SymbolRange& range);
    void openTextAfterFrame(const PieceElement& end, bool headerOrFooter);
    void joinElements(const Reduction& p, PieceElement& left, bool withText);
    void readValue(PieceElement& element);
    std::optional<std::size_t> sourceOffsetOf(std::string_view bytes) const;

    PieceList& pieces_;
    const SourceText& source_;
    int fileNumber_;
    SymbolTexts texts_;

    std::unique_ptr<DocumentPiece> pendingPiece_;
    DocumentPiece* current_ = nullptr;
    ReadingState state_;
    BlankLineBreaks blankLines_;
    std::string trailingTabs_; // tab characters in the layout after the item being read
    ResultCode resultCode_ = result::Success;
    bool cancelled_ = false;
    bool added_ = false; // the running action added text to a piece

    // The chart head's number and positions, for its labels.
    std::string chartNumber_, chartFirst_, chartSecond_;

    ProgressBudget* budget_ = nullptr;
    ConversionHost* host_ = nullptr;
    bool warnJapanese_ = false;
    std::uint32_t stride_ = 1;
    std::uint32_t nextLine_ = 1;
    int stepsLeft_ = 0;
};

} // namespace quillex
