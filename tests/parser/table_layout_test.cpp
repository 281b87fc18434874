// Tables written word by word from the documented byte layout, loaded and
// run: proves the readers take the images exactly as laid out.
#include "parser/resource_registry.h"
#include "parser/ss_lex.h"
#include "parser/ss_lex_string_consumer.h"
#include "parser/ss_yacc.h"

#include "table_image_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillex {
namespace {

using test::Bytes;
using test::wordsToBytes;

// One list: state 0 goes to 2 on 'a' and to 1 on the start symbol; state 1
// ignores the start symbol (token -1); state 2 accepts [a]+ as token 7.
// clang-format off
const Bytes handLexTable = wordsToBytes({
    // Main header: 1 list, magic "XLSS", 28 reserved bytes.
    1, 0x53534C58, 0, 0, 0, 0, 0, 0, 0,
    // List 0 header: type, length 232, reserved, 3 states, length again,
    // row-offset array at 172, final-state array at 88, reserved.
    1, 232, 0, 0, 0, 0, 0, 0, 0, 0, 3, 232, 172, 88, 0, 0, 0, 0, 0, 0, 0, 0,
    // Final-state records (token, list, flags, reserved).
    0,          0, 0,    0, 0, 0, 0,
    0xFFFFFFFF, 0, 0x50, 0, 0, 0, 0,
    7,          0, 0x10, 0, 0, 0, 0,
    // Row offsets.
    184, 212, 216,
    // Row 0: two triples sorted by lo.
    2, 'a', 'a', 2, 0xFFFFFFFF, 0xFFFFFFFF, 1,
    // Row 1: none.
    0,
    // Row 2: 'a' loops.
    1, 'a', 'a', 2,
});

// goal -> S eof (0), S -> a (1), with a = token 7 and S = 16385.
const Bytes handParserTable = wordsToBytes({
    // Type "CYSS", 2 productions and no automata, 3 states, first row at 48,
    // productions at 32.
    0x53535943, 2, 3, 48, 32,
    // Row offsets.
    48, 76, 96,
    // Productions (length, left side).
    2, 0, 1, 16385,
    // Row 0: flags, 1 goto, 1 action; shift 2 on token 7; goto 1 on S.
    0, 1, 1, 0x40000002, 7, 1, 16385,
    // Row 1: accept on eof.
    0, 0, 1, 0x10000000, 0xFFFFFFFF,
    // Row 2: reduce by 1 on eof.
    0, 0, 1, 0x20000001, 0xFFFFFFFF,
});
// clang-format on

class RecordingParser : public SSYacc {
  public:
    using SSYacc::SSYacc;
    bool reduce(std::uint32_t production, std::uint32_t size, SSYaccStackElement&) override {
        reductions.push_back(production);
        EXPECT_EQ(size, productionSize());
        texts.emplace_back(elementFromProduction(0)->lexeme()->text());
        return true;
    }
    std::vector<std::uint32_t> reductions;
    std::vector<std::string> texts;
};

TEST(TableLayout, HandWrittenImagesLexAndParse) {
    ASSERT_EQ(handLexTable.size(), 36u + 232u);
    // Little-endian words: the magic reads as the bytes "XLSS".
    EXPECT_EQ(std::string(handLexTable.begin() + 4, handLexTable.begin() + 8), "XLSS");

    SSLexTable lexTable(handLexTable, "hand");
    EXPECT_EQ(lexTable.expressionLists(), 1u);
    SSLexStringConsumer input("aaa");
    SSLex lexer(input, lexTable);
    SSYaccTable parserTable(handParserTable, "hand");
    EXPECT_EQ(parserTable.states(), 3u);
    EXPECT_EQ(parserTable.productions(), 2u);

    RecordingParser parser(lexer, parserTable);
    EXPECT_EQ(parser.parse(), 0);
    EXPECT_EQ(parser.reductions, std::vector<std::uint32_t>{1});
    EXPECT_EQ(parser.texts, std::vector<std::string>{"aaa"});
    EXPECT_FALSE(parser.wasError());
}

TEST(TableLayout, TypeZeroParserImageFindsBackToBackRows) {
    Bytes image = handParserTable;
    test::setWord(image, 0, 0);
    // The offsets of a type-0 image are not read: scramble them.
    for (std::size_t state = 0; state < 3; ++state)
        test::setWord(image, 20 + 4 * state, 0xDEAD);
    SSYaccTable table(image, "type0");
    EXPECT_EQ(table.pairTable().offsetArray()[2], 96u);

    SSLexTable lexTable(handLexTable, "hand");
    SSLexStringConsumer input("a");
    SSLex lexer(input, lexTable);
    RecordingParser parser(lexer, table);
    EXPECT_EQ(parser.parse(), 0);
}

TEST(TableLayout, TablesLoadFromRegisteredResources) {
    registerResource("LEX_TEST", "TestLexTable", handLexTable);
    registerResource("YACC_TEST", "TestYaccTable", handParserTable);
    // Resource names compare without regard to case, as the platform's do.
    SSLexTable lexTable("lex_test", "TESTLEXTABLE");
    SSYaccTable parserTable("YACC_TEST", "TestYaccTable");
    SSLexStringConsumer input("aa");
    SSLex lexer(input, lexTable);
    RecordingParser parser(lexer, parserTable);
    EXPECT_EQ(parser.parse(), 0);
    EXPECT_EQ(parser.texts, std::vector<std::string>{"aa"});
    unregisterResource("LEX_TEST", "TestLexTable");
    EXPECT_TRUE(findResource("LEX_TEST", "TestLexTable").empty());
    unregisterResource("YACC_TEST", "TestYaccTable");
}

} // namespace
} // namespace quillex
