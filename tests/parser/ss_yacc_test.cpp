// The LR parse loop over the sample grammar: reductions and their elements,
// syntax errors, the end-of-input rules, error recovery and lookahead
// resolution.
#include "parser/ss_lex_string_consumer.h"
#include "parser/ss_yacc.h"

#include "engine_failure.h"
#include "sample_tables.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace quillex {
namespace {

using namespace test;

// The application's element: the text built for its symbol.
class TextElement : public SSYaccStackElement {
  public:
    std::string text;
};

// Builds a text per reduction: items as themselves, quoted items in
// brackets, lists joined with commas. Feeds tokens from a list when given
// one instead of a lexer.
class TextParser : public SSYacc {
  public:
    TextParser() { useElements<TextElement>(); }
    TextParser(SSLex& lexer, SSYaccTable& table) : SSYacc(lexer, table) {
        useElements<TextElement>();
    }

    bool reduce(std::uint32_t production, std::uint32_t size, SSYaccStackElement& left) override {
        productions.push_back(production);
        EXPECT_EQ(size, productionSize());
        auto* element = &static_cast<TextElement&>(left);
        const auto text = [&](int i) {
            auto* symbol = static_cast<TextElement*>(elementFromProduction(i));
            return symbol->lexeme() ? std::string(symbol->lexeme()->text()) : symbol->text;
        };
        switch (production) {
        case 1:
            element->text = text(0) + "," + text(1);
            break;
        case 5:
            element->text = "[" + text(1) + "]";
            break;
        case 7:
            element->text = "";
            break;
        default:
            element->text = text(0);
            break;
        }
        return production != failOn;
    }

    int accept() override {
        result = static_cast<TextElement*>(elementFromStack(0))->text;
        return SSYacc::accept();
    }

    SSRefPtr<SSLexLexeme> nextLexeme() override {
        if (!feed)
            return SSYacc::nextLexeme();
        if (tokens.empty())
            return {};
        const auto token = tokens.front();
        tokens.pop_front();
        return SSLexLexeme::create("t" + std::to_string(token), token, 1, 1);
    }

    int error(std::uint32_t state, SSLexLexeme& lookahead) override {
        errors.push_back({state, lookahead.token()});
        if (onError)
            return onError();
        setAbort();
        return 0;
    }

    void feedTokens(std::initializer_list<std::int32_t> list) {
        feed = true;
        tokens.assign(list);
    }

