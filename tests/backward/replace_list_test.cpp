// The replacement list: the skeleton copied with each range replaced, pieces
// in any order; overlaps, duplicates and file problems; an output that
// appears only when complete.
#include "backward/replace_list.h"
#include "conversion/result_code.h"
#include "forward/file_registry.h"
#include "foundation/file_error.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "text_mode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

using namespace quillex;
using namespace quillex::backward;
using namespace quillex::testing;

namespace {

// A piece replacing the bytes [from, to) of `skeleton`.
std::unique_ptr<CReplacePiece> pieceOver(std::string_view skeleton, std::size_t from,
                                         std::size_t to, std::string replacement, int file) {
    auto piece = std::make_unique<CReplacePiece>();
    const auto setPosition = [&](std::size_t offset, std::uint32_t& line, std::uint32_t& column) {
        const std::size_t lineStart = skeleton.rfind('\n', offset == 0 ? 0 : offset - 1);
        const bool first = lineStart == std::string_view::npos || offset == 0;
        line = 1 + static_cast<std::uint32_t>(
                       std::count(skeleton.begin(), skeleton.begin() + offset, '\n'));
        column = static_cast<std::uint32_t>(offset - (first ? 0 : lineStart + 1)) + 1;
    };
    setPosition(from, piece->location.startLine, piece->location.startColumn);
    setPosition(to, piece->location.endLine, piece->location.endColumn);
    piece->location.fileNumber = file;
    piece->source = skeleton.substr(from, to - from);
    piece->replacement = std::move(replacement);
    return piece;
}

std::string randomText(std::mt19937& random, std::string_view alphabet, int maxLength) {
    std::string text(std::uniform_int_distribution<int>(0, maxLength)(random), ' ');
    for (char& c : text)
        c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
    return text;
}

TEST(CReplaceList, WritesTheSkeletonWithEachRangeReplacedWhateverTheOrderOfAdding) {
    TempDir folder;
    std::mt19937 random(14);
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        const std::string skeleton = randomText(random, "ab\n\n\xe9<\\", 40);
        // The output has the line ends of the skeleton's file: LF, or CR LF.
        const bool crLf = round % 2 == 1 && skeleton.find('\n') != std::string::npos;
        const auto onDisk = [crLf](const std::string& text) {
            return crLf ? withCrLf(text) : text;
        };
        const std::string path =
            folder.write("s" + std::to_string(round) + ".ORG", onDisk(skeleton));
        std::vector<std::size_t> bounds(std::uniform_int_distribution<int>(0, 4)(random) * 2);
        for (std::size_t& bound : bounds)
            bound = std::uniform_int_distribution<std::size_t>(0, skeleton.size())(random);
        std::sort(bounds.begin(), bounds.end());

        // Ranges between pairs of bounds, some empty (insertions), some
        // meeting; the model replaces them front to back.
        std::string expected;
        std::size_t copied = 0;
        std::vector<std::unique_ptr<CReplacePiece>> pieces;
        for (std::size_t i = 0; i < bounds.size(); i += 2) {
            if (i > 0 && bounds[i] == bounds[i - 2] && bounds[i + 1] == bounds[i - 1])
                continue; // the same range twice is a duplicate, tested apart
            const std::string replacement = randomText(random, "XY\n", 6);
            expected += skeleton.substr(copied, bounds[i] - copied) + replacement;
            copied = bounds[i + 1];
            pieces.push_back(
                pieceOver(skeleton, bounds[i], bounds[i + 1], replacement, registerFile(path)));
        }
        std::string tail = skeleton.substr(copied);
        if (!tail.empty() && tail.back() != '\n')
            tail += '\n'; // the skeleton's last line is read as a whole line
        expected += tail;

        std::shuffle(pieces.begin(), pieces.end(), random);
        RecordingHost host;
        CReplaceList list(&host);
        for (auto& piece : pieces)
            list.add(std::move(piece));
        const std::string output = folder.file("o" + std::to_string(round) + ".DOC");
        // Without a path the input is the file of the first piece added.
        list.apply(list.pieces().empty() ? path : "", output);
        EXPECT_EQ(readFile(output), onDisk(expected));

        // A piece that overlaps one of them fails the file, and the output
        // written before stays as it was.
        if (bounds.empty() || bounds[1] - bounds[0] < 2)
            continue;
        list.add(pieceOver(skeleton, bounds[0] + 1, bounds[1], "Z", registerFile(path)));
        try {
            list.apply(path, output);
            ADD_FAILURE() << "an overlap was written";
        } catch (const ConversionFailure& failure) {
            EXPECT_EQ(failure.code(), result::ParserError);
        }
        EXPECT_EQ(host.results.size(), 1u);
        EXPECT_EQ(readFile(output), onDisk(expected));
        EXPECT_EQ(listFolder(folder.path()).size(), 2u * (round + 1));
    }
}

TEST(CReplaceList, KeepsTheFirstOfTwoTranslationsOfARangeAndDropsUnchangedOnes) {
    TempDir folder;
    const std::string skeleton = "one two\n";
    const std::string path = folder.write("s.ORG", skeleton);
    const int file = registerFile(path);
    RecordingHost host;
    CReplaceList list(&host);
    EXPECT_TRUE(list.add(pieceOver(skeleton, 0, 3, "1", file)));
    EXPECT_FALSE(list.add(pieceOver(skeleton, 0, 3, "1", file)));
    EXPECT_TRUE(host.results.empty());
    EXPECT_FALSE(list.add(pieceOver(skeleton, 0, 3, "uno", file)));
    EXPECT_EQ(host.results, std::vector<std::string>{
                                "Duplicate translations! one is translated as 1 and uno.\n"});
    EXPECT_FALSE(list.add(pieceOver(skeleton, 4, 7, "two", file)));
    EXPECT_TRUE(list.add(pieceOver(skeleton, 4, 7, "\x82\xa0", file)));
    list.apply(path, folder.file("s.DOC"), OutputEncoding::ShiftJisToEuc);
    EXPECT_EQ(readFile(folder.file("s.DOC")), "1 \xa4\xa2\n");
}

TEST(CReplaceList, NeverWritesOverItsSkeletonAndReportsFileErrors) {
    TempDir folder;
    const std::string path = folder.write("s.ORG", "text\n");
    std::filesystem::create_symlink(path, folder.file("link.DOC"));
    RecordingHost host;
    CReplaceList list(&host);
    EXPECT_THROW(list.apply(path, folder.file("link.DOC")), FileError);
    EXPECT_EQ(host.results, std::vector<std::string>{"Same filename (" + path +
                                                     ") specified for both Input and Output!\n"});
    EXPECT_EQ(readFile(path), "text\n");
    // A name that differs only in case is another file.
    list.apply(path, folder.file("S.ORG"));
    EXPECT_EQ(readFile(folder.file("S.ORG")), "text\n");

    // A file where the output's folder should be.
    host.results.clear();
    const std::string output = path + "/x/s.DOC";
    EXPECT_THROW(list.apply(path, output), FileError);
    ASSERT_EQ(host.results.size(), 2u);
    EXPECT_TRUE(host.results[0].starts_with("Error: "));
    EXPECT_EQ(host.results[1], "\nFile Error! All or part of the path is invalid.\n- Skipping "
                               "output file for " +
                                   output + "!\n\n");
}

} // namespace
