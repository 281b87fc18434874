// The table generator's parts on small inputs: patterns, automata with
// longest match and rule priority, the definition readers, LALR(1)
// construction with its conflict and unused-production checks, and the
// symbol header.
#include "dfa.h"
#include "grammar.h"
#include "lalr.h"
#include "lex_image.h"
#include "lexer_definition.h"
#include "pattern.h"
#include "symbol_header.h"
#include "tablegen_image_reader.h"
#include "yacc_image.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillex::tablegen;

namespace {

std::vector<std::uint32_t> codes(const std::string& text) {
    return std::vector<std::uint32_t>(text.begin(), text.end());
}

Dfa dfaOf(const std::vector<std::string>& patterns) {
    std::vector<Regex> regexes;
    std::vector<int> keys;
    for (const std::string& p : patterns) {
        regexes.push_back(parsePattern(p));
        keys.push_back(static_cast<int>(keys.size()));
    }
    return buildDfa(regexes, keys);
}

LexerDefinition lexerOf(const std::string& text) {
    std::istringstream in(text);
    return readLexerDefinition(in, "test.def");
}

Grammar grammarOf(const std::string& tokens, const std::string& productions) {
    const LexerDefinition lexer = lexerOf(tokens + "list 0\n  \"x\" -> 1\n");
    std::istringstream in(productions);
    return readGrammar(in, "test.grammar", lexer.tokens);
}

// The classic grammar that is LALR(1) but not SLR(1).
const char* kAssignTokens = "token 1 ID\ntoken 2 \"=\"\ntoken 3 \"*\"\n";
const char* kAssignGrammar = "nonterminal 0 goal\nnonterminal 100 S\n"
                             "nonterminal 101 L\nnonterminal 102 R\n"
                             "0 Goal goal : S eof\n"
                             "1 Assign S : L \"=\" R\n"
                             "2 Value S : R\n"
                             "3 Deref L : \"*\" R(target)\n"
                             "4 Id L : ID(name)\n"
                             "5 Load R : L\n";

} // namespace

TEST(TablegenPattern, ClassesAndEscapes) {
    const Regex r = parsePattern("[^\\t\\x41-Z]");
    ASSERT_EQ(r.kind, Regex::Kind::Chars);
    EXPECT_FALSE(r.chars.contains('\t'));
    EXPECT_FALSE(r.chars.contains('M'));
    EXPECT_TRUE(r.chars.contains('@'));
    EXPECT_TRUE(r.chars.contains(0xFFFF));
    EXPECT_FALSE(r.chars.contains(0x10000)) << "negation stays within characters";
    EXPECT_TRUE(parsePattern("\\e").chars.contains(0x1B));
    EXPECT_TRUE(parsePattern("[a\\-]").chars.contains('-'));
}

TEST(TablegenPattern, MalformedPatternsAreRefused) {
    for (const char* bad :
         {"\"abc", "[abc", "(\"a\"", "\"a\")", "abc", "{nothing}", "[z-a]", "\"\""})
        EXPECT_THROW(parsePattern(bad), DefinitionError) << bad;
}

TEST(TablegenDfa, LongestMatchAndEarlierRuleWins) {
    const Dfa dfa = dfaOf({"\"if\"", "[a-z]+", "[ ]+"});
    EXPECT_EQ(dfa.longestMatch(codes("if ")).rule, 0);
    EXPECT_EQ(dfa.longestMatch(codes("iffy")).rule, 1);
    EXPECT_EQ(dfa.longestMatch(codes("iffy")).length, 4u);
    EXPECT_EQ(dfa.longestMatch(codes("  x")).length, 2u);
    EXPECT_EQ(dfa.longestMatch(codes("!")).rule, -1);
    // A rule whose every text an earlier rule takes is never accepted.
    const Dfa shadowed = dfaOf({"[a-z]+", "\"if\"", "[0-9]"});
    EXPECT_EQ(shadowed.ruleAccepted, (std::vector<bool>{true, false, true}));
}

TEST(TablegenDfa, MinimalAutomatonAndAcceptingStart) {
    // (a|b)*abb needs four states.
    EXPECT_EQ(dfaOf({"(\"a\" | \"b\")* \"abb\""}).states.size(), 4u);
    const Dfa optional = dfaOf({"\"x\"?", "\"y\""});
    EXPECT_EQ(optional.states[0].rule, 0);
    EXPECT_EQ(optional.longestMatch(codes("z")).length, 0u);
}

