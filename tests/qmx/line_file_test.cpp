// LineFile: the line-end rule, block boundaries, files and file errors.
#include "qmx/line_file.h"

#include "foundation/file_error.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillex;
using Lines = std::vector<std::string>;

namespace {

Lines linesOf(std::string bytes) {
    LineFile file = LineFile::fromBytes(std::move(bytes));
    Lines lines;
    std::string line;
    while (file.readLine(line))
        lines.push_back(line);
    EXPECT_FALSE(file.readLine(line)); // stays exhausted
    return lines;
}

// The same bytes read through a real file.
Lines linesOfFile(const std::string& bytes) {
    quillex::testing::TempDir folder;
    const std::string path = folder.file("LINES.TXT");
    quillex::testing::writeFile(path, bytes);
    return readLineFile(path);
}

} // namespace

TEST(LineFile, AnyRunOfCarriageReturnsAndLineFeedsEndsOneLine) {
    const Lines expected{"a", "b", "c", "d"};
    EXPECT_EQ(linesOf("a\r\nb\nc\rd\r\n"), expected);
    EXPECT_EQ(linesOf("\r\n\n\ra\r\r\n\n\nb\n\r\n\rc\n\n\n\nd"), expected);
    EXPECT_EQ(linesOf("a\n\rb\r\n\r\nc\r\rd\n"), expected);
}

TEST(LineFile, NothingButLineEndsGivesNoLines) {
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("\r\n\r\n\n\r"), Lines{});
}

TEST(LineFile, BytesOtherThanLineEndsAreKept) {
    // Spaces are not trimmed; NUL, Ctrl-Z and high bytes are text.
    EXPECT_EQ(linesOf("  lead and trail  \n\t\n"), (Lines{"  lead and trail  ", "\t"}));
    EXPECT_EQ(linesOf(std::string("x\0y\x1Az\xFF", 6)), Lines{std::string("x\0y\x1Az\xFF", 6)});
}

TEST(LineFile, LinesAndLineEndRunsCrossBlockBoundaries) {
    const std::size_t block = LineFile::kBlockSize;
    // A CR LF pair split by the block boundary is one line end.
    std::string split(block - 1, 'a');
    split += "\r\nnext";
    EXPECT_EQ(linesOf(split), (Lines{std::string(block - 1, 'a'), "next"}));
    EXPECT_EQ(linesOfFile(split), (Lines{std::string(block - 1, 'a'), "next"}));
    // A run of line ends filling a whole block, then a line far longer than
    // a block with no line end at all.
    std::string longLines = "first" + std::string(block * 2, '\n') + std::string(block * 3, 'z');
    EXPECT_EQ(linesOf(longLines), (Lines{"first", std::string(block * 3, 'z')}));
    EXPECT_EQ(linesOfFile(longLines), (Lines{"first", std::string(block * 3, 'z')}));
}

TEST(LineFile, FileErrorsAreReported) {
    quillex::testing::TempDir folder;
    EXPECT_THROW(LineFile(folder.file("MISSING.TXT")), FileError);
    // A folder opens but cannot be read.
    EXPECT_THROW(readLineFile(folder.path().string()), FileError);
}

// The text read in one go must be the lines LineFile hands out, each followed
// by one LF, whatever mix of line ends the file has.
TEST(LineText, IsTheLinesOfTheLineReaderEachEndedByOneLineFeed) {
    quillex::testing::TempDir folder;
    const std::string path = folder.file("TEXT.TXT");
    std::mt19937 random(7);
    const std::string alphabet = "ab \r\r\n\n<>";
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 40, ' ');
        for (char& c : bytes)
            c = alphabet[random() % alphabet.size()];
        quillex::testing::writeFile(path, bytes);
        std::string expected;
        for (const std::string& line : readLineFile(path))
            expected += line + "\n";
        EXPECT_EQ(readLineText(path), expected) << round;
    }
    // A file longer than any buffer, ending without a line end, and one of
    // lone CRs, where each line end is looked for anew.
    const std::string big = std::string(100000, 'x') + "\r\n" + std::string(70000, 'y');
    quillex::testing::writeFile(path, big);
    EXPECT_EQ(readLineText(path), std::string(100000, 'x') + "\n" + std::string(70000, 'y') + "\n");
    std::string crOnly;
    for (int i = 0; i < 1000; ++i)
        crOnly += "line\r";
    quillex::testing::writeFile(path, crOnly);
    std::string expected;
    for (int i = 0; i < 1000; ++i)
        expected += "line\n";
    EXPECT_EQ(readLineText(path), expected);
}

TEST(LineText, FileErrorsAreReported) {
    quillex::testing::TempDir folder;
    EXPECT_THROW(readLineText(folder.file("MISSING.TXT")), FileError);
    EXPECT_THROW(readLineText(folder.path().string()), FileError);
}
