// Loading lexer and parser tables that are damaged, truncated or missing:
// every such image must be refused with the documented exception.
#include "parser/ss_lex.h"
#include "parser/ss_lex_string_consumer.h"
#include "parser/ss_lex_table.h"
#include "parser/ss_yacc.h"
#include "parser/ss_yacc_table.h"

#include "engine_failure.h"
#include "sample_tables.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>

namespace quillex {
namespace {

using namespace test;
using quillex::testing::TempDir;

std::pair<std::int32_t, std::string> lexFailure(const Bytes& image) {
    return failureOf([&] { SSLexTable table(image, "bad"); });
}

std::pair<std::int32_t, std::string> yaccFailure(const Bytes& image) {
    return failureOf([&] { SSYaccTable table(image, "bad"); });
}

const std::pair<std::int32_t, std::string> invalidLexTable{4, "SSLex0104e: Invalid table, bad"};
const std::pair<std::int32_t, std::string> invalidYaccTable{
    22, "SSYacc0111e: Error reading table, bad"};

// Offset of field `field` in the header of expression list 0.
constexpr std::size_t list0 = 36;

TEST(SSLexTable, RefusesBadMagicAndTypeWords) {
    Bytes image = sampleLexTable();
    setWord(image, 4, 0x12345678);
    EXPECT_EQ(lexFailure(image), invalidLexTable);

    image = sampleLexTable();
    setWord(image, 4, 0); // magic 0 is allowed
    EXPECT_NO_THROW(SSLexTable(image, "zero"));
    setWord(image, list0, lexMagic); // so is "XLSS" as the list type
    EXPECT_NO_THROW(SSLexTable(image, "zero"));
    setWord(image, list0, 2);
    EXPECT_EQ(lexFailure(image), invalidLexTable);
}

TEST(SSLexTable, RefusesEveryTruncation) {
    const Bytes image = sampleLexTable();
    for (std::size_t length = 0; length < image.size(); ++length)
        ASSERT_EQ(lexFailure(Bytes(image.begin(), image.begin() + length)), invalidLexTable)
            << "length " << length;
}

TEST(SSLexTable, RefusesOffsetsAndStatesOutsideTheImage) {
    const auto damaged = [](std::size_t offset, std::uint32_t value) {
        Bytes image = sampleLexTable();
        setWord(image, offset, value);
        return lexFailure(image);
    };
    EXPECT_EQ(damaged(list0 + 4, 0xFFFFFF00), invalidLexTable);  // list length
    EXPECT_EQ(damaged(list0 + 4, 40), invalidLexTable);          // shorter than a header
    EXPECT_EQ(damaged(list0 + 40, 0), invalidLexTable);          // no states
    EXPECT_EQ(damaged(list0 + 40, 0x40000000), invalidLexTable); // arrays too long
    EXPECT_EQ(damaged(list0 + 48, 0xFFFFFFF0), invalidLexTable); // row-offset array
    EXPECT_EQ(damaged(list0 + 52, 0xFFFFFFF0), invalidLexTable); // final-state array

    const std::size_t states = sampleMainList().size();
    const std::size_t rowArray = list0 + 88 + 28 * states;
    EXPECT_EQ(damaged(rowArray, 0x7FFFFFFF), invalidLexTable); // row 0 offset
    const std::size_t row0 = list0 + 88 + 32 * states;
    EXPECT_EQ(damaged(row0, 1000000), invalidLexTable);     // triple count
    EXPECT_EQ(damaged(row0 + 12, states), invalidLexTable); // next state
    EXPECT_EQ(damaged(0, 1000), invalidLexTable);           // more lists than bytes
}

TEST(SSLexTable, ExpressionListIndexOutOfRange) {
    SSLexTable table(sampleLexTable(), "sample");
    EXPECT_EQ(table.expressionLists(), 3u);
    EXPECT_EQ(failureOf([&] { table.expressionList(3); }),
              std::pair(6, std::string("SSLex0106e: Invalid expression list index, 3")));
    SSLexStringConsumer input("a");
    SSLex lex(input, table);
    EXPECT_EQ(failureOf([&] { lex.isCurrentExpressionList(99); }).first, 6);
    EXPECT_TRUE(lex.isCurrentExpressionList(0));
}

TEST(SSLexTable, ResourceAndFileFailures) {
    EXPECT_EQ(failureOf([] { SSLexTable table("NO_SUCH_TABLE", "IleafLexTable"); }),
              std::pair(36, std::string("SSLex0108e: Resource not found, NO_SUCH_TABLE")));
    TempDir folder;
    const std::string missing = folder.file("missing.tbl");
    EXPECT_EQ(failureOf([&] { SSLexTable table(missing); }),
              std::pair(1, "SSLex0101e: Error opening file, " + missing + ", 2"));
    const std::string empty = folder.write("empty.tbl", "");
    EXPECT_EQ(failureOf([&] { SSLexTable table(empty); }).first, 2);

    const std::string good = folder.write("lex.tbl", sampleLexTable());
    SSLexTable table(good);
    EXPECT_EQ(table.expressionLists(), 3u);
}

TEST(SSYaccTable, RefusesBadTypeWord) {
    Bytes image = sampleParserTable();
    setWord(image, 0, 2);
    EXPECT_EQ(yaccFailure(image), invalidYaccTable);
    setWord(image, 0, 1);
    EXPECT_NO_THROW(SSYaccTable(image, "one"));
}

TEST(SSYaccTable, RefusesEveryTruncation) {
    const Bytes image = sampleParserTable();
    for (std::size_t length = 0; length < image.size(); ++length)
        ASSERT_EQ(yaccFailure(Bytes(image.begin(), image.begin() + length)), invalidYaccTable)
            << "length " << length;
}

TEST(SSYaccTable, RefusesNumbersOutsideTheTable) {
    const std::size_t states = sampleRows().size();
    const std::size_t firstRow = 20 + 4 * states + 8 * sampleProductions().size();
    const auto damaged = [](std::size_t offset, std::uint32_t value) {
        Bytes image = sampleParserTable();
        setWord(image, offset, value);
        return yaccFailure(image);
    };
    EXPECT_EQ(damaged(8, 0), invalidYaccTable);               // no states
    EXPECT_EQ(damaged(16, 0xFFFFFFF0), invalidYaccTable);     // production table
    EXPECT_EQ(damaged(20, 0xFFFFFFF0), invalidYaccTable);     // row offset
    EXPECT_EQ(damaged(firstRow + 4, 5000), invalidYaccTable); // goto count
    EXPECT_EQ(damaged(firstRow, 0x08), invalidYaccTable);     // duplicate row
    EXPECT_EQ(damaged(firstRow + 12, shiftTo(states)), invalidYaccTable);
    EXPECT_EQ(damaged(firstRow + 12, reduceBy(8)), invalidYaccTable);
    EXPECT_EQ(damaged(firstRow + 12, conflictOn(0)), invalidYaccTable);
    EXPECT_EQ(damaged(firstRow + 12 + 8 * 3, 10), invalidYaccTable); // goto state
    // An index and production table past 4 GB.
    EXPECT_EQ(damaged(8, 0x40000000), std::pair(26, std::string("SSYacc0112e: Table too big")));
}

TEST(SSYaccTable, BadOrMissingAutomatonIsAnInvalidLexerTable) {
    const Bytes automaton = expressionListImage({{0, 0, 0, {}}}, 7);
    EXPECT_EQ(yaccFailure(parserTableImage(sampleProductions(), sampleRows(), {automaton})),
              invalidLexTable);
    Bytes image = sampleParserTable();
    setWord(image, 4, 8 | (1u << 16)); // one automaton, none behind the rows
    EXPECT_EQ(yaccFailure(image), invalidLexTable);
}

TEST(SSYaccTable, ResourceAndFileFailures) {
    EXPECT_EQ(failureOf([] { SSYaccTable table("NO_SUCH_TABLE", "IleafYaccTable"); }),
              std::pair(37, std::string("SSYacc0114e: Resource not found, NO_SUCH_TABLE")));
    TempDir folder;
    const std::string missing = folder.file("missing.tbl");
    EXPECT_EQ(failureOf([&] { SSYaccTable table(missing); }),
              std::pair(12, "SSYacc0101e: Open file failed, " + missing));
    SSYaccTable table(folder.write("yacc.tbl", sampleParserTable()));
    EXPECT_EQ(table.states(), 10u);
}

class PlainParser : public SSYacc {
  public:
    using SSYacc::SSYacc;
    bool reduce(std::uint32_t, std::uint32_t, SSYaccStackElement&) override { return true; }
};

// Every single-byte change of a valid image either loads or is refused with
// an SSException; nothing reads outside the image (run under the sanitizers)
// and neither scanning nor parsing runs away.
TEST(TableImages, SingleByteDamageNeverEscapesTheImage) {
    // How many damaged images were refused, and how many were used: both
    // happen (a validation that refused nothing, or everything, would be
    // wrong), and nothing but an SSException leaves a load.
    struct Outcomes {
        int refused = 0;
        int used = 0;
    };
    const auto probe = [](const Bytes& valid, auto load) {
        Outcomes outcomes;
        for (std::size_t at = 0; at < valid.size(); ++at)
            for (const std::uint8_t value : {0x00, 0x01, 0x7F, 0xFF}) {
                Bytes image = valid;
                image[at] = value;
                try {
                    load(image);
                    ++outcomes.used;
                } catch (const SSException&) {
                    ++outcomes.refused;
                }
            }
        EXPECT_GT(outcomes.refused, 0);
        EXPECT_GT(outcomes.used, 0);
    };
    probe(sampleLexTable(), [](const Bytes& image) {
        SSLexTable table(image, "probe");
        SSLexStringConsumer input("ab \"cd\" {x|y\" +-+ 12");
        SSLex lex(input, table);
        for (int i = 0; i < 64 && ++lex; ++i) {
        }
    });
    SSLexTable lexTable(sampleLexTable(), "sample");
    probe(sampleParserTable(true), [&](const Bytes& image) {
        SSYaccTable table(image, "probe");
        SSLexStringConsumer input("ab 12 \"cd\" \"\" x");
        SSLex lex(input, lexTable);
        PlainParser parser(lex, table);
        parser.parse();
    });
}

} // namespace
} // namespace quillex
