// Interleaf character codes: the table's ranges and the conversion variants.
#include "qmx/character_code.h"
#include "qmx/character_table.h"
#include "qmx/shift_jis.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillex;

namespace {

std::string body(std::uint32_t code, bool smartQuotes = true) {
    return convertCharacterCode(code, CodeContext::Body, smartQuotes, false);
}

std::string frame(std::uint32_t code) {
    return convertCharacterCode(code, CodeContext::FrameOrCell, true, false);
}

std::string japanese(std::uint32_t code) {
    return convertCharacterCode(code, CodeContext::FrameOrCell, false, true);
}

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

} // namespace

// The first and last code of every range of the table, and its neighbours.
TEST(CharacterTable, RangeBoundaries) {
    const struct {
        int code;
        std::string text;
    } expected[] = {
        {0, "<:r0>"},     {31, "<:r31>"},   {32, " "},        {59, ";"},        {60, "<:lt>"},
        {62, "<:gt>"},    {126, "~"},       {127, "\""},      {128, "<:r128>"}, {160, "<:r160>"},
        {161, "\xa1"},    {172, "\xac"},    {173, "<:r173>"}, {174, "\xae"},    {177, "\xb1"},
        {178, "<:r178>"}, {180, "<:r180>"}, {181, "\xb5"},    {183, "\xb7"},    {184, "<:r184>"},
        {185, "<:r185>"}, {186, "\xba"},    {255, "\xff"},    {256, "<:r256>"}, {257, "<:hls>"},
        {262, "<:sh>"},   {263, "\x96"},    {264, "<:r264>"}, {265, "<:r265>"}, {266, "\x97"},
        {267, "<:r267>"}, {275, "<:r275>"}, {276, "\x86"},    {277, "\x87"},    {278, "\x8b"},
        {279, "\x9b"},    {280, "\x84"},    {281, "<:r281>"}, {286, "<:r286>"}, {287, "\x89"},
        {288, "/"},       {289, "<:r289>"}, {303, "<:r303>"}, {304, "\x83"},    {305, "<:r305>"},
        {308, "<:r308>"}, {309, "\x8c"},    {310, "<:r310>"}, {312, "<:r312>"}, {313, "\x9c"},
        {314, "<:r314>"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(characterTableEntry(e.code), e.text) << e.code;
    EXPECT_TRUE(characterTableEntry(315).empty());
    EXPECT_TRUE(characterTableEntry(-1).empty());
}

TEST(CharacterTable, NoEntryLeavesAnUnescapedAngleBracket) {
    for (int code = 0; code < kCharacterCodeCount; ++code) {
        const std::string_view entry = characterTableEntry(code);
        ASSERT_FALSE(entry.empty()) << code;
        if (entry.size() == 1)
            EXPECT_TRUE(entry != "<" && entry != ">") << code;
        else
            EXPECT_TRUE(entry.front() == '<' && entry.back() == '>') << code;
    }
}

TEST(CharacterCode, QuoteCodesBecomeTagsOnlyInBodyTextWithSmartQuotes) {
    EXPECT_EQ(body(127), "<:ldq>");
    EXPECT_EQ(body(171), "<:flq>");
    EXPECT_EQ(body(187), "<:frq>");
    EXPECT_EQ(body(280), "<:glq>");
    EXPECT_EQ(frame(127), "\"");
    EXPECT_EQ(frame(280), "\x84");
    EXPECT_EQ(body(127, false), "\"");
    EXPECT_EQ(body(171, false), "\xab");
}

TEST(CharacterCode, FieldsAndCodesBeyondTheTable) {
    EXPECT_EQ(frame(0x80a0), "<:bb \"Pagenumber\">");
    EXPECT_EQ(japanese(0x80a1), "<:bb \"Filename\">");
    EXPECT_EQ(frame(315), "<:r315>");
    EXPECT_EQ(frame(0x0221), "<:r545>"); // Shift-JIS only in Japanese-source mode
    EXPECT_EQ(frame(0xffffffffu), "<:r4294967295>");
}

TEST(CharacterCode, JapaneseSourceModeWritesNoSingleByteForACode) {
    EXPECT_EQ(japanese(0xe9), "<:r233>");
    EXPECT_EQ(japanese(0x41), "<:r65>");
    EXPECT_EQ(japanese(127), "<:r127>");
    EXPECT_EQ(japanese(263), "<:r263>");
    EXPECT_EQ(japanese(0x105), "<:ems>"); // tags stay tags
    EXPECT_EQ(japanese(60), "<:lt>");
    EXPECT_EQ(convertCharacterCode(127, CodeContext::Body, true, true), "<:ldq>");
    // Between the table and the double-byte range, and past it.
    EXPECT_EQ(japanese(544), "<:r544>");
    EXPECT_EQ(japanese(12287), "<:r12287>");
}

TEST(CharacterCode, JapaneseDoubleByteCodes) {
    EXPECT_EQ(japanese(0x0221), bytes({0x81, 0x40})); // first code of the range
    EXPECT_EQ(japanese(0x2ffe), bytes({0xee, 0xfc})); // last code of the range
    EXPECT_EQ(japanese(0x205f), bytes({0x9f, 0x7e})); // last row with a low lead byte
    EXPECT_EQ(japanese(0x2160), bytes({0xe0, 0x80})); // first row with a high lead byte
    EXPECT_EQ(japanese(0x047e), bytes({0x83, 0x9e})); // last cell of the middle trail range
    EXPECT_EQ(japanese(0x04a1), bytes({0x83, 0x9f})); // first cell of the high trail range
    // Cells without a trail byte.
    EXPECT_EQ(japanese(0x0320), "<:r800>");
    EXPECT_EQ(japanese(0x037f), "<:r895>");
    EXPECT_EQ(japanese(0x03a0), "<:r928>");
    EXPECT_EQ(japanese(0x03ff), "<:r1023>");
}

TEST(CharacterCode, RowSixIsHalfWidthKatakana) {
    EXPECT_EQ(japanese(0x06b1), bytes({0xb1}));
    EXPECT_EQ(japanese(0x06a1), bytes({0xa1}));
    EXPECT_EQ(japanese(0x06df), bytes({0xdf}));
    EXPECT_EQ(japanese(0x06e0), "<:r1760>");
    EXPECT_EQ(japanese(0x06a0), "<:r1696>");
    EXPECT_EQ(japanese(0x0641), bytes({0x85, 0x60}));
}

TEST(ShiftJis, ByteTablesHaveNoBytesOutsideTheirRanges) {
    EXPECT_EQ(shiftJisLeadByte(1), 0);
    EXPECT_EQ(shiftJisLeadByte(2), 0x81);
    EXPECT_EQ(shiftJisLeadByte(32), 0x9f);
    EXPECT_EQ(shiftJisLeadByte(33), 0xe0);
    EXPECT_EQ(shiftJisLeadByte(48), 0xef);
    EXPECT_EQ(shiftJisLeadByte(49), 0);
    EXPECT_EQ(shiftJisTrailByte(32), 0);
    EXPECT_EQ(shiftJisTrailByte(33), 0x40);
    EXPECT_EQ(shiftJisTrailByte(95), 0x7e);
    EXPECT_EQ(shiftJisTrailByte(96), 0x80);
    EXPECT_EQ(shiftJisTrailByte(126), 0x9e);
    EXPECT_EQ(shiftJisTrailByte(127), 0);
    EXPECT_EQ(shiftJisTrailByte(160), 0);
    EXPECT_EQ(shiftJisTrailByte(161), 0x9f);
    EXPECT_EQ(shiftJisTrailByte(254), 0xfc);
    EXPECT_EQ(shiftJisTrailByte(255), 0);
}

TEST(CharacterCodeTag, ParsesHexDigitsUpToTheClosingBracket) {
    auto tag = parseCharacterCodeTag("<#80A1>rest");
    ASSERT_TRUE(tag.has_value());
    EXPECT_EQ(tag->value, 0x80a1u);
    EXPECT_EQ(tag->length, 7u);
    tag = parseCharacterCodeTag("<#00000000000000e9>");
    ASSERT_TRUE(tag.has_value());
    EXPECT_EQ(tag->value, 0xe9u);
    EXPECT_FALSE(parseCharacterCodeTag("<#>"));
    EXPECT_FALSE(parseCharacterCodeTag("<#7g>"));
    EXPECT_FALSE(parseCharacterCodeTag("<#7f"));
    EXPECT_FALSE(parseCharacterCodeTag("<#123456789>")); // more than 32 bits
}

TEST(CharacterCodes, ConvertsEveryCodeOfATextAndCopiesTheRest) {
    EXPECT_EQ(convertCharacterCodes("a<#7f>b<#0105><:lt><#zz>", CodeContext::Body, true, false),
              "a<:ldq>b<:ems><:lt><#zz>");
    EXPECT_EQ(convertCharacterCodes("<#<#e9>", CodeContext::FrameOrCell, false, false), "<#\xe9");
    EXPECT_EQ(convertCharacterCodes("<#a9", CodeContext::FrameOrCell, false, false), "<#a9");
}