    std::vector<std::uint32_t> productions;
    std::vector<std::pair<std::uint32_t, std::int32_t>> errors;
    std::function<int()> onError;
    std::string result;
    std::uint32_t failOn = 0;
    bool feed = false;
    std::deque<std::int32_t> tokens;
};

// The stack keeps its elements by value, one element size apart, also once
// it has grown past its first block; a left side built above the top takes
// the place of the right side.
TEST(SSYaccStack, KeepsElementsByValueThroughGrowthAndReplacement) {
    struct Named : SSYaccStackElement {
        std::string name;
    };
    SSYaccStackOf<Named> stack;
    const auto nameOf = [&](std::size_t i) { return static_cast<Named&>(stack.at(i)).name; };
    for (std::uint32_t i = 0; i < 200; ++i) {
        auto& element = static_cast<Named&>(stack.fresh());
        element.setState(i);
        element.name = "element " + std::to_string(i) + std::string(20, '.');
        stack.replaceTop(0);
    }
    ASSERT_EQ(stack.depth(), 200u);
    for (std::uint32_t i = 0; i < 200; ++i) {
        EXPECT_EQ(stack.at(i).state(), i);
        EXPECT_EQ(nameOf(i), "element " + std::to_string(i) + std::string(20, '.'));
    }
    auto& left = static_cast<Named&>(stack.fresh());
    left.setState(1000);
    left.name = nameOf(197) + "+" + nameOf(199);
    stack.replaceTop(3);
    ASSERT_EQ(stack.depth(), 198u);
    EXPECT_EQ(stack.top().state(), 1000u);
    EXPECT_EQ(nameOf(197),
              "element 197" + std::string(20, '.') + "+element 199" + std::string(20, '.'));
    EXPECT_EQ(stack.fromTop(1).state(), 196u);

    const std::string topName = nameOf(197);
    const std::unique_ptr<SSYaccStack> saved = stack.clone();
    stack.truncate(1);
    EXPECT_EQ(stack.depth(), 1u);
    EXPECT_EQ(saved->depth(), 198u);
    EXPECT_EQ(static_cast<Named&>(saved->top()).name, topName);
    EXPECT_EQ(saved->at(150).state(), 150u);
    EXPECT_EQ(failureOf([&] { stack.fromTop(1); }),
              std::pair(11, std::string("SSLifo0003e: Invalid index")));
    stack.restoreFrom(*saved);
    ASSERT_EQ(stack.depth(), 198u);
    EXPECT_EQ(nameOf(197), topName);
    EXPECT_EQ(stack.at(100).state(), 100u);
}

class SSYaccTest : public ::testing::Test {
  protected:
    SSLexTable lexTable{sampleLexTable(), "sample"};
    SSYaccTable parserTable{sampleParserTable(), "sample"};
    SSYaccTable syncTable{sampleParserTable(true), "sync"};
};

// Productions of one symbol that pass their element on: once marked, the
// engine no longer asks reduce() for them, and the parse comes out the same.
TEST_F(SSYaccTest, PassThroughProductionsNeedNoReduction) {
    struct Passing : TextParser {
        using TextParser::TextParser;
        void pass(std::uint32_t production) { passThrough(production); }
    };
    const std::string text = "abc 12 \"x y\" \"\" d";
    SSLexStringConsumer plainInput(text);
    SSLex plainLex(plainInput, lexTable);
    TextParser plain(plainLex, parserTable);
    ASSERT_EQ(plain.parse(), 0);

    SSLexStringConsumer input(text);
    SSLex lex(input, lexTable);
    Passing passing(lex, parserTable);
    for (const std::uint32_t production : {2u, 3u, 4u, 6u})
        passing.pass(production);
    ASSERT_EQ(passing.parse(), 0);
    EXPECT_EQ(passing.result, plain.result);
    std::vector<std::uint32_t> others;
    for (const std::uint32_t production : plain.productions)
        if (production != 2 && production != 3 && production != 4 && production != 6)
            others.push_back(production);
    EXPECT_EQ(passing.productions, others);
}

TEST_F(SSYaccTest, ReductionsSeeTheirRightHandSides) {
    SSLexStringConsumer input("abc 12 \"x y\" \"\"");
    SSLex lex(input, lexTable);
    TextParser parser(lex, parserTable);
    EXPECT_EQ(parser.parse(), 0);
    EXPECT_FALSE(parser.wasError());
    EXPECT_EQ(parser.productions, (std::vector<std::uint32_t>{3, 2, 4, 1, 6, 5, 1, 7, 5, 1}));
    // The empty production 7 popped nothing: QUOTE and END stayed its neighbours.
    EXPECT_EQ(parser.result, "abc,12,[x y],[]");
    EXPECT_EQ(parser.lookahead()->token(), SSYacc::eofToken);
    EXPECT_EQ(parser.lookahead()->text(), "eof");
}

TEST_F(SSYaccTest, SyntaxErrorReachesTheErrorHook) {
    SSLexStringConsumer input("abc \"");
    SSLex lex(input, lexTable);
    TextParser parser(lex, parserTable);
    std::vector<std::int32_t> expected;
    parser.onError = [&] {
        expected = parser.validLookaheads(parser.state());
        parser.setAbort();
        return 0;
    };
    EXPECT_NE(parser.parse(), 0);
    EXPECT_TRUE(parser.wasError());
    ASSERT_EQ(parser.errors.size(), 1u);
    EXPECT_EQ(parser.errors[0], (std::pair<std::uint32_t, std::int32_t>{5, SSYacc::eofToken}));
    EXPECT_EQ(parser.lookahead()->line(), 0xFFFFFFFFu);
    EXPECT_EQ(expected, (std::vector<std::int32_t>{TEXT, END}));
    EXPECT_FALSE(parser.exceptionPresent().isPresent());
}

TEST_F(SSYaccTest, ErrorHookThatFailsOrChangesNothingEndsTheParse) {
    TextParser failing;
    failing.setTable(parserTable);
    failing.feedTokens({QUOTE});
    failing.onError = [] { return 1; };
    EXPECT_EQ(failing.parse(), 1);

    TextParser idle;
    idle.setTable(parserTable);
    idle.feedTokens({QUOTE});
    idle.onError = [] { return 0; };
    EXPECT_EQ(idle.parse(), 1);
    EXPECT_EQ(idle.errors.size(), 1u);
}

TEST_F(SSYaccTest, NullReductionStopsWithoutException) {
    TextParser parser;
    parser.setTable(parserTable);
    parser.feedTokens({WORD, INT});
    parser.failOn = 4;
    EXPECT_EQ(parser.parse(), 1);
    EXPECT_EQ(parser.productions, (std::vector<std::uint32_t>{3, 2, 4}));
    EXPECT_FALSE(parser.exceptionPresent().isPresent());
}

TEST_F(SSYaccTest, ElementFromProductionChecksTheIndex) {
    std::vector<std::pair<std::int32_t, std::string>> failures;
    struct Probe : TextParser {
        std::vector<std::pair<std::int32_t, std::string>>* out;
        bool reduce(std::uint32_t production, std::uint32_t size,
                    SSYaccStackElement& left) override {
            for (const std::int32_t index : {static_cast<std::int32_t>(size), -1})
                try {
                    elementFromProduction(index);
                } catch (const SSException& e) {
                    out->push_back({e.id(), e.text()});
                }
            return TextParser::reduce(production, size, left);
        }
    } probe;
    probe.out = &failures;
    probe.setTable(parserTable);
    probe.feedTokens({WORD});
    EXPECT_EQ(probe.parse(), 0);
    ASSERT_GE(failures.size(), 2u);
    EXPECT_EQ(failures[0],
              std::pair(19, std::string("SSYacc0108e: Invalid index on elementFromProduction, 1")));
    EXPECT_EQ(
        failures[1],
        std::pair(19, std::string("SSYacc0108e: Invalid index on elementFromProduction, -1")));
}

TEST_F(SSYaccTest, ValidLookaheadsOfEmptyAndMissingStates) {
    auto rows = sampleRows();
    rows.push_back(ParserRow{});
    SSYaccTable table(parserTableImage(sampleProductions(), rows), "empty row");
    TextParser parser;
    parser.setTable(table);
    EXPECT_TRUE(parser.validLookaheads(10).empty());
    EXPECT_EQ(parser.validLookaheads(0), (std::vector<std::int32_t>{WORD, INT, QUOTE}));
    EXPECT_EQ(failureOf([&] { parser.validLookaheads(11); }),
              std::pair(35, std::string("SSYacc0114e: Invalid state specified, 11")));
}

TEST_F(SSYaccTest, MissingTableOrLexer) {
    TextParser parser;
    EXPECT_EQ(failureOf([&] { parser.parse(); }),
              std::pair(20, std::string("SSYacc0109e: setTable missing, required")));
    EXPECT_TRUE(parser.exceptionPresent().isPresent());
    struct Plain : SSYacc {
        bool reduce(std::uint32_t, std::uint32_t, SSYaccStackElement&) override { return true; }
    } plain;
    plain.setTable(parserTable);
    EXPECT_EQ(failureOf([&] { plain.parse(); }),
              std::pair(21, std::string("SSYacc0110e: setLex missing, required")));
}

TEST_F(SSYaccTest, ErrorTokenSynchronisesOnMarkedRows) {
    struct Recovering : TextParser {
        int error(std::uint32_t state, SSLexLexeme& lookahead) override {
            errors.push_back({state, lookahead.token()});
            return errorToken();
        }
    } parser;
    parser.setTable(syncTable);
    parser.feedTokens({WORD, QUOTE, INT, WORD});
    EXPECT_EQ(parser.parse(), 1); // accepted, but after an error
    EXPECT_EQ(parser.errors, (std::vector<std::pair<std::uint32_t, std::int32_t>>{{5, INT}}));
    EXPECT_EQ(parser.productions, (std::vector<std::uint32_t>{3, 2, 4, 1, 3, 1}));
    EXPECT_EQ(parser.result, "t1,t2,t1");
    EXPECT_EQ(parser.shiftedSinceError(), 2u);
}

TEST_F(SSYaccTest, ErrorTokenFailures) {
    struct Recovering : TextParser {
        int error(std::uint32_t, SSLexLexeme&) override { return errorToken(); }
    };
    Recovering unmarked;
    unmarked.setTable(parserTable);
    unmarked.feedTokens({QUOTE, WORD});
    EXPECT_EQ(failureOf([&] { unmarked.parse(); }),
              std::pair(16, std::string("SSYacc0105e: Error token failed, no valid token")));

    // Discarding lookaheads runs into the end: the read past it fails.
    Recovering pastEnd;
    pastEnd.setTable(syncTable);
    pastEnd.feedTokens({QUOTE});
    auto rows = sampleRows(true);
    rows[1].flags = 0; // eof stops being a synchronising token
    SSYaccTable table(parserTableImage(sampleProductions(), rows), "no eof sync");
    pastEnd.setTable(table);
    EXPECT_EQ(failureOf([&] { pastEnd.parse(); }),
              std::pair(14, std::string("SSYacc0103e: Attempted read past eof")));
}

TEST_F(SSYaccTest, ErrorTokenPushesTheErrorElement) {
    // State 5 (after QUOTE) has an error entry to a new state 10, which
    // shifts END to 9: item -> QUOTE %error END.
    auto rows = sampleRows();
    rows[5].errorState = 10;
    rows.push_back(ParserRow{0, {{shiftTo(9), END}}, {}, {}});
    SSYaccTable table(parserTableImage(sampleProductions(), rows), "error entry");
    struct Recovering : TextParser {
        std::string errorText;
        std::int32_t errorTokenSeen = 0;
        int error(std::uint32_t, SSLexLexeme&) override { return errorToken(); }
        bool reduce(std::uint32_t production, std::uint32_t size,
                    SSYaccStackElement& left) override {
            if (production == 5) {
                errorText = elementFromProduction(1)->lexeme()->text();
                errorTokenSeen = elementFromProduction(1)->lexeme()->token();
            }
            return TextParser::reduce(production, size, left);
        }
    } parser;
    parser.setTable(table);
    parser.feedTokens({WORD, QUOTE, INT, END, WORD});
    EXPECT_EQ(parser.parse(), 1);
    EXPECT_EQ(parser.productions, (std::vector<std::uint32_t>{3, 2, 5, 1, 3, 1}));
    EXPECT_EQ(parser.errorText, "%error");
    EXPECT_EQ(parser.errorTokenSeen, SSYacc::errorTokenNumber);
}

TEST_F(SSYaccTest, ErrorPanicSkipsToAListedToken) {
    const std::int32_t listed[] = {INT};
    struct Panicking : TextParser {
        std::span<const std::int32_t> tokens;
        int error(std::uint32_t, SSLexLexeme&) override { return errorPanic(tokens); }
    };
    Panicking parser;
    parser.tokens = listed;
    parser.setTable(parserTable);
    parser.feedTokens({WORD, QUOTE, WORD, INT, WORD});
    EXPECT_EQ(parser.parse(), 1);
    EXPECT_EQ(parser.productions, (std::vector<std::uint32_t>{3, 2, 4, 1, 3, 1}));
    EXPECT_EQ(parser.result, "t1,t2,t1");

    Panicking atEnd;
    atEnd.tokens = listed;
    atEnd.setTable(parserTable);
    atEnd.feedTokens({QUOTE});
    EXPECT_EQ(failureOf([&] { atEnd.parse(); }),
              std::pair(15, std::string("SSYacc0104e: Error panic failed, no valid token")));
}

// A listed token that no state on the stack takes is skipped with the stack
// left as it was: the next listed token (END) resumes the quoted item that
// was open, though the states below it do not take END.
TEST_F(SSYaccTest, ErrorPanicKeepsTheStackWhenNoStateTakesTheToken) {
    const std::int32_t listed[] = {PLUS, END};
    struct Panicking : TextParser {
        std::span<const std::int32_t> tokens;
        int error(std::uint32_t, SSLexLexeme&) override { return errorPanic(tokens); }
    } parser;
    parser.tokens = listed;
    parser.setTable(parserTable);
    parser.feedTokens({WORD, QUOTE, INT, PLUS, END, WORD});
    EXPECT_EQ(parser.parse(), 1);
    EXPECT_EQ(parser.productions, (std::vector<std::uint32_t>{3, 2, 7, 5, 1, 3, 1}));
    EXPECT_EQ(parser.result, "t1,[],t1");
}

// A grammar that needs two tokens of lookahead in state 0:
//   0 goal -> S eof   1 S -> A B   2 S -> X A C   3 X -> (empty)
// On A, state 0 either shifts (S -> A B) or reduces X -> (empty); automaton 0
// decides on the token after A.
class LookaheadResolution : public ::testing::Test {
  protected:
    static constexpr std::int32_t A = 1, B = 2, C = 3;
    static constexpr std::uint32_t S = 16385, X = 16386;

