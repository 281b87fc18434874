// Cutting QMX lines into segments, and collecting tags from a text.
#include "verifier/segment_scanner.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillex::verifier;

namespace {

// The lines as a file whose segments view its own text.
TaggedFile cut(const std::vector<std::string>& lines) {
    TaggedFile file;
    loadSegments(file, joinLines(lines));
    return file;
}

std::vector<std::string> tagTexts(const std::vector<Segment>& segments) {
    std::vector<std::string> tags;
    for (const Segment& segment : segments)
        tags.emplace_back(segment.tagText());
    return tags;
}

std::vector<std::string> texts(const std::vector<Segment>& segments) {
    std::vector<std::string> result;
    for (const Segment& segment : segments)
        result.emplace_back(segment.text);
    return result;
}

// The cutter as it was first written, one character at a time into string
// copies: the model that the cutter over views must follow exactly.
class ModelCutter {
  public:
    struct Piece {
        std::string tagText;
        std::string text;
    };

    std::vector<Piece> cut(const std::vector<std::string>& lines) {
        if (lines.empty())
            return {};
        for (const std::string& line : lines) {
            for (char c : line)
                feed(c);
            feed('\n');
        }
        if (!pendingTag_.empty() || pieces_.empty())
            endPiece();
        else
            pieces_.back().text += buffer_;
        return pieces_;
    }

  private:
    void feed(char c) {
        if (previous_ == '<' && c != ':' && tagSeen_) {
            buffer_.pop_back();
            endPiece();
            buffer_.assign(1, '<');
            depth_ = 1;
        }
        if (previous_ == '<')
            tagSeen_ = true;
        buffer_ += c;
        if (c == '<')
            ++depth_;
        else if (c == '>' && --depth_ == 0 && pendingTag_.empty())
            pendingTag_ = buffer_;
        previous_ = c;
    }

    void endPiece() {
        pieces_.push_back({pendingTag_, buffer_});
        pendingTag_.clear();
        buffer_.clear();
    }

    std::vector<Piece> pieces_;
    std::string buffer_;
    std::string pendingTag_;
    int depth_ = 0;
    char previous_ = '\0';
    bool tagSeen_ = false;
};

// The balance of a text's brackets, found by walking it byte by byte.
BracketBalance scannedBalance(std::string_view text) {
    long depth = 0;
    BracketBalance firstFault = BracketBalance::Sound;
    for (char c : text) {
        depth += c == '<' ? 1 : c == '>' ? -1 : 0;
        if (firstFault == BracketBalance::Sound && depth < 0)
            firstFault = BracketBalance::BelowZero;
        else if (firstFault == BracketBalance::Sound && depth > kMaxBracketDepth)
            firstFault = BracketBalance::TooDeep;
    }
    return depth != 0 ? BracketBalance::UnequalCounts : firstFault;
}

} // namespace

TEST(SegmentScanner, CutsRandomBracketSoupExactlyAsTheCharacterModelDoes) {
    std::mt19937 random(20261207);
    const std::string alphabet = "<<<>>>::a \"";
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> lines(random() % 6);
        for (std::string& line : lines) {
            line.resize(random() % 12);
            for (char& c : line)
                c = alphabet[random() % alphabet.size()];
        }
        const std::vector<ModelCutter::Piece> expected = ModelCutter().cut(lines);
        const TaggedFile file = cut(lines);
        ASSERT_EQ(file.segments.size(), expected.size()) << joinLines(lines);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(file.segments[i].tagText(), expected[i].tagText) << joinLines(lines);
            EXPECT_EQ(file.segments[i].text, expected[i].text) << joinLines(lines);
            // The balance the cut notes, where it can tell, is the scanned one.
            if (file.segments[i].brackets != BracketBalance::Unknown) {
                EXPECT_EQ(file.segments[i].brackets, scannedBalance(file.segments[i].text))
                    << joinLines(lines);
            }
        }
    }
}

