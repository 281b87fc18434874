// Translated characters written back: character codes, escapes, the forms
// of single bytes, running text cut into text and markup lines, and the
// escapes of diagram strings.
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
    // Neither read-only tags nor single quote tags are codes.
    for (const char* other : {"<:r \"text\" 2>", "<:rq>", "<:rdq>", "r300"})
        EXPECT_FALSE(isCharacterCodeLine(other)) << other;
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
    EXPECT_EQ(convertText("\xA0(\x99)\xAD", context), (Lines{"<SP>", "(", "(tm)", ")", "<#0106>"}));
    // A character without an Interleaf form is never dropped; the hard space
    // has no place in an attribute value.
    for (const char* formless : {"a\x80", "\x8A", "\xB2", "\x81"})
        EXPECT_THROW(convertText(formless, context), ConversionFailure) << formless;
    EXPECT_THROW(convertText("a\xA0"
                             "b",
                             context, true),
                 ConversionFailure);
    context.formCodePage = 1250;
    EXPECT_EQ(convertText("\xE9\xA0", context), (Lines{"<#e9>", "<SP>"}));
    EXPECT_THROW(convertText("\x8C", context), ConversionFailure); // Ś, not Œ
    context.formCodePage = 1252;
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

// Diagram strings escape their field separators, and write characters as
// code escapes; a Japanese target writes its double-byte characters so.
TEST(TextConversion, TextStrings) {
    ForwardSide side;
    auto writtenBack = [&](const Lines& block) {
        std::string text;
        for (const std::string& line : convertTextString(block, "</ts>", side.backwardContext()))
            text += line;
        return text;
    };
    EXPECT_EQ(writtenBack({"<ts 1>", "a (b), c\\d", "</ts>"}), "a\\ \\(b\\)\\,\\ c\\\\d");
    EXPECT_EQ(writtenBack({"<ts 1>", "<:r233>", "<:lq>", "x", "<:r27>", "</ts>"}),
              "\\xe9\\x60x\\x1b");
    EXPECT_EQ(writtenBack({"<ts 1>", "caf\xE9\x99\t", "</ts>"}), "caf\\xe9\\(tm\\)");
    EXPECT_THROW(writtenBack({"<ts 1>", "text"}), ConversionFailure);
    EXPECT_THROW(writtenBack({"<ts 1>",
                              "a\xA0"
                              "b",
                              "</ts>"}),
                 ConversionFailure);
    try {
        writtenBack({"<ts 1>", "<:t>", "</ts>"});
        FAIL() << "a tab tag has no place in a diagram string";
    } catch (const ConversionFailure& failure) {
        EXPECT_EQ(failure.code(), result::ParserError);
    }
    side.backward.japaneseTarget = true;
    EXPECT_EQ(writtenBack({"<ts 1>", "\x82\xA0 (\x88\x9F)\xB1,\x81", "</ts>"}),
              "\\X03a2\\ \\(\\X09a1\\)\\X06b1\\,");
}
