// Block moves: a block goes back before its placeholder, and the three kinds
// moved together give what three moves one kind after another give.
#include "backward/block_moves.h"
#include "conversion/result_code.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace quillex;
namespace bw = quillex::backward;

namespace {

using Lines = std::vector<std::string>;

// The lines after the moves, or none when they were refused.
std::optional<Lines> afterAllMoves(Lines lines) {
    try {
        bw::moveAllBlocks(lines);
    } catch (const ConversionFailure&) {
        return std::nullopt;
    }
    return lines;
}

std::optional<Lines> afterMovesOneKindAtATime(Lines lines) {
    try {
        for (const bw::BlockKind* kind :
             {&bw::kIndexMarkerBlocks, &bw::kFootnoteBlocks, &bw::kFrameBlocks})
            bw::moveBlocks(lines, *kind);
    } catch (const ConversionFailure&) {
        return std::nullopt;
    }
    return lines;
}

TEST(BlockMoves, NestedBlocksOfEveryKindGoBackBeforeTheirPlaceholders) {
    const Lines lines{"<:af 1>", "text", "<:imk 2>", "<af 1>",  "<:fn 1>", "</af>",
                      "<fn 1>",  "note", "</fn>",    "<imk 2>", "entry",   "</imk>"};
    const Lines expected{"<af 1>", "<fn 1>",  "note",  "</fn>", "</af>",
                         "text",   "<imk 2>", "entry", "</imk>"};
    EXPECT_EQ(afterAllMoves(lines), expected);
}

TEST(BlockMoves, ABlockWithoutItsClosingLineIsRefused) {
    EXPECT_EQ(afterAllMoves({"<:fn 1>", "<fn 1>", "note"}), std::nullopt);
}

// Random lists of the forms of every kind (numbers 1 to 3, blocks nested,
// crossed, missing, repeated) and plain text.
TEST(BlockMoves, AllKindsAtOnceEqualOneKindAtATime) {
    const char* const forms[] = {"<:imk ", "<imk ", "</imk>", "<:fn ", "<fn ",
                                 "</fn>",  "<:af ", "<af ",   "</af>", "text"};
    std::mt19937 random(27);
    int refused = 0;
    for (int round = 0; round < 20000; ++round) {
        Lines lines(random() % 24);
        for (std::string& line : lines) {
            line = forms[random() % std::size(forms)];
            if (line.back() == ' ')
                line += std::to_string(1 + random() % 3) + ">";
        }
        const std::optional<Lines> together = afterAllMoves(lines);
        refused += together ? 0 : 1;
        ASSERT_EQ(together, afterMovesOneKindAtATime(lines)) << ::testing::PrintToString(lines);
    }
    // Both outcomes were met often.
    EXPECT_GT(refused, 1000);
    EXPECT_LT(refused, 19000);
}

} // namespace