TEST(SegmentScanner, SegmentsStayValidWhenTheirFileMoves) {
    // A text this short would sit inside a string object itself.
    TaggedFile file = cut({"<a>b"});
    const TaggedFile moved = std::move(file);
    ASSERT_EQ(moved.segments.size(), 1u);
    EXPECT_EQ(moved.segments[0].text, "<a>b\n");
}

TEST(SegmentScanner, EachExternalTagStartsASegmentThatRunsToTheNext) {
    const TaggedFile file =
        cut({"<qmx \"I2.00\">", "<ps \"Body\" 1>Some <:b>bold<:/b> text", "<:hr>more", "</qmx>"});
    const auto& segments = file.segments;
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
    const TaggedFile file = cut({"<qmx \"I2.00\">", "a<b>c"});
    const auto& segments = file.segments;
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[0].text, "<qmx \"I2.00\">\na");
    EXPECT_EQ(segments[1].tagText(), "<b>");
    EXPECT_EQ(segments[1].text, "<b>c\n");
}

TEST(SegmentScanner, AnExternalTagInsideAnotherGivesASegmentWithoutTagText) {
    const TaggedFile file = cut({"<qmx \"I2.00\">", "<ps \"a<b>c\" 1>x"});
    const auto& segments = file.segments;
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[1].tagText(), "");
    EXPECT_EQ(segments[1].text, "<ps \"a");
    EXPECT_EQ(segments[2].tagText(), "<b>");
    EXPECT_EQ(segments[2].text, "<b>c\" 1>x\n");
}

TEST(SegmentScanner, AnUnclosedTagAtTheEndJoinsTheLastSegment) {
    const TaggedFile file = cut({"<qmx \"I2.00\">", "<ps \"x\" 1>text", "<page \"1"});
    const auto& segments = file.segments;
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[1].text, "<ps \"x\" 1>text\n<page \"1\n");
}

TEST(SegmentScanner, OddBracketRunsNeverLoseText) {
    const std::vector<std::string> lines = {"<qmx \"I2.00\">", "<<>>x<", ">>", "<>", "<:<a>>"};
    std::string all;
    for (const std::string& line : lines)
        all += line + "\n";
    std::string joined;
    const TaggedFile file = cut(lines);
    for (const Segment& segment : file.segments)
        joined += segment.text;
    EXPECT_EQ(joined, all);
}

TEST(SegmentScanner, NoLinesGiveNoSegments) {
    EXPECT_TRUE(cut({}).segments.empty());
}

TEST(SegmentScanner, TextWithoutAnyTagStillBecomesASegment) {
    const TaggedFile file = cut({"plain"});
    const auto& segments = file.segments;
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].tagText(), "");
    EXPECT_EQ(segments[0].text, "plain\n");
}

TEST(ForEachTag, CollectsTopLevelTagsAndTreatsStrayClosersAsText) {
    std::vector<std::string> tags;
    forEachTag("a > <:b>x<:fc <:lt>>y<:open",
               [&](std::string_view tag) { tags.emplace_back(tag); });
    EXPECT_EQ(tags, (std::vector<std::string>{"<:b>", "<:fc <:lt>>"}));
}

TEST(ForEachBracket, VisitsEveryBracketInOrderAcrossBlockBoundaries) {
    std::mt19937 random(99);
    const std::string alphabet = "<>abcdefgh";
    for (int round = 0; round < 500; ++round) {
        std::string text(random() % 70, ' ');
        for (char& c : text)
            c = random() % 4 == 0 ? alphabet[random() % 2] : alphabet[random() % alphabet.size()];
        std::vector<std::size_t> expected;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '<' || text[i] == '>')
                expected.push_back(i);
        std::vector<std::size_t> visited;
        forEachBracket(text, [&](std::size_t i) { visited.push_back(i); });
        EXPECT_EQ(visited, expected) << text;
    }
}