    static Bytes table() {
        const Bytes automaton = expressionListImage({
            {0, 0, 0, {{A, A, 1}}},
            {0, 0, 0, {{B, B, 2}, {C, C, 3}}},
            {5, 0, 0x10, {}},  // shift to state 5
            {3, 0, 0x110, {}}, // reduce by production 3
        });
        const std::vector<ParserRow> rows = {
            /* 0 */ {0, {{conflictOn(0), A}}, {{1, S}, {2, X}}, {}},
            /* 1 */ {0, {{acceptValue, none}}, {}, {}},
            /* 2 */ {0, {{shiftTo(3), A}}, {}, {}},
            /* 3 */ {0, {{shiftTo(4), C}}, {}, {}},
            /* 4 */ {0, {{reduceBy(2), none}}, {}, {}},
            /* 5 */ {0, {{shiftTo(6), B}}, {}, {}},
            /* 6 */ {0, {{reduceBy(1), none}}, {}, {}},
        };
        return parserTableImage({{2, 0}, {2, S}, {3, S}, {0, X}}, rows, {automaton});
    }

    struct Parser : TextParser {
        bool reduce(std::uint32_t production, std::uint32_t size,
                    SSYaccStackElement& left) override {
            productions.push_back(production);
            auto* element = &static_cast<TextElement&>(left);
            if (size != 0)
                element->text = elementFromProduction(0)->lexeme()
                                    ? std::string(elementFromProduction(0)->lexeme()->text())
                                    : static_cast<TextElement*>(elementFromProduction(0))->text;
            return true;
        }
        int cached = 0;
        std::vector<std::int32_t> larErrors;
        int larLookahead(SSLexLexeme&) override {
            ++cached;
            return 0;
        }
        int larError(std::uint32_t, SSLexLexeme& lookahead, SSLexLexeme* larLexeme) override {
            larErrors.push_back(lookahead.token());
            larErrors.push_back(larLexeme ? larLexeme->token() : 0);
            setAbort();
            return 0;
        }
    };

