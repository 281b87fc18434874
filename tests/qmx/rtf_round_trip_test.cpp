// A line list written as RTF reads back as exactly the same lines: checked
// over many generated lists with every byte value, tags, run-on and broken
// tags, escapes and tabs.
#include "qmx/rtf_reader.h"
#include "qmx/rtf_writer.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillex;
using Lines = std::vector<std::string>;

namespace {

class LineGenerator {
  public:
    explicit LineGenerator(std::uint32_t seed) : random_(seed) {}

    Lines lines() {
        Lines result(pick(12));
        for (std::string& line : result)
            line = this->line();
        return result;
    }

  private:
    std::string line() {
        static const char* const kPieces[] = {
            "<ps \"Body\" 12>", "<:fc 3>", "<:/fc>", "</ps>", "<:t>", "<:lt>",
            "<tb 1>",           "\\",      "{",      "}",     "\t",   "\\'e9",
            "\\par ",           "<",       ">",      "<:",    ":",    " ",
            "\\bin3 ",          "\r\n",
        };
        std::string text;
        const std::size_t pieces = pick(10);
        for (std::size_t i = 0; i < pieces; ++i) {
            switch (pick(4)) {
            case 0:
                text += kPieces[pick(std::size(kPieces))];
                break;
            case 1: // any byte value
                for (std::size_t n = pick(6); n > 0; --n)
                    text += static_cast<char>(pick(256));
                break;
            case 2: // high bytes, as in a double-byte code page
                for (std::size_t n = pick(6); n > 0; --n)
                    text += static_cast<char>(0x80 + pick(128));
                break;
            default:
                text += "word";
            }
        }
        return text;
    }

    std::size_t pick(std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
    }

    std::mt19937 random_;
};

// Paragraphs keep their place, but an empty last paragraph is not a line.
Lines withoutEmptyLastLine(Lines lines) {
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

Lines roundTrip(const Lines& lines, const std::string& path, PaperSize paper, int source,
                int target) {
    Lines rtf = lines;
    convertLinesToRtf(rtf);
    writeRtfFile(path, rtf, paper, source, target);
    Lines back;
    readRtfFile(path, back);
    return back;
}

} // namespace

TEST(RtfRoundTrip, GeneratedLineListsReadBackUnchanged) {
    const int codePages[] = {932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1257};
    quillex::testing::TempDir folder;
    const std::string path = folder.file("ROUND.RTF");
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        LineGenerator generator(seed);
        const Lines lines = generator.lines();
        const int source = codePages[seed % std::size(codePages)];
        const int target = codePages[(seed / 10) % std::size(codePages)];
        const PaperSize paper = seed % 2 ? PaperSize::A4 : PaperSize::Letter;
        ASSERT_EQ(roundTrip(lines, path, paper, source, target), withoutEmptyLastLine(lines))
            << "seed " << seed << " lines " << ::testing::PrintToString(lines);
    }
}

TEST(RtfRoundTrip, TypicalQmxFileAndAnUnclosedTagAtTheEnd) {
    quillex::testing::TempDir folder;
    const Lines qmx{
        "<qmx \"I2.00\">",
        "<language \"German (Standard)\">",
        "<quotes \"As tags\">",
        "<readonly \"Don't translate\">",
        "<ps \"Para\" 1>Gr\xFC\xDF"
        "e <:fc 2>aus<:/fc> C:\\Temp{x}<:t>Ende<:lt>",
        "<tb 1>",
        "<ps \"Cell\" 2>",
        "</tb>",
        "</qmx>",
    };
    EXPECT_EQ(roundTrip(qmx, folder.file("A.RTF"), PaperSize::A4, 1252, 1252), qmx);
    const Lines open{"a<ps \"x", "b", "c<:t"};
    EXPECT_EQ(roundTrip(open, folder.file("B.RTF"), PaperSize::Letter, 1250, 932), open);
}
