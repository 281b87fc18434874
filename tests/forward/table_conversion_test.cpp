// Tables through the forward conversion: rows, hidden and read-only rows,
// cells and the markup their tags stand for, frames in cells, page breaks in
// rows.
#include "conversion_fixture.h"

using namespace quillex;
using namespace quillex::testing;

namespace {

using Lines = std::vector<std::string>;

const std::string kDeclarations = "<!Page, Hyphenation = on>\n\n";

std::string table(const std::string& rows) {
    return document(kDeclarations,
                    "<\"p\">\n\n<|, \"1\">Before\n\n<Table, \"t\", Columns = 2>\n\n" + rows +
                        "<End Table>\n\n<\"p\">\n\nAfter\n\n");
}

class TableTest : public ConversionTest {
  protected:
    Lines convertTable(const std::string& rows) {
        EXPECT_EQ(convert("table.DOC", table(rows)), result::Success);
        return body();
    }
};

} // namespace

// The first row hidden: no cells written, and the next row takes the next
// row number. Cells number on through the table, each cell its own number
// even where the cell tags are the same.
TEST_F(TableTest, HiddenFirstRowAndIdenticalCells) {
    const Lines lines = convertTable("<Row, Hidden = yes>\n<Cell><\"c\">Secret\n<Cell><\"c\">X\n"
                                     "<Row>\n<Cell><\"c\">A\n<Cell><\"c\">B\n");
    const Lines expected = {"<page \"1\">",  "<ps \"p\" 1>Before",
                            "<tb 1>",        "<hrow 1>",
                            "<row 2>",       "<ct 1>",
                            "<ps \"c\" 2>A", "</ct>",
                            "<ct 2>",        "<ps \"c\" 2>B",
                            "</ct>",         "</row>",
                            "</tb>",         "<ps \"p\" 1>After",
                            "</page>"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(replacement("<ct 1>"), "<Cell>\n\n\n\n\n");
    EXPECT_EQ(replacement("<ct 2>"), "<Cell>\n\n\n\n\n");
    EXPECT_EQ(pieceTag(PieceKind::Cell, 1), "");
    EXPECT_EQ(pieceTag(PieceKind::Cell, 3), "<ct 1>");
}

// Read-only rows, by their own attribute or by their master row: their text
// stands only in the tag's argument, frames in their cells included, and
// their cells and frames take no numbers.
TEST_F(TableTest, ReadOnlyRowsShowTheirTextInTheTag) {
    const std::string cellFrame = frame("", textString("Label", "0", "0") +
                                                chart("Axis", "0", "0") + chart("Scale", "1", "1"));
    const Lines lines =
        convertTable("<Master Row, \"locked\", Read Only = yes>\n<Cell><\"c\">\n<Cell><\"c\">\n"
                     "<Row, \"locked\">\n<Cell><\"c\">Head <<1<#3e>\n<Cell><\"c\">Two<Tab>" +
                     cellFrame +
                     "\n<Row, Read Only = yes>\n<Cell><\"c\">First\n\n<\"c\">Second\n"
                     "<Row, \"open\">\n<Cell><\"c\">Free\n");
    const Lines expected = {
        "<page \"1\">",
        "<ps \"p\" 1>Before",
        "<tb 1>",
        "<rrow \"<:ct>Head <:lt>1<:gt><:ct>Two<:t><:af>LabelAxis<:p>Scale<:/af>\" 1>",
        "<rrow \"<:ct>First<:p>Second\" 2>",
        "<row 3>",
        "<ct 1>",
        "<ps \"c\" 2>Free",
        "</ct>",
        "</row>",
        "</tb>",
        "<ps \"p\" 1>After",
        "</page>"};
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(host.results.empty());
}

// A cell tag with a page declaration after it: both are the markup of the
// cell's tag. A page break at the end of a row's tag moves in front of the
// table when no row came before it.
TEST_F(TableTest, CellPageDeclarationsAndRowPageBreaks) {
    const Lines lines = convertTable("<Row>\n<|, \"2\">\n<Cell>\n<!Page, Width = 1 inches>\n"
                                     "<\"c\">A\n<Cell, Straddle = 2><\"c\">B\n");
    const Lines expected = {"<page \"1\">",
                            "<ps \"p\" 1>Before",
                            "</page>",
                            "<page \"2\">",
                            "<tb 1>",
                            "<row 1>",
                            "<ct 1>",
                            "<ps \"c\" 2>A",
                            "</ct>",
                            "<ct 2>",
                            "<ps \"c\" 2>B",
                            "</ct>",
                            "</row>",
                            "</tb>",
                            "<ps \"p\" 1>After",
                            "</page>"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(replacement("<ct 1>"), "<Cell>\n\n\n\n\n<!Page, Width = 1 inches>\n\n\n\n\n");
    EXPECT_EQ(knownTag("<Cell, Straddle = 2>\n\n\n\n\n"), "<ct 2>");
}

// Soft returns, as a converted-back document writes them after each line,
// change nothing: the page declaration still belongs to the cell's tag.
TEST_F(TableTest, SoftReturnsBetweenCellAndPageDeclaration) {
    const Lines lines = convertTable("<Row>\n<Cell><SR>\n<!Page, Width = 1 inches><SR>\n"
                                     "<\"c\"><SR>\nA<SR>\n");
    const Lines expected = {"<page \"1\">", "<ps \"p\" 1>Before", "<tb 1>", "<row 1>",
                            "<ct 1>",       "<ps \"c\" 2>A",      "</ct>",  "</row>",
                            "</tb>",        "<ps \"p\" 1>After",  "</page>"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(replacement("<ct 1>"), "<Cell>\n\n\n\n\n<!Page, Width = 1 inches>\n\n\n\n\n");
}

// A frame in a cell becomes <ctart> with the cell numbering; a frame in a
// hidden row is skipped without a number. Every paragraph of a cell is
// offered, each on its own line.
TEST_F(TableTest, FramesInCellsAndParagraphsOfCells) {
    const std::string withText = frame("", textString("Inside", "0", "0"));
    const std::string empty = frame("", "(m1 x)\n");
    const Lines lines = convertTable("<Row, Hidden = yes>\n<Cell><\"c\">H" + empty +
                                     "\n<Row>\n<Cell><\"c\">One\n\n<\"c\">Two" + withText +
                                     "\n<Cell><\"c\">" + empty + "\n");
    const Lines expected = {"<page \"1\">",
                            "<ps \"p\" 1>Before",
                            "<tb 1>",
                            "<hrow 1>",
                            "<row 2>",
                            "<ct 1>",
                            "<ps \"c\" 2>One",
                            "<ps \"c\" 2>Two",
                            "</ct>",
                            "<ctart 2>",
                            "<af 1>",
                            "<ts 1>Inside",
                            "</ts>",
                            "</af>",
                            "</ctart>",
                            "<ct 3>",
                            "<ps \"c\" 2>",
                            "</ct>",
                            "<ctart 4><:iaf 2>",
                            "</ctart>",
                            "</row>",
                            "</tb>",
                            "<ps \"p\" 1>After",
                            "</page>"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(host.results, Lines{"Warning! 1 Equation(s) in frame 2."});
    // The text after a frame in a cell keeps no tag: the table's lines have
    // no place for it, so it keeps its source text.
    EXPECT_EQ(pieceTag(PieceKind::TextAfterFrame, 2), "");
}

// Two tables in a row number on; a table whose last row is read-only still
// closes properly; a table without rows is only its two tags.
TEST_F(TableTest, SeveralTablesAndEmptyTables) {
    const std::string doc =
        document(kDeclarations, "<\"p\">\n\n<|, \"1\">X\n\n<Table>\n<End Table>\n\n<Table>\n"
                                "<Row>\n<Cell><\"c\">A\n<Row, Read Only = yes>\n<Cell><\"c\">B\n"
                                "<End Table>\n\n");
    ASSERT_EQ(convert("two.DOC", doc), result::Success);
    const Lines expected = {"<page \"1\">",
                            "<ps \"p\" 1>X",
                            "<tb 1>",
                            "</tb>",
                            "<tb 2>",
                            "<row 1>",
                            "<ct 1>",
                            "<ps \"c\" 2>A",
                            "</ct>",
                            "</row>",
                            "<rrow \"<:ct>B\" 2>",
                            "</tb>",
                            "</page>"};
    EXPECT_EQ(body(), expected);
    EXPECT_EQ(pieceTag(PieceKind::EndOfTable, 2), "<tb 2>");
}

// A footnote in a cell is an ordinary cell frame: a cell frame holds no
// footnote block.
TEST_F(TableTest, FootnoteInACellIsAnOrdinaryFrame) {
    const std::string note = frame("\tNumbered = '<Autonum, \"fn\", 1, Value = \"a\">',\n",
                                   microDocument("<\"n\">Note"));
    const Lines lines = convertTable("<Row>\n<Cell><\"c\">Text" + note + "\n");
    const Lines expected = {"<page \"1\">",
                            "<ps \"p\" 1>Before",
                            "<tb 1>",
                            "<row 1>",
                            "<ct 1>",
                            "<ps \"c\" 2>Text",
                            "</ct>",
                            "<ctart 2>",
                            "<af 1>",
                            "<tr 1>",
                            "<ps \"n\" 3>Note",
                            "</tr>",
                            "</af>",
                            "</ctart>",
                            "</row>",
                            "</tb>",
                            "<ps \"p\" 1>After",
                            "</page>"};
    EXPECT_EQ(lines, expected);
}
