// Index markers through the forward conversion: headings, sort and see
// texts, markers without entry, the length limits, and the anchors.
#include "conversion_fixture.h"
#include "forward/forward_converter.h"
#include "forward/index_markers.h"

using namespace quillex;
using namespace quillex::testing;

namespace {

using Lines = std::vector<std::string>;

class IndexMarkerTest : public ConversionTest {
  protected:
    // Converts a paragraph "Text" with the index tags `markers` in it.
    int convertMarkers(const std::string& markers) {
        return convert("index.DOC",
                       document("", "<\"p\">\n\n<|, \"1\">Text" + markers + " end\n\n"));
    }
};

std::string heading(std::size_t length) {
    return std::string(length, 'h');
}

} // namespace

// Headings in order (the first <ie>, the others <il>), sort and see texts
// where their attributes stand; the block follows the paragraph, whose
// anchor stays in the text.
TEST_F(IndexMarkerTest, HeadingsSortAndSeeTexts) {
    ASSERT_EQ(convertMarkers("<Index, \"Top\", Sort String = \"top\", \"Sub \"\"quoted\"\"\", "
                             "See Also = \"Other\", Dictionary = \"English\", To Named = x>"),
              result::Success);
    const Lines expected = {"<page \"1\">", "<ps \"p\" 1>Text<:imk 1> end", "<imk 1>",   "<ie>Top",
                            "<ss>top",      "<il>Sub \"quoted\"",           "<sa>Other", "</imk>",
                            "</page>"};
    EXPECT_EQ(body(), expected);
    EXPECT_EQ(replacement("<imk 1>"),
              "<Index, \"Top\", Sort String = \"top\", \"Sub \"\"quoted\"\"\", See Also = "
              "\"Other\", Dictionary = \"English\", To Named = x>");
}

// A marker whose first heading is an empty-entry placeholder, in any of
// its languages, or that has no heading at all, disappears without using a
// number; the ORG copy keeps it.
TEST_F(IndexMarkerTest, MarkersWithoutEntryDisappear) {
    ASSERT_EQ(convertMarkers("<Index, \"**Empty**\"><Index, \"**Leer**\", \"Sub\">"
                             "<Index, \"**Vide**\"><Index, \"**\x82\xC8\x82\xB5**\">"
                             "<Index, Sort = \"s\"><Index, \"Real\">"),
              result::Success);
    const Lines expected = {
        "<page \"1\">", "<ps \"p\" 1>Text<:imk 1> end", "<imk 1>", "<ie>Real", "</imk>", "</page>"};
    EXPECT_EQ(body(), expected);
    EXPECT_NE(readFile(options.orgDirectory + "index.ORG").find("<Index, \"**Empty**\">"),
              std::string::npos);
}

TEST_F(IndexMarkerTest, WithoutPlaceholdersNoAnchorIsLeft) {
    options.markerPlaceholders = MarkerPlaceholders::DontInsert;
    ASSERT_EQ(convertMarkers("<Index, \"Top\">"), result::Success);
    EXPECT_EQ(body(), (Lines{"<page \"1\">", "<ps \"p\" 1>Text end", "<imk 1>", "<ie>Top", "</imk>",
                             "</page>"}));
}

// Index texts convert like attribute texts with quote tags; "<<#" reads as
// a character code.
TEST_F(IndexMarkerTest, IndexTextsAreConverted) {
    ASSERT_EQ(convertMarkers("<Index, \"<#7f>Caf<<#e9>\"\" <<x>\">"), result::Success);
    EXPECT_EQ(body()[2], "<imk 1>");
    EXPECT_EQ(body()[3], "<ie><:ldq>Caf\xe9<:rdq> <:lt>x<:gt>");
}

