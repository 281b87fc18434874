// Folding terminals into lists, and the driver without recovery paths, must
// leave every observable result of a parse as it was: the parser that folds
// (InterleafParser itself), one that keeps every reduction (a subclass, which
// the engine does not fold for) and one that runs the general driver are run
// over the corpus and over damaged copies of it, and must agree on the
// result, the syntax error (line, column, text, expected tokens) and the
// span of the whole document.
#include "parser/interleaf/interleaf_parser.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace quillex;
using quillex::testing::RecordingHost;
using quillex::testing::TempDir;

namespace {

// Reduces as the default does, but is not InterleafParser itself: no folds.
class UnfoldedParser final : public InterleafParser {
  public:
    using InterleafParser::InterleafParser;
};

// Keeps every reduction too, through the engine's general loop (lookahead
// resolution and error recovery compiled in).
class GeneralDriverParser final : public InterleafParser {
  public:
    GeneralDriverParser(const std::string& path, ConversionHost* host, int debug)
        : InterleafParser(path, host, debug) {
        useElements<InterleafStackElement, SSYaccDriver::General>();
    }
};

struct Outcome {
    int result = 0;
    int errorCode = 0;
    std::uint32_t errorLine = 0;
    std::uint32_t errorColumn = 0;
    std::string errorText;
    std::vector<std::string> messages;
    std::string documentText;
    std::string failure; // an engine failure raised by the parse

    bool operator==(const Outcome&) const = default;
};

template <class Parser> Outcome parseFile(const std::string& path) {
    RecordingHost host;
    Parser parser(path, &host, 1);
    Outcome outcome;
    try {
        outcome.result = parser.parse();
    } catch (const std::exception& failure) {
        outcome.result = -1;
        outcome.failure = failure.what();
    }
    outcome.errorCode = parser.errorCode();
    outcome.errorLine = parser.errorLine();
    outcome.errorColumn = parser.errorColumn();
    outcome.errorText = parser.errorText();
    outcome.messages = host.results;
    if (outcome.result == 0 && parser.stackDepth() > 1)
        outcome.documentText = parser.spanOf(*parser.elementFromStack(0)).text;
    return outcome;
}

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A copy of `text` cut short, or with markup-like bytes put in, at a random
// place: most of these no longer parse, at many different states.
std::string damaged(const std::string& text, std::mt19937& random) {
    static const std::vector<std::string> inserts = {"<",     ">", "\"",         ",",  "<!Frame,",
                                                     "<Tab>", "'", "<\"para\">", "<|", "\n\n"};
    const std::size_t at = std::uniform_int_distribution<std::size_t>(0, text.size())(random);
    if (random() % 3 == 0)
        return text.substr(0, at);
    return text.substr(0, at) + inserts[random() % inserts.size()] + text.substr(at);
}

} // namespace

TEST(ListFolding, LeavesResultsErrorsAndSpansAsTheyWere) {
    TempDir dir;
    std::mt19937 random(20261207);
    int failing = 0;
    int compared = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(QUILLEX_CORPUS) / "as-8.0")) {
        const std::string text = readAll(entry.path());
        for (int variant = 0; variant < 25; ++variant) {
            const std::string input = variant == 0 ? text : damaged(text, random);
            const std::string path = dir.write("input.doc", input);
            SCOPED_TRACE(entry.path().filename().string() + " variant " + std::to_string(variant));
            const Outcome folded = parseFile<InterleafParser>(path);
            const Outcome unfolded = parseFile<UnfoldedParser>(path);
            EXPECT_EQ(folded, unfolded)
                << "folded: " << folded.errorText << " / unfolded: " << unfolded.errorText;
            EXPECT_EQ(parseFile<GeneralDriverParser>(path), unfolded);
            failing += folded.result != 0;
            ++compared;
        }
    }
    // The damaged copies must really reach the error path, and the whole
    // documents the end of the input.
    EXPECT_GT(failing, compared / 4);
    EXPECT_LT(failing, compared);
}
