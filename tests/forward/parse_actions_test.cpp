// The parse actions: pieces, their lines and spans, paragraph marks,
// refusals, the Japanese warning, progress and Cancel.
#include "conversion/progress_budget.h"
#include "conversion/result_code.h"
#include "forward/document_parser.h"
#include "forward_test_support.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::testing;

namespace {

const std::string EOP = kEndOfParagraphMark;

std::vector<PieceKind> kindsOf(const PieceList& pieces) {
    std::vector<PieceKind> kinds;
    for (const auto& piece : pieces)
        kinds.push_back(piece->kind);
    return kinds;
}

const DocumentPiece& pieceOf(const PieceList& pieces, PieceKind kind, int nth = 0) {
    for (const auto& piece : pieces)
        if (piece->kind == kind && nth-- == 0)
            return *piece;
    throw std::runtime_error("no such piece");
}

struct Span {
    std::uint32_t startLine, startColumn, endLine, endColumn;
};

Span spanOf(const DocumentPiece& piece) {
    return {piece.span.startLine, piece.span.startColumn, piece.span.endLine, piece.span.endColumn};
}

bool operator==(const Span& a, const Span& b) {
    return a.startLine == b.startLine && a.startColumn == b.startColumn && a.endLine == b.endLine &&
           a.endColumn == b.endColumn;
}

std::ostream& operator<<(std::ostream& out, const Span& s) {
    return out << s.startLine << ":" << s.startColumn << "-" << s.endLine << ":" << s.endColumn;
}

using Lines = std::vector<std::string>;

const std::string kChapter = "<!OPS, Version = 8.0>\n"             // 1
                             "\n"                                  // 2
                             "<!Document,\n"                       // 3
                             "\tFinal Output Device =\t\"ps\">\n"  // 4
                             "\n"                                  // 5
                             "<!Page,\n"                           // 6
                             "\tHyphenation =\ton>\n"              // 7
                             "<!Page, Hyphenation = off>\n"        // 8
                             "<!Autonumber Stream, \"list\", 1>\n" // 9
                             "\n"                                  // 10
                             "<!Class, \"para\",\n"                // 11
                             "\tFont =\tF20>\n"                    // 12
                             "\n"                                  // 13
                             "<!End Declarations>\n"               // 14
                             "\n"                                  // 15
                             "<\"para\">\n"                        // 16
                             "\n"                                  // 17
                             "First line of text \n"               // 18
                             "and its end.\n"                      // 19
                             "\n"                                  // 20
                             "<\"para\">\n"                        // 21
                             "\n"                                  // 22
                             "Second <F20>para<F0>.\n";            // 23

} // namespace

TEST(ParseActions, ADocumentBecomesDeclarationPiecesAndOneBodyPiece) {
    const ParsedText parsed = parseText(kChapter);
    ASSERT_EQ(parsed.code, 0);
    const PieceList& pieces = parsed.document.pieces;
    EXPECT_EQ(kindsOf(pieces),
              (std::vector<PieceKind>{PieceKind::Header, PieceKind::Document, PieceKind::Page,
                                      PieceKind::AutonumberStream, PieceKind::Class,
                                      PieceKind::EndOfDeclarations}));

    EXPECT_EQ(pieces[0]->lines, Lines{"<!OPS, Version = 8.0>"});
    EXPECT_EQ(pieces[1]->lines, Lines{"<!Document,\n\tFinal Output Device =\t\"ps\">"});
    // Only the first page declaration makes a piece; the second stays in it.
    EXPECT_EQ(pieces[2]->lines,
              (Lines{"<!Page,\n\tHyphenation =\ton>", "<!Page, Hyphenation = off>"}));
    EXPECT_EQ(pieces[3]->name, "list");
    EXPECT_EQ(pieces[4]->name, "para");
    EXPECT_EQ(pieces[4]->lines, Lines{"<!Class, \"para\",\n\tFont =\tF20>"});

    // The first paragraph of the body gets no mark before it; every later
    // one does, and the body ends with one. Layout between items is no item.
    EXPECT_EQ(pieces[5]->lines,
              (Lines{"<!End Declarations>", "<\"para\">", "First line of text ", "and its end.",
                     EOP, "<\"para\">", "Second ", "<F20>", "para", "<F0>", ".", EOP}));
}

