// Page-number and autonumber stream declarations written back: which
// properties take the translated texts, and the failures. (The round trip
// through the forward conversion is checked on generated documents.)
#include "backward/format_rewriting.h"
#include "backward_test_support.h"
#include "conversion/result_code.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::backward;
using namespace quillex::testing;

TEST(StreamFormats, PropertiesFilledAndKept) {
    ForwardSide side;
    side.replacements["<pgfmt \"p\">"] =
        "<!Page Number Stream, Name = \"p\", Page # Prefix = \"A\", Page # Prefix Two = \"B\">";
    // Only the first prefix is translated: the second keeps its value; a
    // quote in the text is doubled.
    const Lines onlyFirst = {"<pgfmt \"p\">", "<bb \"Prefix1\">", "Say \"hi\"", "</pgfmt>"};
    EXPECT_EQ(convertPageNumberFormat(onlyFirst, side.backwardContext()),
              Lines{"<!Page Number Stream,\nName = \"p\",\nPage # Prefix = \"Say \"\"hi\"\"\",\n"
                    "Page # Prefix Two = \"B\">"});

    // A level the declaration does not have is not added.
    side.replacements["<anfmt \"s\">"] = "<!Autonumber Stream, \"s\", 1, Level 1 Prefix = \"x\">";
    const Lines extraLevel = {
        "<anfmt \"s\">", "<bb \"Level 1 Prefix\">", "y", "<bb \"Level 1 Suffix\">", "z",
        "</anfmt>"};
    EXPECT_EQ(convertAutonumberFormat(extraLevel, side.backwardContext()),
              Lines{"<!Autonumber Stream,\n\"s\",\n1,\nLevel 1 Prefix = \"y\">"});
}

TEST(StreamFormats, Failures) {
    ForwardSide side;
    side.replacements["<pgfmt \"p\">"] =
        "<!Page Number Stream, Name = \"p\", Page # Prefix = \"A\">";
    auto codeOf = [&](const Lines& block) {
        try {
            convertPageNumberFormat(block, side.backwardContext());
        } catch (const ConversionFailure& failure) {
            return static_cast<int>(failure.code());
        }
        return 0;
    };
    EXPECT_EQ(codeOf({"<pgfmt \"q\">", "</pgfmt>"}), result::ParserError);
    EXPECT_EQ(codeOf({"<pgfmt \"p\">", "<bb \"Prefix1\">", "x"}), result::UnexpectedEnd);
    EXPECT_EQ(codeOf({"<pgfmt \"p\">", "<bb \"Prefix1\">", "<:t>", "</pgfmt>"}),
              result::ParserError);
    EXPECT_EQ(codeOf({"<pgfmt \"p\">", "<bb \"Prefix1\">", "<:nosuch>", "</pgfmt>"}),
              result::ParserError);
}