TEST(TablegenLexerDefinition, ListsRulesAndActions) {
    const LexerDefinition def = lexerOf("token 1 A\ntoken 2 \",\"\n"
                                        "let d = [0-9]\n"
                                        "list 0 1: both\n"
                                        "  {d}+ -> A push 1\n"
                                        "list 1\n"
                                        "  \",\" -> \",\" pop\n"
                                        "  \" \" -> 7 ignore goto 0\n");
    ASSERT_EQ(def.lists.size(), 2u);
    EXPECT_EQ(def.lists[0].rules.size(), 1u);
    ASSERT_EQ(def.lists[1].rules.size(), 3u);
    EXPECT_EQ(def.lists[0].rules[0].accept, (Acceptance{1, false, ListAction::Push, 1}));
    EXPECT_EQ(def.lists[1].rules[1].accept, (Acceptance{2, false, ListAction::Pop, 0}));
    EXPECT_EQ(def.lists[1].rules[2].accept, (Acceptance{7, true, ListAction::Goto, 0}));
}

TEST(TablegenLexerDefinition, MistakesNameTheLine) {
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"list 0\n  \"a\" -> NOPE\n", "test.def:2:"},
        {"token 1 A\nlist 1\n  \"a\" -> A\n", "list 0 has no rules"},
        {"token 1 A\nlist 0\n  \"a\" -> A push 3\n", "list 3 does not exist"},
        {"token 1 A\ntoken 1 B\n", "declared twice"},
        {"token 1 A\nlist 0\n  \"a\" A\n", "test.def:3: unexpected 'A'"},
        {"token 1 A\nlist 0\n  \"a\"\n", "'->' expected"},
    };
    for (const auto& [text, message] : bad) {
        try {
            lexerOf(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const DefinitionError& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    }
}

TEST(TablegenLexImage, StartSymbolActionsAndFlags) {
    const auto lists = compileLists(lexerOf("token 1 A\ntoken 2 B\n"
                                            "list 0\n  \"a\"+ -> A push 1\n"
                                            "list 1\n  \"b\" -> B pop\n  [ ]+ -> 9 ignore\n"));
    const auto image = writeLexImage(lists);
    const auto decoded = quillex::testing::decodeLexImage(image);
    ASSERT_EQ(decoded.size(), 2u);
    auto m = quillex::testing::longestMatch(decoded[0], {0xFFFFFFFF}, 0);
    EXPECT_EQ(m.final.token, 0xFFFFFFFFu);
    EXPECT_EQ(m.final.flags, 0x50u);
    m = quillex::testing::longestMatch(decoded[0], codes("aab"), 0);
    EXPECT_EQ(m.length, 2u);
    EXPECT_EQ(m.final.flags, 0x30u);
    EXPECT_EQ(m.final.list, 1u);
    EXPECT_EQ(quillex::testing::longestMatch(decoded[1], codes("b"), 0).final.flags, 0x18u);
    EXPECT_EQ(quillex::testing::longestMatch(decoded[1], codes("  "), 0).final.token, 9u);
}

TEST(TablegenGrammar, MistakesAreRefused) {
    const std::string tokens = "token 1 A\n";
    const std::string head = "nonterminal 0 goal\nnonterminal 100 S\n0 Goal goal : S eof\n";
    for (const std::string& bad : {head + "2 P S : A\n", head + "1 P S : B\n", head,
                                   std::string("nonterminal 0 goal\n0 Goal goal : A eof\n"),
                                   head + "1 P S : A eof\n", head + "1 P A : A\n"})
        EXPECT_THROW(grammarOf(tokens, bad), DefinitionError) << bad;
}

TEST(TablegenLalr, LalrLookaheadsResolveWhatSlrCannot) {
    const Grammar g = grammarOf(kAssignTokens, kAssignGrammar);
    const ParserTables tables = buildLalrTables(g);
    EXPECT_TRUE(tables.conflicts.empty());
    EXPECT_TRUE(tables.unusedProductions.empty());
    // Ten LR(0) states, and the state reached on eof.
    EXPECT_EQ(tables.states.size(), 11u);
    // Where "S : L . = R" meets "R : L .", R is reduced on eof only.
    bool found = false;
    for (const ParserState& s : tables.states) {
        if (s.kernel.size() != 2 || s.kernel[0].production != 1)
            continue;
        found = true;
        ASSERT_EQ(s.actions.size(), 2u);
        EXPECT_EQ(s.actions[0].kind, ParserAction::Kind::Shift); // "=" (2)
        EXPECT_EQ(s.actions[1].kind, ParserAction::Kind::Reduce);
        EXPECT_EQ(s.actions[1].terminal, g.eof);
        EXPECT_EQ(s.actions[1].value, 5);
    }
    EXPECT_TRUE(found);
}

TEST(TablegenLalr, ConflictsAndUnusedProductionsAreReported) {
    const Grammar ambiguous =
        grammarOf("token 1 ID\ntoken 2 PLUS\n", "nonterminal 0 goal\nnonterminal 100 E\n"
                                                "0 Goal goal : E eof\n1 Sum E : E PLUS E\n"
                                                "2 Id E : ID\n");
    EXPECT_FALSE(buildLalrTables(ambiguous).conflicts.empty());
    const Grammar unused = grammarOf("token 1 ID\n", "nonterminal 0 goal\nnonterminal 100 E\n"
                                                     "nonterminal 101 X\n"
                                                     "0 Goal goal : E eof\n1 Id E : ID\n"
                                                     "2 Unused X : ID\n");
    EXPECT_EQ(buildLalrTables(unused).unusedProductions, std::vector<int>{2});
}

TEST(TablegenYaccImage, ParsesWhatTheGrammarDerives) {
    const Grammar g = grammarOf(kAssignTokens, kAssignGrammar);
    const auto image = writeYaccImage(g, buildLalrTables(g));
    const auto y = quillex::testing::decodeYaccImage(image);
    ASSERT_EQ(y.productions.size(), 6u);
    EXPECT_EQ(y.productions[1], std::make_pair(3u, 100u));
    EXPECT_EQ(y.productions[5], std::make_pair(1u, 102u));
    // * id = id
    const auto parse = quillex::testing::referenceParse(y, {3, 1, 2, 1});
    EXPECT_TRUE(parse.accepted);
    EXPECT_EQ(parse.reductions, (std::vector<std::uint32_t>{4, 5, 3, 4, 5, 1}));
    // id = = is refused at the second "=".
    const auto refused = quillex::testing::referenceParse(y, {1, 2, 2});
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.errorAt, 2u);
}