TEST(ParseActions, EachPieceSpansItsItemsAndTheLayoutAfterThem) {
    const ParsedText parsed = parseText(kChapter);
    ASSERT_EQ(parsed.code, 0);
    const PieceList& pieces = parsed.document.pieces;
    EXPECT_EQ(spanOf(*pieces[0]), (Span{1, 1, 3, 1}));
    EXPECT_EQ(spanOf(*pieces[1]), (Span{3, 1, 6, 1}));
    EXPECT_EQ(spanOf(*pieces[2]), (Span{6, 1, 9, 1}));
    EXPECT_EQ(spanOf(*pieces[4]), (Span{11, 1, 14, 1}));
    EXPECT_EQ(spanOf(*pieces[5]), (Span{14, 1, 24, 1}));
    // Each piece's range holds the exact source text, and the pieces
    // tile the file: every range starts where the one before ended.
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        joined += parsed.document.textOf(*pieces[i]);
        EXPECT_EQ(pieces[i]->span.fileNumber, parsed.document.fileNumber);
        if (i > 0) {
            EXPECT_EQ(pieces[i]->span.startLine, pieces[i - 1]->span.endLine);
            EXPECT_EQ(pieces[i]->span.startColumn, pieces[i - 1]->span.endColumn);
        }
    }
    EXPECT_EQ(joined, kChapter);
    EXPECT_EQ(parsed.document.textOf(*pieces[4]), "<!Class, \"para\",\n\tFont =\tF20>\n\n");
}

TEST(ParseActions, TagTextIsItsSourceTextAlsoWhereTheLexerSkippedBlanks) {
    // Blanks inside a single-quoted value are skipped by the lexer; the tag's
    // text still reads as the source does.
    const std::string tag = "<!Class, \"x\",\n\tTop = ' <F0>  '>";
    const ParsedText parsed = parseText("<!OPS, Version = 8.0>\n" + tag + "\n");
    ASSERT_EQ(parsed.code, 0);
    EXPECT_EQ(pieceOf(parsed.document.pieces, PieceKind::Class).lines, Lines{tag});
}

TEST(ParseActions, ParagraphMarksInCellsTablesAndMasterTables) {
    const std::string text = document(
        "<!Master Table, \"t\">\n\n<Master Row>\n\n<Cell>\n\n<\"p\">\n\nA\n\n<\"p\">\n\nB\n\n"
        "<End Table>\n\n<!Class, \"p\">\n\n",
        "<\"p\">\n\nBefore.\n\n<Table, Columns = 1>\n\n<Row>\n<Cell>\n\n<\"p\">\n\nOne.\n\n"
        "<\"p\", Subcomponent = yes>x<End Sub>\n\n<\"p\">\n\nTwo.\n\n<End Table>\n\n"
        "<\"p\">\n\nAfter.\n");
    const ParsedText parsed = parseText(text);
    ASSERT_EQ(parsed.code, 0);
    const PieceList& pieces = parsed.document.pieces;
    EXPECT_EQ(kindsOf(pieces),
              (std::vector<PieceKind>{
                  PieceKind::Header, PieceKind::MasterTable, PieceKind::MasterRow, PieceKind::Cell,
                  PieceKind::EndOfTable, PieceKind::Class, PieceKind::EndOfDeclarations,
                  PieceKind::TableStart, PieceKind::Row, PieceKind::Cell, PieceKind::EndOfTable}));
    // Inside a master table no marks, and none after it either.
    EXPECT_EQ(pieces[3]->lines, (Lines{"<Cell>", "<\"p\">", "A", "<\"p\">", "B"}));
    EXPECT_EQ(pieces[5]->lines, Lines{"<!Class, \"p\">"});
    // A table start closes the paragraph before it.
    EXPECT_EQ(pieces[6]->lines, (Lines{"<!End Declarations>", "<\"p\">", "Before.", EOP}));
    EXPECT_EQ(pieces[7]->lines, Lines{"<Table, Columns = 1>"});
    EXPECT_EQ(pieces[8]->lines, Lines{"<Row>"});
    // The first paragraph of a cell has no mark before it, later ones do; a
    // subcomponent is no paragraph, but the blank line before it ends "One."
    // and starts a new paragraph of the same class.
    EXPECT_EQ(pieces[9]->lines,
              (Lines{"<Cell>", "<\"p\">", "One.", EOP, "<\"p\">", "<\"p\", Subcomponent = yes>",
                     "x", "<End Sub>", EOP, "<\"p\">", "Two."}));
    EXPECT_EQ(pieces[10]->lines, (Lines{"<End Table>", EOP, "<\"p\">", "After.", EOP}));
}

