// The text outside the body: a file's section of the ancillary file with its
// headers and footers, shared items, formats and streams, the length
// warnings of streams, and the shared items a document registers.
#include "conversion_fixture.h"

using namespace quillex;
using namespace quillex::testing;

namespace {

using Lines = std::vector<std::string>;

class AncillarySectionTest : public ConversionTest {
  protected:
    Lines convertDocument(const std::string& declarations, const std::string& body = "X") {
        EXPECT_EQ(
            convert("doc.DOC", document(declarations, "<\"p\">\n\n<|, \"1\">" + body + "\n\n")),
            result::Success);
        return section("DOC.DOC");
    }

    // The lines of `section` from `heading` to the next block heading.
    static Lines block(const Lines& section, const std::string& heading) {
        auto start = std::find(section.begin(), section.end(), "<bb \"" + heading + "\">");
        if (start == section.end())
            return {"(no block)"};
        auto end = std::find_if(start + 1, section.end(), [](const std::string& line) {
            return line.ends_with("Formats\">") || line.starts_with("</file");
        });
        return {start + 1, end};
    }
};

} // namespace

TEST_F(AncillarySectionTest, DocumentWithoutFormatsStillHasItsSection) {
    const Lines expected = {"<file \"DOC.DOC\">",
                            "<bb \"Page Header/Footer Formats\">",
                            "<bb \"Shared Frame Formats\">",
                            "<bb \"Text In Shared Named Object Formats\">",
                            "<bb \"Variable Formats\">",
                            "<bb \"Prefix Formats\">",
                            "<bb \"Autonumber Stream Formats\">",
                            "<bb \"Page Number Stream Formats\">",
                            "</file \"DOC.DOC\">"};
    EXPECT_EQ(convertDocument(""), expected);
    EXPECT_EQ(collector.lines, expected);
    for (const std::string& line : expected)
        EXPECT_EQ(replacement(line), line);
}

// Page number streams: a block when the stream is named and a prefix holds
// text; prefixes of more than 5 visible characters warn with the limit 9.
TEST_F(AncillarySectionTest, PageNumberStreams) {
    const Lines section = convertDocument(
        "<!Page Number Stream, Name = \"empty\", Page # Prefix = \"\", Page # Prefix Two = >\n"
        "<!Page Number Stream, Page # Prefix = \"nameless\">\n"
        "<!Page Number Stream, Name = \"five\", Page # Prefix = \"12345\">\n"
        "<!Page Number Stream, Name = \"six\", Page # Prefix Two = \"<#7f>2345\"\"\">\n\n");
    EXPECT_EQ(block(section, "Page Number Stream Formats"),
              (Lines{"<bb \"Page Number Stream Format\">", "<pgfmt \"five\">",
                     "<bb \"Prefix1\">12345", "</pgfmt>", "<bb \"Page Number Stream Format\">",
                     "<pgfmt \"six\">", "<bb \"Prefix2\"><:ldq>2345\"", "</pgfmt>"}));
    EXPECT_EQ(host.results,
              (Lines{"Warning! The Page Number Stream 'six' Prefix '<:ldq>2345\"' is 6 characters "
                     "long.",
                     "After translation it may exceed the maximum length in Interleaf (9 "
                     "characters)."}));
}

// Autonumber streams: in a document, a block at the stream's first
// reference only, with the level texts that are not empty; 12 visible
// characters warn with the limit 15, 11 do not.
TEST_F(AncillarySectionTest, AutonumberStreams) {
    const Lines section = convertDocument(
        "<!Autonumber Stream, \"used\", 3, Level 1 Prefix = \"elevenchars\", "
        "Level 1 Suffix = \"\", Level 2 Suffix = \"twelve chars\", Level 3 Prefix = >\n"
        "<!Autonumber Stream, \"unused\", 1, Level 1 Prefix = \"U\">\n"
        "<!Autonumber Stream, \"bare\", 1>\n\n",
        "<Autonum, \"used\", 1, Value = \"1\">A<Autonum, \"used\", 2>B<Autonum, \"bare\", 1>");
    EXPECT_EQ(block(section, "Autonumber Stream Formats"),
              (Lines{"<bb \"Autonumber Stream Format\">", "<anfmt \"used\">",
                     "<bb \"Level 1 Prefix\">elevenchars", "<bb \"Level 2 Suffix\">twelve chars",
                     "</anfmt>"}));
    EXPECT_EQ(host.results,
              (Lines{"Warning! The Level 2 Suffix in the Autonumber Stream 'used' is 12 "
                     "characters long.",
                     "After translation it may exceed the maximum length in Interleaf (15 "
                     "characters)."}));
    EXPECT_EQ(collector.autonumberStreams.at("used"), Lines{options.inputPath});
    EXPECT_EQ(collector.autonumberStreams.at("bare"), Lines{options.inputPath});
    EXPECT_EQ(collector.autonumberStreams.count("unused"), 0u);
}

