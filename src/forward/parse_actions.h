// The parse actions: what the Interleaf parser's reduce callback does with
// each production while it reads a document.
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
#include "forward/source_text.h"
#include "parser/ss_yacc_stack_element.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class ConversionHost;
class ProgressBudget;
class SSYacc;

// The text of a grammar symbol. Mostly it is one run of the source text and
// is kept as the run's bounds, so that no text is copied while the parse
// joins symbols; where it is not (a skipped run left out, a text of the
// engine's own) it is a string of its own.
class SymbolText {
  public:
    bool empty() const { return owned_ ? own_.empty() : begin_ == end_; }
    std::string_view view(const std::string& source) const {
        return owned_ ? std::string_view(own_)
                      : std::string_view(source).substr(begin_, end_ - begin_);
    }

    void clear();
    // The text is source[begin, end).
    void setRun(std::size_t begin, std::size_t end);
    void setOwn(std::string_view text);
    // Appends source[begin, end).
    void appendRun(std::size_t begin, std::size_t end, const std::string& source);
    // Appends `other`'s text, which it may take over.
    void append(SymbolText&& other, const std::string& source);
    // Drops blanks, tabs and line ends from the end.
    void dropTrailingLayout(const std::string& source);

  private:
    void makeOwn(const std::string& source);

    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool owned_ = false;
    std::string own_;
};

// A parser stack element that carries the span and text of its symbol.
// Terminals get theirs from their lexeme when a reduction first reads them.
// The parser holds these by value in its stack.
class PieceElement final : public SSYaccStackElement {
  public:
    CTextPiece value; // the span; its own text stays empty
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

    // 0, or the code of the latest refusal met.
    ResultCode resultCode() const { return resultCode_; }
    bool cancelled() const { return cancelled_; }

  private:
    struct Reduction;

    void collectElements(SSYacc& parser, std::uint32_t size);
    void runAction(Reduction& p);
    void createPiece(PieceKind kind);
    void createPieceFrom(PieceKind kind, const PieceElement& element);
    void appendPending();
    void addToCurrent(const PieceElement& element);
    void addEndOfParagraphMark();
    void addItem(Reduction& p, std::size_t field);
    void addListItem(Reduction& p, std::size_t field);
    void addTrailingTabs();
    void checkVersion(Reduction& p);
    void checkCharacterEncoding(Reduction& p);
    void reportProgress(const CTextPiece& value);
    void openTextAfterFrame(const PieceElement& end, bool headerOrFooter);
    void joinElements(const Reduction& p, PieceElement& left, bool withText) const;
    void readValue(PieceElement& element) const;

    PieceList& pieces_;
    const SourceText& source_;
    int fileNumber_;

    // The right side of the production being reduced; kept between
    // reductions so that its room is reused.
    std::vector<PieceElement*> elements_;

    std::unique_ptr<DocumentPiece> pendingPiece_;
    DocumentPiece* current_ = nullptr;
    bool paragraphOpen_ = false;
    bool afterCell_ = false;
    bool inMasterTable_ = false;
    bool afterFrame_ = false;
    bool afterHeaderFooter_ = false; // the frame just closed is a header or footer
    bool firstPage_ = true;
    BlankLineBreaks blankLines_;
    bool inBody_ = false;
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