// 250 visible characters (an internal tag counting one) convert with the
// two warnings; 200 convert without; 251 end the file with 1060.
TEST_F(IndexMarkerTest, LengthLimits) {
    ASSERT_EQ(convertMarkers("<Index, \"" + heading(200) + "\">"), result::Success);
    EXPECT_TRUE(host.results.empty());

    ASSERT_EQ(
        convertMarkers("<Index, \"" + heading(249) + "<#7f>\", Sort = \"" + heading(201) + "\">"),
        result::Success);
    EXPECT_EQ(host.results, (Lines{"Warning! Marker with more than 200 characters found!",
                                   "This may cause problems when translated. See The Quillex "
                                   "documentation.",
                                   "Warning! Marker with more than 200 characters found!",
                                   "This may cause problems when translated. See The Quillex "
                                   "documentation."}));
    EXPECT_EQ(convertMarkers("<Index, \"Top\", \"" + heading(251) + "\">"),
              result::IndexMarkerTooLong);
}

// In a batch, a file ending with 1060 leaves no ORG copy, no QMX file and
// no ancillary section; the files after it convert.
TEST_F(IndexMarkerTest, TooLongMarkerEndsOnlyItsFile) {
    const std::string good = document("", "<\"p\">\n\n<|, \"1\">Fine\n\n");
    const std::string bad =
        document("", "<\"p\">\n\n<|, \"1\">Bad<Index, \"" + heading(300) + "\">\n\n");
    ASSERT_EQ(convert("first.DOC", good), result::Success);
    ASSERT_EQ(convert("bad.DOC", bad), result::IndexMarkerTooLong);
    ASSERT_EQ(convert("last.DOC", good), result::Success);
    EXPECT_EQ(listFolder(options.orgDirectory),
              (Lines{"first.ORG", "first.TXT", "last.ORG", "last.TXT"}));
    EXPECT_EQ(listFolder(options.translatedDirectory), (Lines{"first.TXT", "last.TXT"}));
    EXPECT_EQ(collector.files, (Lines{"FIRST.DOC", "LAST.DOC"}));
    EXPECT_TRUE(section("BAD.DOC").empty());
}

// The limit holds for index markers in the ancillary text as well.
TEST_F(IndexMarkerTest, TooLongMarkerInAFormatEndsTheFile) {
    const std::string doc = document("<!Class, \"shared\", Contents = Shared>\n\nX<Index, \"" +
                                         heading(251) + "\">\n\n",
                                     "<\"shared\">\n\n");
    EXPECT_EQ(convert("format.DOC", doc), result::IndexMarkerTooLong);
    EXPECT_TRUE(collector.lines.empty());
    EXPECT_TRUE(listFolder(options.orgDirectory).empty());
}

TEST(IndexText, PlaceholdersAreWholeQuotedValues) {
    EXPECT_TRUE(isEmptyEntryPlaceholder("\"**Empty**\""));
    EXPECT_TRUE(isEmptyEntryPlaceholder("\"**\x82\xC8\x82\xB5**\""));
    EXPECT_FALSE(isEmptyEntryPlaceholder("**Empty**"));
    EXPECT_FALSE(isEmptyEntryPlaceholder("\"**Empty** \""));
    EXPECT_FALSE(isEmptyEntryPlaceholder("\"**empty**\""));
}

// The index length warnings concern the translation too: the backward
// conversion, which reports only such notes of the skeleton's analysis,
// reports them; the other warnings it does not.
TEST(IndexText, LengthWarningsConcernTheTranslation) {
    TagRegistry::TagMap known;
    TagRegistry::TagMap replacements;
    TagRegistry registry(known, replacements);
    ClassTable classes;
    AnalysisNotes notes;
    BodySettings settings;
    const ConversionContext context{registry, classes, settings, &notes};
    EXPECT_EQ(convertIndexText("\"" + heading(201) + "\"", context), heading(201));
    context.warn(MessageId::EquationsInFrame, 1, 1);
    EXPECT_EQ(notes.all().size(), 3u);
    ResultsHost host;
    notes.report(host, true);
    EXPECT_EQ(host.results, (Lines{"Warning! Marker with more than 200 characters found!",
                                   "This may cause problems when translated. See The Quillex "
                                   "documentation."}));
}
