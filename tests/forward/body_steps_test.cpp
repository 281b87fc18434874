// The steps around item conversion: page breaks between paragraphs,
// anchored blocks behind their paragraph, font balancing, and lines.
#include "conversion/result_code.h"
#include "forward/anchored_blocks.h"
#include "forward/font_balancing.h"
#include "forward/page_breaks.h"
#include "item_test_fixture.h"

using namespace quillex;
using namespace quillex::testing;

TEST(PageBreaks, TheFirstMarkGoesToTheHeadLaterOnesBetweenParagraphs) {
    EXPECT_EQ(
        strings(placePageBreaks(
            {"<\"a\">", "x", EOP, "<\"b\">", "<|,1>", "y", EOP, "<\"c\">", "z", "<|,2>", "w"})),
        (Items{"<|,1>", "<\"a\">", "x", EOP, "<\"b\">", "y", EOP, "<|,2>", "<\"c\">", "z", "w"}));
}

TEST(PageBreaks, AMarkWithNoParagraphEndBeforeItIsDropped) {
    EXPECT_EQ(
        strings(placePageBreaks({"a", "<|,1>", "b", "<|,2>", "c", EOP, "d", "<|,3>", "<|,4>"})),
        (Items{"<|,1>", "a", "b", "c", EOP, "<|,3>", "<|,4>", "d"}));
}

TEST(PageBreaks, MarksInsideTablesAndMicroDocuments) {
    // Before the first row a mark goes in front of the table; after it, it
    // is dropped. Paragraph ends inside micro-documents do not count.
    EXPECT_EQ(strings(placePageBreaks({"<|,1>",  "p", EOP, "<tb 1>", "<|,2>",  "<row 1>", "<|,3>",
                                       "<ct 1>", "c", EOP, "</ct>",  "</row>", "</tb>",   "q",
                                       "<tr 1>", "m", EOP, "</tr>",  "r",      "<|,4>"})),
              (Items{"<|,1>", "p", EOP, "<|,2>", "<tb 1>", "<row 1>", "<ct 1>", "c", EOP, "<|,4>",
                     "</ct>", "</row>", "</tb>", "q", "<tr 1>", "m", EOP, "</tr>", "r"}));
}

TEST(AnchoredBlocks, AFrameMovesBehindItsParagraphAndLeavesItsAnchor) {
    TagRegistry::TagMap known, replacements;
    TagRegistry registry(known, replacements);
    const Items out = strings(moveAnchoredBlocks(
        {"<ps \"p\" 1>", "see ", "<af 3>", "<ts 1>", "label", "</ts>", "</af>", " here", "<af 4>",
         "<ts 2>", "two", "</ts>", "</af>", ".", "<ps \"p\" 1>", "next"},
        registry, MarkerPlaceholders::Insert));
    EXPECT_EQ(out, (Items{"<ps \"p\" 1>", "see ", "<:af 3>", " here", "<:af 4>", ".", "<af 3>",
                          "<ts 1>", "label", "</ts>", "</af>", "<af 4>", "<ts 2>", "two", "</ts>",
                          "</af>", "<ps \"p\" 1>", "next"}));
    EXPECT_EQ(replacements.at("<:af 3>"), "<:af 3>");
    EXPECT_EQ(known.at("<:af 4>"), "<:af 4>");
}

TEST(AnchoredBlocks, FootnotesIndexMarkersAndCellFrames) {
    TagRegistry::TagMap known, replacements;
    TagRegistry registry(known, replacements);
    const Items items = {
        "<ps \"p\" 1>", "a",      "<:fn 1 1>", "<fn 1 1>", "<af 2>", "n",      "</af>",
        "</fn>",        "b",      "<imk 1>",   "<ie>",     "entry",  "</imk>", "c",
        "<ctart 5>",    "<af 6>", "</af>",     "</ctart>", "d"};
    // The last paragraph's blocks go to the end of the list.
    EXPECT_EQ(
        strings(moveAnchoredBlocks(views(items), registry, MarkerPlaceholders::Insert)),
        (Items{"<ps \"p\" 1>", "a",     "<:fn 1 1>", "b",    "<:imk 1>", "c",      "<ctart 5>",
               "<af 6>",       "</af>", "</ctart>",  "d",    "<fn 1 1>", "<af 2>", "n",
               "</af>",        "</fn>", "<imk 1>",   "<ie>", "entry",    "</imk>"}));
    // With MARKER_PLACEHOLDERS = 1 the index marker leaves no anchor.
    const Items out =
        strings(moveAnchoredBlocks(views(items), registry, MarkerPlaceholders::DontInsert));
    EXPECT_EQ(Items(out.begin(), out.begin() + 5),
              (Items{"<ps \"p\" 1>", "a", "<:fn 1 1>", "b", "c"}));
}

TEST(AnchoredBlocks, EveryLineStartEndsAParagraph) {
    TagRegistry::TagMap known, replacements;
    TagRegistry registry(known, replacements);
    for (const char* start :
         {"<ps \"a\" 1>", "<pn \"a\" 1>", "<r \"a\" 1>", "<v \"a\" 1>", "<xrv \"a\" 1>", "<tb 1>",
          "<cnmk 1>", "</vfmt>", "</pnfmt>", "</page>", "</ct>", "</tr>"}) {
        EXPECT_TRUE(isLineStart(start)) << start;
        EXPECT_EQ(strings(moveAnchoredBlocks({"x", "<af 1>", "</af>", "y", start, "z"}, registry,
                                             MarkerPlaceholders::Insert)),
                  (Items{"x", "<:af 1>", "y", "<af 1>", "</af>", start, "z"}));
    }
    EXPECT_FALSE(isLineStart("<page \"1\">"));
    EXPECT_FALSE(isLineStart("<:pn \"a\" 1>"));
}

