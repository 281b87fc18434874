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

#include "forward/document_piece.h"
#include "forward/source_text.h"
#include "parser/ss_yacc_stack_element.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quillex {

class ConversionHost;
class ProgressBudget;
class SSYacc;

// A parser stack element that carries the text and span of its symbol.
// Terminals get theirs from their lexeme when a reduction first reads them.
class PieceElement final : public SSYaccStackElement {
  public:
    CTextPiece value;
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

    // The stack element type of the parse.
    SSRefPtr<SSYaccStackElement> newElement() const;

    // The reduce callback: runs the action of `production` and builds the
    // left side's element. None when the user cancelled: the parse stops.
    SSRefPtr<SSYaccStackElement> reduce(SSYacc& parser, std::uint32_t production,
                                        std::uint32_t size);

    // After a parse that ran to the end: gives each piece the source text of
    // its range.
    void finish();

    // 0, or the code of the latest refusal met.
    int resultCode() const { return resultCode_; }
    bool cancelled() const { return cancelled_; }

  private:
    struct Production;

    void runAction(Production& p);
    void createPiece(PieceKind kind);
    void createPieceFrom(PieceKind kind, const CTextPiece& element);
    void appendPending();
    void addToCurrent(const CTextPiece& element);
    void addEndOfParagraphMark();
    void addItem(Production& p, int index);
    void checkVersion(Production& p);
    void checkCharacterEncoding(Production& p);
    void reportProgress(const CTextPiece& value);
    CTextPiece joinElements(Production& p) const;
    const CTextPiece& valueOf(PieceElement& element) const;

    PieceList& pieces_;
    const SourceText& source_;
    int fileNumber_;

    std::unique_ptr<DocumentPiece> pendingPiece_;
    DocumentPiece* current_ = nullptr;
    bool paragraphOpen_ = false;
    bool afterCell_ = false;
    bool inMasterTable_ = false;
    bool afterFrame_ = false;
    bool firstPage_ = true;
    int resultCode_ = 0;
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
