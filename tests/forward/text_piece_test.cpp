// Spans of grammar symbols and the file registry.
#include "forward/file_registry.h"
#include "forward/source_text.h"
#include "forward/text_piece.h"
#include "parser/ss_lex_lexeme.h"

#include <gtest/gtest.h>

using namespace quillex;

namespace {

CTextPiece span(std::uint32_t sl, std::uint32_t sc, std::uint32_t el, std::uint32_t ec,
                std::string text = "x") {
    CTextPiece piece;
    piece.text = std::move(text);
    piece.startLine = sl;
    piece.startColumn = sc;
    piece.endLine = el;
    piece.endColumn = ec;
    return piece;
}

} // namespace

TEST(TextPiece, ValidityNeedsFourPositionsAnOrderedRangeAndText) {
    EXPECT_TRUE(span(1, 1, 1, 2).isValid());
    EXPECT_FALSE(span(0, 1, 1, 2).isValid());
    EXPECT_FALSE(span(1, 1, 1, 0).isValid());
    EXPECT_FALSE(span(2, 1, 1, 5).isValid());
    EXPECT_FALSE(span(1, 5, 1, 4).isValid());
    EXPECT_FALSE(span(1, 1, 1, 2, "").isValid());
    EXPECT_TRUE(span(1, 1, 1, 2, "").hasRange());
}

TEST(TextPiece, MergingTakesTheEarlierStartAndTheLaterEnd) {
    CTextPiece a;
    a.mergeSpan(span(3, 4, 3, 9));
    EXPECT_EQ(a.startLine, 3u);
    EXPECT_EQ(a.endColumn, 9u);
    a.mergeSpan(span(2, 7, 2, 8));
    a.mergeSpan(span(5, 1, 6, 1));
    EXPECT_EQ(a.startLine, 2u);
    EXPECT_EQ(a.startColumn, 7u);
    EXPECT_EQ(a.endLine, 6u);
    EXPECT_EQ(a.endColumn, 1u);
    // A span without a range changes nothing.
    a.mergeSpan(span(0, 0, 0, 0));
    EXPECT_EQ(a.startLine, 2u);
}

TEST(TextPiece, ALexemeEndsAfterItsLastCharacter) {
    auto one = SSLexLexeme::create("<F0>", 7, 4, 10);
    const CTextPiece a = spanOfLexeme(*one, 3);
    EXPECT_EQ(a.text, "<F0>");
    EXPECT_EQ(a.fileNumber, 3);
    EXPECT_EQ(a.startLine, 4u);
    EXPECT_EQ(a.startColumn, 10u);
    EXPECT_EQ(a.endLine, 4u);
    EXPECT_EQ(a.endColumn, 14u);
    auto multi = SSLexLexeme::create("<!Class,\n\tFont = F1>\n\n", 29, 2, 1);
    const CTextPiece b = spanOfLexeme(*multi, 1);
    EXPECT_EQ(b.endLine, 5u);
    EXPECT_EQ(b.endColumn, 1u);
    auto crlf = SSLexLexeme::create("ab\r\ncd", 4, 1, 1);
    const CTextPiece c = spanOfLexeme(*crlf, 1);
    EXPECT_EQ(c.endLine, 2u);
    EXPECT_EQ(c.endColumn, 3u);
    EXPECT_TRUE(b.adjoins(span(5, 1, 5, 2)));
}

TEST(TextPiece, SourceTextCutsRangesByLineAndColumn) {
    const SourceText source("ab\ncd\nefghij\n");
    EXPECT_EQ(source.between(1, 1, 3, 5), "ab\ncd\nefgh");
    EXPECT_EQ(source.between(2, 2, 2, 3), "d");
    EXPECT_EQ(source.textOf(span(3, 5, 4, 1)), "ij\n");
    // Positions past a line or the text are clamped; reversed ranges are empty.
    EXPECT_EQ(source.between(1, 9, 2, 1), "\n");
    EXPECT_EQ(source.between(9, 1, 9, 9), "");
    EXPECT_EQ(source.between(3, 1, 1, 1), "");
}

TEST(FileRegistry, NumbersPathsOnceWithoutRegardToCase) {
    const int first = registerFile("/tmp/registry/Chapter.DOC");
    const int again = registerFile("/TMP/REGISTRY/chapter.doc");
    const int other = registerFile("/tmp/registry/other.DOC");
    EXPECT_EQ(first, again);
    EXPECT_EQ(other, first + 1);
    EXPECT_EQ(fileName(first), "/tmp/registry/Chapter.DOC");
    EXPECT_EQ(fileName(other), "/tmp/registry/other.DOC");
    EXPECT_EQ(fileName(0), "");
    EXPECT_EQ(fileName(other + 1000), "");
}