// Also when an earlier block of the kind stands before it: that block's
// start is not taken for this one's.
TEST(AnchoredBlocks, ABlockWithoutItsStartEndsTheRun) {
    TagRegistry::TagMap known, replacements;
    TagRegistry registry(known, replacements);
    const std::vector<Items> lists = {
        {"<ps \"p\" 1>", "a", "</af>"},
        {"<ps \"p\" 1>", "a", "<af 1>", "<ts 1>", "</ts>", "</af>", "b", "<ts 2>", "</af>"},
    };
    for (const Items& items : lists) {
        try {
            moveAnchoredBlocks(views(items), registry, MarkerPlaceholders::Insert);
            ADD_FAILURE() << "no exception for " << items.size() << " items";
        } catch (const ConversionFailure& failure) {
            EXPECT_EQ(failure.code(), result::ParserError);
        }
    }
}

TEST(FontBalancing, EmptyFontChangesGoAndOpenOnesAreClosed) {
    EXPECT_EQ(strings(balanceFonts({"<:fc 1>", "w", "<:/fc>"})), (Items{"<:fc 1>", "w", "<:/fc>"}));
    EXPECT_EQ(strings(balanceFonts({"a", "<:fc 1>", "<:/fc>", "b"})), (Items{"a", "b"}));
    // Open at the next paragraph: closed before its tag.
    EXPECT_EQ(strings(balanceFonts({"<ps \"p\" 1>", "<:fc 1>", "x", "<ps \"p\" 1>", "y"})),
              (Items{"<ps \"p\" 1>", "<:fc 1>", "x", "<:/fc>", "<ps \"p\" 1>", "y"}));
    // Closed before the next font change and before a subcomponent end.
    EXPECT_EQ(strings(balanceFonts({"<:fc 1>", "x", "<:fc 2>", "y", "<:/sc>", "z"})),
              (Items{"<:fc 1>", "x", "<:/fc>", "<:fc 2>", "y", "<:/fc>", "<:/sc>", "z"}));
    // Nothing to enclose: before an external tag, a subcomponent end or the end.
    EXPECT_EQ(strings(balanceFonts({"<:fc 1>", "<ps \"p\" 1>", "<:fc 2>", "<:/cs>", "<:fc 3>"})),
              (Items{"<ps \"p\" 1>", "<:/cs>"}));
    // A stray end goes.
    EXPECT_EQ(strings(balanceFonts({"a", "<:/fc>", "b", "<:/fc>"})), (Items{"a", "b"}));
    // Of two font changes in a row the second is the font of the text.
    EXPECT_EQ(strings(balanceFonts({"<:fc 1>", "<:fc 2>", "x", "<:/fc>"})),
              (Items{"<:fc 2>", "x", "<:/fc>"}));
    // An internal tag is text for the font.
    EXPECT_EQ(strings(balanceFonts({"<:fc 1>", "<:t>", "<:/fc>"})),
              (Items{"<:fc 1>", "<:t>", "<:/fc>"}));
}

TEST_F(ItemTest, FontChangesAcrossTheBodyAreBalancedLineByLine) {
    EXPECT_EQ(lines({"<\"p\">", "<F25>", "bold", EOP, "<\"p\">", "plain ", "<F25>", "<F0>", "word",
                     "<HR>", "<F22>", "x", "<F0>", EOP}),
              (Items{"<page \"\">", "<ps \"p\" 1><:fc 1>bold<:/fc>", "<ps \"p\" 1>plain word",
                     "<:hr><:fc 2>x<:/fc>", "</page>"}));
}

TEST_F(ItemTest, LinesPairQuotesWhenSmartQuotesAreOn) {
    const Items items = {"<|,\"1\">", "<\"p\">", "<#7f>",   "word\" and \"plain\"",
                         EOP,         "<\"p\">", "<#0118>", "Wort",
                         "<#7f>",     " \"x\""};
    EXPECT_EQ(lines(items), (Items{"<page \"1\">", "<ps \"p\" 1><:ldq>word<:rdq> and \"plain\"",
                                   "<ps \"p\" 1><:glq>Wort<:ldq> \"x\"", "</page>"}));
    settings.characters.smartQuotes = false;
    known.clear();
    replacements.clear();
    TagRegistry fresh(known, replacements);
    BodyConverter body(fresh, classes, extensions, settings, &notes);
    EXPECT_EQ(body.toLines(body.convertItems(views(items))),
              (Items{"<page \"1\">", "<ps \"p\" 1>\"word\" and \"plain\"",
                     "<ps \"p\" 1>\x84Wort\" \"x\"", "</page>"}));
}

TEST_F(ItemTest, PageBreaksInTheMiddleOfAParagraphMoveToItsStart) {
    EXPECT_EQ(lines({"<\"t\">", "<|,1>", "Title", EOP, "<\"p\">", "first half ", "<|, \"2\">",
                     "second half", EOP}),
              (Items{"<page \"1\">", "<ps \"t\" 1>Title", "</page>", "<page \"2\">",
                     "<ps \"p\" 2>first half second half", "</page>"}));
}