// Formats of classes with shared contents: collected at their first use,
// prefixes apart; a format whose text uses another shared class brings that
// one too; autonumbers in formats are markers.
TEST_F(AncillarySectionTest, VariableAndPrefixFormats) {
    const Lines section = convertDocument(
        "<!Class, \"item\", Contents = Prefix>\n\n"
        "<!Class, \"|:item\", Contents = Shared>\n\n<Autonum, \"n\", 1, Value = \"1\"><Tab>\n\n"
        "<!Class, \"outer\", Contents = Shared>\n\nSee <\"inner\", Subcomponent = yes>"
        "in<End Sub><F0>\n\n"
        "<!Class, \"inner\", Contents = Shared>\n\nInner text\n\n"
        "<!Class, \"idle\", Contents = Shared>\n\nNever used\n\n",
        "X\n\n<\"item\">\n\n<\"|:item\", Subcomponent = yes><F0>1.<Tab><End Sub><F0>Step\n\n"
        "<\"outer\">\n\n<\"outer\">");
    EXPECT_EQ(block(section, "Variable Formats"),
              (Lines{"<bb \"Variable Format\">", "<vfmt \"outer\">See <:v \"in\" 2>", "</vfmt>",
                     "<bb \"Variable Format\">", "<vfmt \"inner\">Inner text", "</vfmt>"}));
    EXPECT_EQ(block(section, "Prefix Formats"),
              (Lines{"<bb \"Prefix Format\">", "<pnfmt \"|:item\"><:crmk 1><:t>", "</pnfmt>"}));
    EXPECT_EQ(collector.classes.at("inner"), Lines{options.inputPath});
    EXPECT_EQ(collector.classes.count("idle"), 0u);
    EXPECT_EQ(replacement("<:crmk 1>"), "<Autonum, \"n\", 1, Value = \"1\">");
    EXPECT_EQ(pieceTag(PieceKind::Class, 2), "<pnfmt \"|:item\">");
    EXPECT_EQ(pieceTag(PieceKind::Class, 5), "");
}

// Headers and footers are converted as frames with their block names, and
// one without texts is an empty <af> block; their autonumbers are markers,
// their index markers move behind their paragraph, their frames stay where
// they are.
TEST_F(AncillarySectionTest, HeadersAndFooters) {
    const std::string header = "<Page Header, Frame =\nV11,\n" + textString("Top", "0", "0") +
                               ">\n\n<First Page Footer, Frame =\nV11,\n" +
                               microDocument("<\"f\"><Index, \"Foot\">Page <Autonum, \"p\", 1, "
                                             "Value = \"3\"> of <#80a1>") +
                               ">\n\n<Right Page Header, Frame =\nV11,\n(m1 x)\n>\n\n";
    const Lines section = convertDocument(header);
    EXPECT_EQ(block(section, "Page Header/Footer Formats"),
              (Lines{"<bb \"Page Header Format\">", "<af 1>", "<ts 1>Top", "</ts>", "</af>",
                     "<bb \"First Page Footer Format\">", "<af 2>", "<tr 1>",
                     "<ps \"f\" 2><:imk 1>Page <:crmk 1> of <:bb \"Filename\">", "<imk 1>",
                     "<ie>Foot", "</imk>", "</tr>", "</af>", "<bb \"Right Page Header Format\">",
                     "<af 3>", "</af>"}));
    EXPECT_EQ(host.results, Lines{"Warning! 1 Equation(s) in frame 3."});
    // In the declarations, the text after them is not looked up.
    EXPECT_EQ(pieceTag(PieceKind::TextAfterFrame, 1), "");
    EXPECT_EQ(pieceTag(PieceKind::PageHeader), "<af 1>");
}

// A header in the body leaves the text after it in the body, under the
// header's tag.
TEST_F(AncillarySectionTest, HeaderInTheBody) {
    const std::string doc = document("", "<\"p\">\n\n<|, \"1\">A\n\n<Page Footer, Frame =\nV11,\n" +
                                             textString("F", "0", "0") + ">\n\n<\"p\">\n\nB\n\n");
    ASSERT_EQ(convert("doc.DOC", doc), result::Success);
    EXPECT_EQ(body(), (Lines{"<page \"1\">", "<ps \"p\" 1>A", "<ps \"p\" 1>B", "</page>"}));
    EXPECT_EQ(pieceTag(PieceKind::TextAfterFrame), "<af 1>");
    EXPECT_EQ(block(section("DOC.DOC"), "Page Header/Footer Formats"),
              (Lines{"<bb \"Page Footer Format\">", "<af 1>", "<ts 1>F", "</ts>", "</af>"}));
}

// Sections follow each other in batch order; a second document using the
// same shared items adds itself to their users.
TEST_F(AncillarySectionTest, UsersAccumulateOverTheBatch) {
    const std::string declarations = "<!Class, \"s\", Contents = Shared>\n\nShared\n\n";
    const std::string doc = document(declarations, "<\"s\">\n\n");
    ASSERT_EQ(convert("one.DOC", doc), result::Success);
    const std::string first = options.inputPath;
    ASSERT_EQ(convert("two.DOC", doc), result::Success);
    EXPECT_EQ(collector.classes.at("s"), (Lines{first, options.inputPath}));
    EXPECT_EQ(collector.files, (Lines{"ONE.DOC", "TWO.DOC"}));
    EXPECT_EQ(collector.lines.front(), "<file \"ONE.DOC\">");
    EXPECT_EQ(collector.lines.back(), "</file \"TWO.DOC\">");
}
