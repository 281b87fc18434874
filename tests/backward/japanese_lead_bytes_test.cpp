// A Japanese translation through the backward conversion, with characters a
// translator can type but Interleaf has no known code for: user-defined and
// vendor-extension characters, whose lead bytes are 0xF0 to 0xFC. Such a
// character is never split at the line cut nor written as a guess: the file
// is refused with the character named, and the verifier reports it the same
// way. A character whose trail byte lies in that range is an ordinary one.
#include "round_trip_documents.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillex;
using namespace quillex::testing;

namespace {

// chapter3's first paragraph line replaced with `text`: 73 ASCII letters
// first, so that the 74-column cut of the layout falls on the next byte.
// Empty when the file has no paragraph line.
std::string withFirstParagraph(std::string translated, const std::string& text) {
    const std::size_t line = translated.find("<ps \"para\" ");
    const std::size_t tagEnd = translated.find('>', line);
    const std::size_t lineEnd = translated.find("\r\n", tagEnd);
    if (line == std::string::npos || tagEnd == std::string::npos || lineEnd == std::string::npos)
        return {};
    translated.replace(tagEnd + 1, lineEnd - tagEnd - 1, text);
    return translated;
}

bool anyResultContains(const std::vector<std::string>& results, const std::string& part) {
    return std::any_of(results.begin(), results.end(), [&](const std::string& line) {
        return line.find(part) != std::string::npos;
    });
}

TEST(JapaneseLeadBytes, CharactersWithoutAnInterleafCodeAreRefusedNeverSplit) {
    const std::string before(73, 'a');
    struct Case {
        std::string character;
        bool refused;
    };
    const std::vector<Case> cases = {
        {"\xF0\x9F", true},  // user-defined area
        {"\xFA\x40", true},  // vendor extension
        {"\xFC\x4B", true},  // last lead byte
        {"\xF1 ", true},     // a lead byte without its trail byte
        {"\x88\xF0", false}, // ordinary kanji, trail byte 0xF0
    };
    int round = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.character));
        RoundTrip trip(RoundTrip::Format::Text, "Japanese (Shift-JIS)", "Japanese (Shift-JIS)");
        const std::string name = "j" + std::to_string(++round);
        trip.forward(name,
                     {{"chapter3.DOC", fileText(std::string(QUILLEX_EXAMPLES) + "/chapter3.DOC")}});
        ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);
        const std::string path = name + "/translated/chapter3.TXT";
        const std::string translated =
            withFirstParagraph(trip.read(path), before + c.character + "bb");
        ASSERT_FALSE(translated.empty());
        trip.write(path, translated);

        const BatchReport verified = trip.verify(name, {"chapter3.TXT"});
        EXPECT_EQ(verified.findings.errors > 0, c.refused);

        trip.backward(name, {"chapter3.TXT"});
        const std::string output = name + "/translated/chapter3.DOC";
        EXPECT_EQ(trip.lastReport.failed == 1, c.refused)
            << ::testing::PrintToString(trip.lastResults);
        EXPECT_EQ(trip.exists(output), !c.refused);
        if (c.refused) {
            EXPECT_TRUE(anyResultContains(trip.lastResults, "chapter3.TXT, line "))
                << ::testing::PrintToString(trip.lastResults);
            EXPECT_TRUE(anyResultContains(trip.lastResults, "has no Interleaf form"))
                << ::testing::PrintToString(trip.lastResults);
            continue;
        }
        // Kept whole: both bytes on one output line, after the letters.
        const std::string document = trip.read(output);
        EXPECT_NE(document.find(c.character), std::string::npos)
            << "the character was split or lost";
    }
}

} // namespace