// The header for the assignment grammar, with a gap in the token numbers and
// two labelled fields.
TEST(TablegenSymbolHeader, NamesEverySymbolAndTheLabelledFields) {
    const LexerDefinition lexer =
        lexerOf("token 1 ID\ntoken 2 \"=\" EQUALS\ntoken 4 \"*\" STAR\nlist 0\n  \"x\" -> 1\n");
    std::istringstream in(kAssignGrammar);
    const Grammar grammar = readGrammar(in, "test.grammar", lexer.tokens);
    EXPECT_EQ(grammar.productions[3].fields, (std::vector<ProductionField>{{"target", 1}}));
    EXPECT_EQ(symbolHeader(lexer, grammar),
              R"(// The symbols of the Interleaf grammar: tokens, nonterminals, productions
// and the right-hand-side fields the parse actions read.
// Generated by tools/tablegen from resources/interleaf_lexer.def and
// resources/interleaf_grammar.def; do not edit.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillex::ileaf {

// Tokens the parser sees, with the end of input and the parser's error
// token. Numbers missing here belong to ignored tokens.
enum Token : std::int32_t {
    EOF_TOKEN = -1,
    ERROR_TOKEN = -2,
    ID = 1,
    EQUALS = 2,
    STAR = 4,
};

// Token names by number, for messages; null for numbers without a name.
inline constexpr const char* kTokenNames[5] = {
    nullptr, // 0
    "ID", // 1
    "=", // 2
    nullptr, // 3
    "*", // 4
};

// Nonterminals, numbered as in the parser table.
enum Nonterminal : std::uint32_t {
    goal = 0,
    S = 100,
    L = 101,
    R = 102,
};

// Productions, numbered as the reduce callback receives them.
enum class Production : std::uint32_t {
    Goal = 0, // goal : S eof
    Assign = 1, // S : L "=" R
    Value = 2, // S : R
    Deref = 3, // L : "*" R(target)
    Id = 4, // L : ID(name)
    Load = 5, // R : L
};

inline constexpr std::uint32_t kProductionCount = 6;

// By production: whether it has no action and one symbol, whose element the
// engine hands on as the left side without calling the actions.
inline constexpr bool kPassesThrough[kProductionCount] = {
    false, // Goal
    false, // Assign
    true, // Value
    false, // Deref
    true, // Id
    true, // Load
};

// By production: whether it is a list of words or layout ("=> fold"), whose
// element widens over the terminal and nothing else happens.
inline constexpr bool kFoldsInPlace[kProductionCount] = {
    false, // Goal
    false, // Assign
    false, // Value
    false, // Deref
    false, // Id
    false, // Load
};

// The right-hand-side positions the parse actions read, by production
// and field label.
namespace rhs {

// 3 L : "*" R(target)
struct Deref {
    static constexpr std::size_t target = 1;
};

// 4 L : ID(name)
struct Id {
    static constexpr std::size_t name = 0;
};

} // namespace rhs

} // namespace quillex::ileaf
)");
}

