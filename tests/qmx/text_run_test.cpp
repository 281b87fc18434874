// Diagram string unescaping, ESC runs and visible length.
#include "qmx/character_code.h"
#include "qmx/diagram_text.h"
#include "qmx/escape_run.h"
#include "qmx/visible_length.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillex;

TEST(DiagramText, EscapesBecomeTagsAndCodes) {
    EXPECT_EQ(unescapeDiagramText("a\\\\b \\<x\\> \\ c"), "a\\b <:lt>x<:gt>  c");
    EXPECT_EQ(unescapeDiagramText("\\xa9\\X0105"), "<#a9><#0105>");
    EXPECT_EQ(unescapeDiagramText("x\ty\r\nz"), "xyz");
}

TEST(DiagramText, IncompleteEscapesKeepTheirText) {
    EXPECT_EQ(unescapeDiagramText("\\xg1"), "xg1");
    EXPECT_EQ(unescapeDiagramText("\\X12"), "X12");
    EXPECT_EQ(unescapeDiagramText("\\x1"), "x1");
    EXPECT_EQ(unescapeDiagramText("\\\"q"), "\"q");
    EXPECT_EQ(unescapeDiagramText("end\\"), "end\\");
    EXPECT_EQ(unescapeDiagramText("a\\\nb"), "ab");
}

TEST(DiagramText, UnescapedCodesConvertToTheirCharacters) {
    const std::string text = unescapeDiagramText("\\xa9 \\x3c");
    EXPECT_EQ(text, "<#a9> <#3c>");
    EXPECT_EQ(convertCharacterCodes(text, CodeContext::FrameOrCell, true, false), "\xa9 <:lt>");
}

TEST(EscapeRun, EscTogglesLiteralMode) {
    const std::string esc(1, '\x1b');
    EXPECT_EQ(convertEscapeRun(esc + "a<b>" + esc + "<<c>d"),
              "<:r27>a<:lt>b<:gt><:r27><:lt>c<:gt>d");
    EXPECT_EQ(convertEscapeRun(esc + "x" + esc + "<F0>y<Tab>"), "<:r27>x<:r27><F0>y<Tab>");
}

TEST(EscapeRun, UnclosedAngleBracketStaysText) {
    EXPECT_EQ(convertEscapeRun("a<b"), "a<:lt>b");
    EXPECT_EQ(convertEscapeRun("<F1>a<b"), "<F1>a<:lt>b");
    EXPECT_EQ(convertEscapeRun("a>"), "a<:gt>");
}

TEST(VisibleLength, TopLevelTagsCountOnce) {
    EXPECT_EQ(visibleLength("<:b>abc", false), 4u);
    EXPECT_EQ(visibleLength("a<:xr <:an 1> 2>b", false), 3u);
    EXPECT_EQ(visibleLength("", false), 0u);
    EXPECT_EQ(visibleLength("ab<:lt", false), 3u);
    EXPECT_EQ(visibleLength("a>b", false), 3u);
}

TEST(VisibleLength, JapaneseDoubleByteCharactersCountOnce) {
    const std::string kanji = "\x88\x9f\xe0\x40"; // two double-byte characters
    EXPECT_EQ(visibleLength(kanji, true), 2u);
    EXPECT_EQ(visibleLength(kanji, false), 4u);
    // A trail byte in the lead range is still a trail byte.
    EXPECT_EQ(visibleLength("\x81\x81\x81\x81", true), 2u);
    // Half-width katakana and bytes above the lead range count as characters;
    // a user-defined character (lead 0xF0 to 0xFC) counts once, as the parser
    // reads it.
    EXPECT_EQ(visibleLength("\xb1\xfd", true), 2u);
    EXPECT_EQ(visibleLength("\xb1\xf0\x40\xfc\xfc", true), 3u);
    EXPECT_EQ(visibleLength("<:r27>\x82\xa0", true), 2u);
}