TEST(ParseActions, FramesMakePiecesForTheFrameItsObjectsAndTheTextAfterIt) {
    const std::string text = document("", "<\"p\">\n\nText<Frame, Name = \"f1\", Diagram =\nV11,\n"
                                          "(t14,x,7,c,2.5,3.5,f,g,h,i,j,k,Hello)\n>\nafter\n");
    const ParsedText parsed = parseText(text);
    ASSERT_EQ(parsed.code, 0);
    const PieceList& pieces = parsed.document.pieces;
    ASSERT_EQ(
        kindsOf(pieces),
        (std::vector<PieceKind>{PieceKind::Header, PieceKind::EndOfDeclarations, PieceKind::Frame,
                                PieceKind::TextString, PieceKind::TextAfterFrame}));
    EXPECT_EQ(pieces[1]->lines, (Lines{"<!End Declarations>", "<\"p\">", "Text"}));
    EXPECT_EQ(pieces[2]->lines, Lines{"<Frame,"});
    EXPECT_EQ(pieces[2]->name, "f1");
    EXPECT_EQ(pieces[3]->lines, Lines{"Hello"});
    EXPECT_EQ(pieces[3]->number, 7);
    EXPECT_FLOAT_EQ(pieces[3]->firstPosition, 2.5f);
    EXPECT_FLOAT_EQ(pieces[3]->secondPosition, 3.5f);
    // The text after the frame starts at its ">" and covers the layout after it.
    EXPECT_EQ(pieces[4]->lines, (Lines{">", "after", EOP}));
    EXPECT_EQ(pieces[4]->span.startLine, 10u);
    EXPECT_EQ(parsed.document.textOf(*pieces[4]), ">\nafter\n");
}

TEST(ParseActions, AFrameAsTheFirstItemDoesNotSwallowTheTextAfterIt) {
    const ParsedText parsed = parseText(document("", "<Frame, Name = \"f\">\nafter the frame\n"));
    ASSERT_EQ(parsed.code, 0);
    const PieceList& pieces = parsed.document.pieces;
    ASSERT_EQ(kindsOf(pieces),
              (std::vector<PieceKind>{PieceKind::Header, PieceKind::EndOfDeclarations,
                                      PieceKind::Frame, PieceKind::TextAfterFrame}));
    EXPECT_EQ(pieces[3]->lines, (Lines{">", "after the frame", EOP}));
    EXPECT_EQ(parsed.document.textOf(*pieces[1]), "<!End Declarations>\n\n");
}

TEST(ParseActions, MicroDocumentsEndTheirLastParagraph) {
    const std::string text =
        document("", "<Frame, Diagram =\nV11,\n(T1,a,2,c,1.5,2.5,f,g,h,i,j,k,l,m,<\"p\">\n"
                     "micro text<End Text>)\n>\n");
    const ParsedText parsed = parseText(text);
    ASSERT_EQ(parsed.code, 0);
    const DocumentPiece& micro = pieceOf(parsed.document.pieces, PieceKind::MicroDocument);
    EXPECT_EQ(micro.lines, (Lines{"<\"p\">", "micro text", EOP, "<End Text>", ")"}));
    EXPECT_EQ(micro.number, 2);
    EXPECT_FLOAT_EQ(micro.secondPosition, 2.5f);
}

TEST(ParseActions, RefusedDocumentsParseToTheEndAndKeepTheLatestCode) {
    struct Case {
        std::string declarations;
        int code;
    };
    const std::vector<Case> cases = {
        {"<!Revision Tracking, On = yes>\n", result::RevisionTracking},
        {"<!APage, Name = x>\n", result::SplitDocument},
        {"<!Class, \"p\", A-Page>\n", result::SplitDocument},
        {"<!Class Defaults, Font = F0>\n", result::ClassDefaults},
        {"<!Comment, edited by hand>\n", result::ManualComment},
        {"<!Include Declarations, \"a.doc\">\n", result::IncludeDeclarations},
        {"<!Include, \"b.doc\">\n", result::Include},
        {"<!Comment, x>\n<!Include, \"b.doc\">\n", result::Include},
        {"<!Include, \"b.doc\">\n<!Comment, x>\n", result::ManualComment},
        // "A-Pages" is a word, not the split-document attribute.
        {"<!Class, \"p\", A-Pages = 2>\n", 0},
    };
    for (const Case& c : cases) {
        const ParsedText parsed = parseText(document(c.declarations, "<\"p\">\n\nText\n"));
        EXPECT_EQ(parsed.code, c.code) << c.declarations;
        // The parse went on to the end of the body.
        EXPECT_EQ(parsed.document.pieces.back()->kind, PieceKind::EndOfDeclarations);
    }
}