// What the grammar file writes after "=>" becomes the dispatch: a call per
// production with an action, piece kinds and refusals by name, fields by
// label; folds and productions without an action are the engine's, and the
// symbol header says which pass through and which fold in place.
TEST(TablegenActionHeader, DispatchesEveryActionWrittenBesideItsRule) {
    const std::string tokens = "token 1 WORD\ntoken 2 START\ntoken 3 END\ntoken 4 BAD\n";
    const Grammar g = grammarOf(tokens, "nonterminal 0 goal\nnonterminal 100 S\n"
                                        "nonterminal 101 H\n"
                                        "0 Goal goal : S eof\n"
                                        "1 Whole S : H END(end) => closeFrame end\n"
                                        "2 Start H : START(start) => piece Frame start\n"
                                        "3 Word H : H WORD => fold\n"
                                        "4 Refused S : BAD => refuse Include\n"
                                        "5 Plain S : WORD\n");
    const std::string dispatch = actionHeader(g);
    EXPECT_NE(dispatch.find("        case Production::Whole: // S : H END(end)\n"
                            "            actions.closeFrame(p, rhs::Whole::end);\n"),
              std::string::npos)
        << dispatch;
    EXPECT_NE(dispatch.find("actions.piece(p, Actions::Kind::Frame, rhs::Start::start);"),
              std::string::npos);
    EXPECT_NE(dispatch.find("actions.refuse(Actions::Refusal::Include);"), std::string::npos);
    EXPECT_EQ(dispatch.find("Production::Word"), std::string::npos);
    EXPECT_EQ(dispatch.find("Production::Plain"), std::string::npos);

    std::vector<bool> passes, folds;
    for (const Production& p : g.productions) {
        passes.push_back(p.passesThrough());
        folds.push_back(p.action.folds());
    }
    EXPECT_EQ(passes, (std::vector<bool>{false, false, false, false, false, true}));
    EXPECT_EQ(folds, (std::vector<bool>{false, false, false, true, false, false}));
}

// Names and labels the header cannot use, and symbols it cannot name.
TEST(TablegenSymbolHeader, MistakesAreDefinitionErrors) {
    const std::string tokens = "token 1 A\ntoken 2 \",\" COMMA\n";
    const std::string head = "nonterminal 0 goal\nnonterminal 100 S\n0 Goal goal : S eof\n";
    const std::vector<std::pair<std::string, std::string>> bad = {
        {head + "1 S : A\n", "NUMBER NAME LHS : RHS... expected"},
        {head + "1 Goal S : A\n", "production name Goal used twice"},
        {head + "1 2nd S : A\n", "production name '2nd' is no identifier"},
        {head + "1 P S : A (x)\n", "field label (x) follows no symbol"},
        {head + "1 P S : A(x) \",\" A(x)\n", "field label x used twice"},
        {head + "1 P S : A(x-y)\n", "field label 'x-y' is no identifier"},
        {head + "1 P S : A(x\n", "SYMBOL(label) expected"},
        {head + "1 P S : B(x)\n", "unknown symbol B"},
        {head + "1 P S : A =>\n", "an action after =>"},
        {head + "1 P S : A => fold\n", "fold is for a production LIST : LIST TERMINAL"},
        {head + "1 P S : A => refuse\n", "refuse takes one result code"},
        {head + "1 P S : A => refuse bad\n", "refuse takes one result code"},
        {head + "1 P S : A(x) => piece Frame y\n", "'y' is neither a piece kind nor a field of P"},
        {head + "1 P S : A => piece-it\n", "action word 'piece-it' is no identifier"},
    };
    for (const auto& [text, message] : bad) {
        try {
            grammarOf(tokens, text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const DefinitionError& e) {
            EXPECT_NE(std::string(e.what()).find("test.grammar:4: " + message), std::string::npos)
                << e.what();
        }
    }
    try {
        lexerOf("token 2 \",\" 2x\nlist 0\n  \"x\" -> 2\n");
        ADD_FAILURE() << "identifier 2x accepted";
    } catch (const DefinitionError& e) {
        EXPECT_NE(std::string(e.what()).find("'2x' is no identifier"), std::string::npos);
    }

    // A quoted token without an identifier, and an identifier two symbols
    // share, leave the header unwritten.
    const std::string grammar = head + "1 P S : A \",\"\n";
    EXPECT_NO_THROW(
        symbolHeader(lexerOf(tokens + "list 0\n  \"x\" -> 1\n"), grammarOf(tokens, grammar)));
    for (const std::string& clash :
         {std::string("token 1 A\ntoken 2 \",\"\n"), std::string("token 1 A\ntoken 2 \",\" S\n")}) {
        const LexerDefinition lexer = lexerOf(clash + "list 0\n  \"x\" -> 1\n");
        std::istringstream in(grammar);
        EXPECT_THROW(symbolHeader(lexer, readGrammar(in, "test.grammar", lexer.tokens)),
                     DefinitionError)
            << clash;
    }
}