    SSYaccTable yaccTable{table(), "lar"};
};

TEST_F(LookaheadResolution, ShiftOrReduceChosenByTheFollowingToken) {
    EXPECT_EQ(yaccTable.larIterators(), 1u);
    Parser shifting;
    shifting.setTable(yaccTable);
    shifting.feedTokens({A, B});
    EXPECT_EQ(shifting.parse(), 0);
    EXPECT_EQ(shifting.productions, std::vector<std::uint32_t>{1});
    EXPECT_EQ(shifting.cached, 1); // B came back out of the read-ahead cache

    Parser reducing;
    reducing.setTable(yaccTable);
    reducing.feedTokens({A, C});
    EXPECT_EQ(reducing.parse(), 0);
    EXPECT_EQ(reducing.productions, (std::vector<std::uint32_t>{3, 2}));
    EXPECT_EQ(reducing.result, ""); // S took the text of the empty X
    EXPECT_EQ(reducing.cached, 1);
}

TEST_F(LookaheadResolution, NoTransitionReachesLarError) {
    Parser parser;
    parser.setTable(yaccTable);
    parser.feedTokens({A, A});
    EXPECT_EQ(parser.parse(), 1);
    EXPECT_EQ(parser.larErrors, (std::vector<std::int32_t>{A, A}));
    EXPECT_TRUE(parser.wasError());
}

} // namespace
} // namespace quillex
