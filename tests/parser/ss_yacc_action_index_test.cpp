// The dense action and goto arrays of a parser table answer every state and
// key exactly as the in-order search of the table's rows does: the compiled-in
// Interleaf image, the arrays tablegen compiled from it, and tables with
// repeated keys, odd values and keys too far apart to spread.
#include "parser/interleaf/interleaf_table_images.h"
#include "parser/ss_yacc.h"
#include "parser/ss_yacc_table.h"

#include "sample_tables.h"

#include <gtest/gtest.h>

#include <set>

namespace quillex {
namespace {

using namespace test;

// What a parser over a table finds: the lookaheads and the fold of a state.
class FoldProbe final : public SSYacc {
  public:
    static constexpr std::uint32_t none = SSYacc::noFold;
    explicit FoldProbe(SSYaccTable& table) { setTable(table); }
    bool reduce(std::uint32_t, std::uint32_t, SSYaccStackElement&) override { return true; }
    std::vector<std::int32_t> lookaheads(std::uint32_t state) const {
        return validLookaheads(state);
    }
    std::uint32_t foldOf(std::uint32_t state) { return foldingProduction(state); }
};

// Every key a row of `table` holds, its neighbours, and the special tokens.
std::set<std::uint32_t> probeKeys(const SSYaccPairTable& table) {
    std::set<std::uint32_t> keys = {0,          1,          0xFFFFFFFF, 0xFFFFFFFE,
                                    0xFFFFFFFD, 0x7FFFFFFF, 0x80000000};
    const auto add = [&](std::uint32_t key) {
        for (std::uint32_t near = key - 3; near != key + 4; ++near)
            keys.insert(near);
    };
    for (std::uint32_t state = 0; state < table.size(); ++state) {
        const SSYaccPairTableRow row = table.lookupRow(state);
        for (std::uint32_t i = 0; i < row.entries(); ++i)
            add(row.actionEntry(i).key());
        for (std::uint32_t i = 0; i < row.gotos(); ++i)
            add(row.gotoEntry(i).key());
    }
    return keys;
}

void expectIndexAnswersAsTheSearch(const SSYaccTable& table) {
    const SSYaccPairTable& rows = table.pairTable();
    const SSYaccActionIndex& index = table.actionIndex();
    const std::set<std::uint32_t> keys = probeKeys(rows);
    for (std::uint32_t state = 0; state < rows.size(); ++state) {
        const SSYaccPairTableRow row = rows.lookupRow(state);
        for (const std::uint32_t key : keys) {
            const auto entry = row.lookupAction(key);
            const auto kind = entry ? entry->action() : SSYaccAction::error;
            const SSYaccActionIndex::Action action = index.action(state, key);
            ASSERT_EQ(action.kind(), kind) << "state " << state << " token " << key;
            if (kind != SSYaccAction::error) {
                ASSERT_EQ(action.number(), entry->entry()) << "state " << state << " token " << key;
            }
            const auto target = row.lookupGoto(key);
            ASSERT_EQ(index.gotoState(state, key),
                      target ? target->entry() : SSYaccActionIndex::noGoto)
                << "state " << state << " symbol " << key;
        }
    }
    for (std::uint32_t production = 0; production < rows.prod(); ++production) {
        EXPECT_EQ(index.production(production).size(), rows.lookupProd(production).size());
        EXPECT_EQ(index.production(production).leftside(), rows.lookupProd(production).leftside());
    }
}

TEST(SSYaccActionIndex, InterleafTableAnswersAsTheRowSearch) {
    registerInterleafTables();
    const SSYaccTable table(kInterleafYaccTableName, kInterleafYaccTableType);
    expectIndexAnswersAsTheSearch(table);
}

// The table compiled into the program answers every state, token,
// nonterminal and production as the image's rows do, lists the same
// lookaheads in the same order, and folds where the engine would find folds
// in the image.
TEST(SSYaccActionIndex, CompiledInterleafTableAnswersAsTheImage) {
    registerInterleafTables();
    SSYaccTable image(kInterleafYaccTableName, kInterleafYaccTableType);
    const std::shared_ptr<SSYaccTable> compiled = interleafYaccTable();
    ASSERT_EQ(compiled->states(), image.states());
    ASSERT_EQ(compiled->productions(), image.productions());
    const SSYaccActionIndex& rows = image.actionIndex();
    const SSYaccActionIndex& arrays = compiled->actionIndex();
    for (std::uint32_t state = 0; state <= image.states(); ++state) {
        SCOPED_TRACE("state " + std::to_string(state));
        for (std::int64_t token = -3; token < 200; ++token) {
            const auto key = static_cast<std::uint32_t>(token);
            EXPECT_EQ(arrays.action(state, key).cell, rows.searchAction(state, key).cell);
        }
        for (std::uint32_t symbol = 16380; symbol < 16440; ++symbol)
            ASSERT_EQ(arrays.gotoState(state, symbol), rows.searchGoto(state, symbol));
        EXPECT_EQ(arrays.gotoState(state, 0), rows.searchGoto(state, 0));
    }
    for (std::uint32_t production = 0; production < image.productions(); ++production) {
        EXPECT_EQ(arrays.production(production).size(), rows.production(production).size());
        EXPECT_EQ(arrays.production(production).leftside(), rows.production(production).leftside());
    }
    FoldProbe fromImage(image);
    FoldProbe fromArrays(*compiled);
    int folding = 0;
    for (std::uint32_t state = 0; state < image.states(); ++state) {
        EXPECT_EQ(fromArrays.lookaheads(state), fromImage.lookaheads(state)) << state;
        EXPECT_EQ(fromArrays.foldOf(state), fromImage.foldOf(state)) << state;
        folding += fromImage.foldOf(state) != FoldProbe::none;
    }
    EXPECT_GT(folding, 0);
}

TEST(SSYaccActionIndex, SampleTablesAnswerAsTheRowSearch) {
    expectIndexAnswersAsTheSearch(SSYaccTable(sampleParserTable(), "sample"));
    expectIndexAnswersAsTheSearch(SSYaccTable(sampleParserTable(true), "sync"));
}

// Repeated keys (the first entry counts), a value without a kind (error), a
// sync mark on a shift, the error and end-of-input tokens.
TEST(SSYaccActionIndex, FirstEntryOfARepeatedKeyCounts) {
    const std::vector<ParserRow> rows = {
        {0,
         {{shiftTo(1), 5},
          {reduceBy(0), 5},
          {0, 6},
          {syncMark | shiftTo(2), 7},
          {acceptValue, none},
          {shiftTo(2), 0xFFFFFFFE}},
         {{1, 16385}, {2, 16385}, {0, 16390}},
         {}},
        {0, {{reduceBy(1), 6}, {reduceBy(0), 6}}, {{2, 16390}}, {}},
        {0, {}, {}, {}},
    };
    const SSYaccTable table(parserTableImage({{1, 16385}, {2, 16390}}, rows), "repeated");
    expectIndexAnswersAsTheSearch(table);
    const SSYaccActionIndex& index = table.actionIndex();
    EXPECT_EQ(index.action(0, 5).kind(), SSYaccAction::shift);
    EXPECT_EQ(index.action(0, 5).number(), 1u);
    EXPECT_EQ(index.action(0, 6).kind(), SSYaccAction::error);
    EXPECT_EQ(index.action(1, 6).number(), 1u);
    EXPECT_EQ(index.gotoState(0, 16385), 1u);
    EXPECT_EQ(index.gotoState(2, 16385), SSYaccActionIndex::noGoto);
}

// Keys so far apart that the table is not spread: the search answers.
TEST(SSYaccActionIndex, KeysTooFarApartAreSearched) {
    const std::vector<ParserRow> rows = {
        {0,
         {{shiftTo(1), 0x7FFFFFF0}, {reduceBy(0), 3}, {acceptValue, 0x80000001}},
         {{1, 1}, {0, 0xFFFFFF00}},
         {}},
        {0, {{reduceBy(0), 0x7FFFFFF0}}, {}, {}},
    };
    const SSYaccTable table(parserTableImage({{1, 1}}, rows), "sparse");
    expectIndexAnswersAsTheSearch(table);
    EXPECT_EQ(table.actionIndex().action(0, 0x80000001).kind(), SSYaccAction::accept);
    EXPECT_EQ(table.actionIndex().gotoState(0, 0xFFFFFF00), 0u);
}

} // namespace
} // namespace quillex
