// LALR(1) parser tables for a Grammar.
//
// The states are the canonical LR(0) item sets; their lookaheads are found by
// the classic propagation method: the LR(1) closure of each kernel item with a
// placeholder lookahead shows which lookaheads are generated spontaneously for
// the items it leads to and which are passed on, and passing them on until
// nothing changes gives the LALR(1) lookaheads. Every action is written out in
// full (no default reductions), so a state's actions are exactly the tokens it
// accepts.
#pragma once

#include "grammar.h"

#include <string>
#include <vector>

namespace quillex::tablegen {

struct Item {
    int production;
    int dot; // position of the dot in the right-hand side
    auto operator<=>(const Item&) const = default;
};

struct ParserAction {
    enum class Kind { Shift, Reduce, Accept };
    int terminal; // symbol index
    Kind kind;
    int value; // target state (shift) or production (reduce)
};

struct ParserGoto {
    int nonterminal; // symbol index
    int state;
};

struct ParserState {
    std::vector<Item> kernel;
    std::vector<ParserAction> actions; // sorted by token number, unsigned
    std::vector<ParserGoto> gotos;     // sorted by nonterminal number
};

struct ParserTables {
    std::vector<ParserState> states;
    std::vector<std::string> conflicts; // one text per conflict found
    std::vector<int> unusedProductions; // productions never reduced (0 excepted)
};

ParserTables buildLalrTables(const Grammar& grammar);

// A readable listing of the states: items, actions and gotos.
std::string describeTables(const Grammar& grammar, const ParserTables& tables);

} // namespace quillex::tablegen
