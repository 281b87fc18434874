// Cutting QMX lines into segments, and collecting tags from a text.
#include "verifier/segment_scanner.h"

#include <gtest/gtest.h>

using namespace quillex::verifier;

namespace {

std::vector<std::string> tagTexts(const std::vector<Segment>& segments) {
    std::vector<std::string> tags;
    for (const Segment& segment : segments)
        tags.push_back(segment.tagText);
    return tags;
}

std::vector<std::string> texts(const std::vector<Segment>& segments) {
    std::vector<std::string> result;
    for (const Segment& segment : segments)
        result.push_back(segment.text);
    return result;
}

} // namespace

TEST(SegmentScanner, EachExternalTagStartsASegmentThatRunsToTheNext) {
    const auto segments = cutIntoSegments(
        {"<qmx \"I2.00\">", "<ps \"Body\" 1>Some <:b>bold<:/b> text", "<:hr>more", "</qmx>"});
    EXPECT_EQ(tagTexts(segments),
              (std::vector<std::string>{"<qmx \"I2.00\">", "<ps \"Body\" 1>", "</qmx>"}));
    EXPECT_EQ(texts(segments), (std::vector<std::string>{
                                   "<qmx \"I2.00\">\n",
                                   "<ps \"Body\" 1>Some <:b>bold<:/b> text\n<:hr>more\n",
                                   "</qmx>\n",
                               }));
    for (const Segment& segment : segments) {
        EXPECT_EQ(segment.tagNumber, 123);
        EXPECT_EQ(segment.category, 0);
        EXPECT_FALSE(segment.handled);
    }
}

TEST(SegmentScanner, AnExternalTagInsideALineStartsANewSegment) {
    const auto segments = cutIntoSegments({"<qmx \"I2.00\">", "a<b>c"});
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[0].text, "<qmx \"I2.00\">\na");
    EXPECT_EQ(segments[1].tagText, "<b>");
    EXPECT_EQ(segments[1].text, "<b>c\n");
}

TEST(SegmentScanner, AnExternalTagInsideAnotherGivesASegmentWithoutTagText) {
    const auto segments = cutIntoSegments({"<qmx \"I2.00\">", "<ps \"a<b>c\" 1>x"});
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[1].tagText, "");
    EXPECT_EQ(segments[1].text, "<ps \"a");
    EXPECT_EQ(segments[2].tagText, "<b>");
    EXPECT_EQ(segments[2].text, "<b>c\" 1>x\n");
}

TEST(SegmentScanner, AnUnclosedTagAtTheEndJoinsTheLastSegment) {
    const auto segments = cutIntoSegments({"<qmx \"I2.00\">", "<ps \"x\" 1>text", "<page \"1"});
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[1].text, "<ps \"x\" 1>text\n<page \"1\n");
}

TEST(SegmentScanner, OddBracketRunsNeverLoseText) {
    const std::vector<std::string> lines = {"<qmx \"I2.00\">", "<<>>x<", ">>", "<>", "<:<a>>"};
    std::string all;
    for (const std::string& line : lines)
        all += line + "\n";
    std::string joined;
    for (const Segment& segment : cutIntoSegments(lines))
        joined += segment.text;
    EXPECT_EQ(joined, all);
}

TEST(SegmentScanner, NoLinesGiveNoSegments) {
    EXPECT_TRUE(cutIntoSegments({}).empty());
}

TEST(SegmentScanner, TextWithoutAnyTagStillBecomesASegment) {
    const auto segments = cutIntoSegments({"plain"});
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].tagText, "");
    EXPECT_EQ(segments[0].text, "plain\n");
}

TEST(ForEachTag, CollectsTopLevelTagsAndTreatsStrayClosersAsText) {
    std::vector<std::string> tags;
    forEachTag("a > <:b>x<:fc <:lt>>y<:open",
               [&](std::string_view tag) { tags.emplace_back(tag); });
    EXPECT_EQ(tags, (std::vector<std::string>{"<:b>", "<:fc <:lt>>"}));
}
