// The line rule and the quote conversion of QMX text.
#include "qmx/line_joiner.h"
#include "qmx/quote_converter.h"

#include <gtest/gtest.h>

using namespace quillex;

TEST(LineRule, ExternalTagsAndHardReturnsStartLines) {
    const std::vector<std::string> items{"<ps \"para\" 1>", "Hello ", "<:fc 1>", "world",
                                         "<:/fc>",          "<:hr>",  "again",   "<tb 1>",
                                         "<row 1>",         "text"};
    EXPECT_EQ(joinItemsIntoLines(items),
              (std::vector<std::string>{"<ps \"para\" 1>Hello <:fc 1>world<:/fc>", "<:hr>again",
                                        "<tb 1>", "<row 1>text"}));
}

TEST(LineRule, PrefixComponentStaysOnTheParagraphLineOnlyRightAfterIt) {
    EXPECT_EQ(joinItemsIntoLines({"<ps \"list\" 2>", "<pn \"1.\" 1>", "Item"}),
              std::vector<std::string>{"<ps \"list\" 2><pn \"1.\" 1>Item"});
    EXPECT_EQ(joinItemsIntoLines({"<ps \"list\" 2>", "x", "<pn \"1.\" 1>"}),
              (std::vector<std::string>{"<ps \"list\" 2>x", "<pn \"1.\" 1>"}));
    // Text before any tag still forms a line.
    EXPECT_EQ(joinItemsIntoLines({"lead", "<:t>"}), std::vector<std::string>{"lead<:t>"});
}

TEST(QuoteConversion, StraightQuoteClosesAnOpenEnglishQuote) {
    EXPECT_EQ(convertQuotesInLine("<ps \"p\" 1>Say <:ldq>hello\" and \"bye\""),
              "<ps \"p\" 1>Say <:ldq>hello<:rdq> and \"bye\"");
}

TEST(QuoteConversion, GermanQuotesAreClosedByTheEnglishLeftQuote) {
    EXPECT_EQ(convertQuotesInLine("<:glq>Wort<:ldq> dann\""), "<:glq>Wort<:ldq> dann\"");
    EXPECT_EQ(convertQuotesInLine("<:ldq>a<:ldq>b\"c\"d\""), "<:ldq>a<:ldq>b<:rdq>c<:rdq>d\"");
}

TEST(QuoteConversion, QuotesInsideTagsAndOnLaterLinesAreLeftAlone) {
    std::vector<std::string> lines{"<:ldq>open", "\"next line\"",
                                   "<:ldq><r \"quoted \" text\" 3>\""};
    convertQuotes(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"<:ldq>open", "\"next line\"",
                                               "<:ldq><r \"quoted \" text\" 3><:rdq>"}));
}

// The lines joined into QmxLines, quotes paired as they go, are the lines the
// string items give with the quotes paired afterwards; a header put in front
// and a closing line come out in place.
TEST(LineRule, LinesHeldBackToBackAreTheLinesOfStrings) {
    const std::vector<std::string> items = {"<ps \"p\" 1>",
                                            "say <:ldq>hi\" and",
                                            "<:hr>",
                                            " \"x\"",
                                            "<pn \"n\" 1>",
                                            "<ps \"p\" 1>",
                                            "<pn \"n\" 1>",
                                            "<:glq>Wort<:ldq>",
                                            "",
                                            "<tb 1>",
                                            "<row 1>",
                                            std::string(70000, 'w'),
                                            "\"",
                                            "</tb>"};
    std::vector<std::string> expected = joinItemsIntoLines(items);
    convertQuotes(expected);
    const std::vector<std::string_view> views(items.begin(), items.end());
    QmxLines lines;
    joinItemsIntoLines(views, true, lines);
    EXPECT_EQ(lines, expected);

    lines.insertFront({"<qmx \"I2.00\">", "<language \"x\">"});
    lines.add("</qmx>");
    expected.insert(expected.begin(), {"<qmx \"I2.00\">", "<language \"x\">"});
    expected.push_back("</qmx>");
    EXPECT_EQ(lines.strings(), expected);
}
