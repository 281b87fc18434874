// Translated characters written back: character codes, escapes, the forms
// of single bytes, and running text cut into text and markup lines.
#include "backward/interleaf_characters.h"
#include "backward/text_conversion.h"
#include "backward_test_support.h"
#include "conversion/result_code.h"
#include "qmx/character_code.h"
#include "qmx/character_table.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::backward;
using namespace quillex::testing;

TEST(CharacterCodes, CodeTagsAndEscapes) {
    struct Case {
        const char* line;
        const char* code;
        const char* escape; // without the closing backslash
    };
    const Case cases[] = {
        {"<:r300>", "<#012c>", "\\X012c"},  {"<:r200>", "<#c8>", "\\xc8"},
        {"<:r5000>", "<#1388>", "\\X1388"}, {"<:r9>", "<#9>", "\\x09"},
        {"<:r256>", "<#0100>", "\\X0100"},  {"<:r4095>", "<#0fff>", "\\X0fff"},
        {"<:r4096>", "<#1000>", "\\X1000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(convertCode(c.line), c.code) << c.line;
        EXPECT_EQ(codeToEscape(c.code, false), c.escape) << c.line;
        EXPECT_EQ(codeToEscape(c.code, true), std::string(c.escape) + "\\") << c.line;
    }
    // <:r27> is the escape character itself, except where escapes are written.
    EXPECT_EQ(convertCode("<:r27>"), "\x1b");
    EXPECT_EQ(characterCodeTag("<:r27>"), "<#1b>");
    EXPECT_EQ(codeToEscape("<#010A>", false), "\\X010A");
    for (const char* malformed : {"<:r>", "<:r12", "<:rx1>", "<:r12 >", "<:r99999999999>"})
        EXPECT_THROW(convertCode(malformed), ConversionFailure) << malformed;
}

TEST(CharacterCodes, CodeLinesAreNeitherReadOnlyNorQuoteTags) {
    EXPECT_TRUE(isCharacterCodeLine("<:r300>"));
    EXPECT_TRUE(isCharacterCodeLine("<:r27>"));
    EXPECT_FALSE(isCharacterCodeLine("<:r \"text\" 2>"));
    EXPECT_FALSE(isCharacterCodeLine("<:rq>"));
    EXPECT_FALSE(isCharacterCodeLine("<:rdq>"));
    EXPECT_FALSE(isCharacterCodeLine("r300"));
}

// Every single byte the forward conversion writes for a character code
// comes back to the same byte through its Interleaf form.
TEST(CharacterCodes, ForwardBytesRoundTrip) {
    BackwardContext context;
    for (int code = 0; code < kCharacterCodeCount; ++code) {
        const std::string_view entry = characterTableEntry(code);
        if (entry.size() != 1)
            continue;
        std::string interleaf;
        for (const std::string& line : convertText(entry, context))
            interleaf += line;
        EXPECT_EQ(convertCharacterCodes(interleaf, CodeContext::FrameOrCell, false, false), entry)
            << "code " << code;
    }
}

TEST(CharacterCodes, ByteForms) {
    EXPECT_FALSE(interleafFormOf('a'));
    EXPECT_EQ(interleafFormOf('\t'), "<Tab>");
    EXPECT_EQ(interleafFormOf(0xE9), "<#e9>");
    EXPECT_EQ(interleafFormOf(0x99), "(tm)");
    EXPECT_EQ(interleafFormOf(0x94), "\"");
    for (unsigned char dropped : {0x00, 0x1B, 0x7F, 0x80, 0x8D, 0x9E, 0xA0})
        EXPECT_EQ(interleafFormOf(dropped), "") << int(dropped);
}

// The fixed entries win over what the re-parse entered for the same tag.
TEST(CharacterCodes, FixedReplacementsComeLast) {
    TagMap map{{"</tb>", "</tb>"}, {"<ps \"p\" 1>", "<\"p\">"}};
    addFixedReplacements(map);
    EXPECT_EQ(map["</tb>"], "<End Table>");
    EXPECT_EQ(map["<ps \"p\" 1>"], "<\"p\">");
    EXPECT_EQ(map["<:lt>"], "<#3c>");
    EXPECT_EQ(map["<:c>"], "<\"QMXWesternFont\", Subcomponent = yes>");
}

TEST(TextConversion, TextAndMarkupLines) {
    BackwardContext context;
    EXPECT_EQ(convertText("caf\xE9s", context), (Lines{"caf", "<#e9>", "s"}));
    EXPECT_EQ(convertText("a\tb\x01\x1b"
                          "c",
                          context),
              (Lines{"a", "<Tab>",
                     "b\x1b"
                     "c"}));
    EXPECT_EQ(convertText("a\tb", context, true), (Lines{"ab"}));
    EXPECT_EQ(convertText("", context), Lines{});

    // A Japanese target keeps double-byte characters whole (their second
    // byte may look like a code-page letter), tabs still become markup.
    context.japaneseTarget = true;
    EXPECT_EQ(convertText("\x82\xA0\xE9\t\x01x", context), (Lines{"\x82\xA0\xE9", "<Tab>", "x"}));
}