TEST(ParseActions, HeaderRefusals) {
    EXPECT_EQ(parseText("<!OPS, Version = 8.4>\n\n<!End Declarations>\n\nx\n").code,
              result::WrongVersion);
    EXPECT_EQ(parseText("<!OPS, Version = 9.0>\nx\n").code, result::WrongVersion);
    EXPECT_EQ(parseText("<!OPS, Version = 8.3>\nx\n").code, 0);
    // Characters before the header are no Interleaf ASCII.
    EXPECT_EQ(parseText("x<!OPS, Version = 8.0>\ny\n").code, result::NotInterleafAscii);
    // Japanese Interleaf ASCII must be Shift-JIS.
    EXPECT_EQ(parseText("<!OPS, Version = 8.0 Character Encoding = EUC>\nx\n").code,
              result::JapaneseNotShiftJis);
}

TEST(ParseActions, AShiftJisDocumentConvertsWithTheJapaneseWarning) {
    ResultsHost host;
    ParseSettings settings;
    settings.host = &host;
    const std::string text = "<!OPS, Version = 8.0 Character Encoding = SJIS>\nx\n";
    EXPECT_EQ(parseText(text, settings).code, 0);
    EXPECT_EQ(host.results,
              std::vector<std::string>{"This document contains Japanese Interleaf ASCII."});
    // The backward conversion's re-parse keeps quiet.
    host.results.clear();
    settings.warnJapanese = false;
    EXPECT_EQ(parseText(text, settings).code, 0);
    EXPECT_TRUE(host.results.empty());
}

TEST(ParseActions, SyntaxErrorsAndUnexpectedCharactersGiveSix) {
    // A tag that is never closed.
    EXPECT_EQ(parseText("<!OPS, Version = 8.0>\n<!Class, \"p\"").code, result::ParserError);
    // An empty body after the end of the declarations.
    EXPECT_EQ(parseText("<!OPS, Version = 8.0>\n<!End Declarations>\n").code, result::ParserError);
}

namespace {

std::string longDocument(int paragraphs) {
    std::string body;
    for (int i = 0; i < paragraphs; ++i)
        body += "<\"p\">\n\nParagraph " + std::to_string(i) + "\n\n";
    return document("", body);
}

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST(ParseActions, ProgressFollowsTheSourceLines) {
    const std::string text = longDocument(100);
    ResultsHost host;
    ProgressBudget budget(host, 10);
    ParseSettings settings;
    settings.budget = &budget;
    settings.lineCount = lineCount(text);
    settings.steps = 5;
    EXPECT_EQ(parseText(text, settings).code, 0);
    EXPECT_EQ(host.steps, 5);
    EXPECT_EQ(budget.remaining(), 5);

    // A document of fewer than five lines still parses and posts no more
    // than its five steps.
    ResultsHost small;
    ProgressBudget smallBudget(small, 10);
    settings.budget = &smallBudget;
    settings.lineCount = 2;
    EXPECT_EQ(parseText("<!OPS, Version = 8.0>\nx\n", settings).code, 0);
    EXPECT_LE(small.steps, 5);
}

TEST(ParseActions, CancelStopsTheParseAtTheNextProgressLine) {
    const std::string text = longDocument(100);
    ResultsHost host;
    host.cancelAfterSteps = 2;
    ProgressBudget budget(host, 10);
    ParseSettings settings;
    settings.budget = &budget;
    settings.lineCount = lineCount(text);
    settings.steps = 5;
    const ParsedText parsed = parseText(text, settings);
    EXPECT_EQ(parsed.code, result::Cancelled);
    EXPECT_EQ(host.steps, 2);
}

// A failing comparison of piece kinds names them, as the enumeration does.
TEST(PieceKinds, PrintByName) {
    EXPECT_EQ(::testing::PrintToString(PieceKind::TextAfterFrame), "TextAfterFrame");
    EXPECT_EQ(::testing::PrintToString(PieceKind::Header), "Header");
    EXPECT_EQ(::testing::PrintToString(PieceKind::EndOfTable), "EndOfTable");
    EXPECT_EQ(pieceKindName(static_cast<PieceKind>(99)), "PieceKind(99)");
}
