// Grammar: the symbols and numbered productions read from a grammar
// definition file.
//
// The file is line oriented; "#" starts a comment line.
//
//   nonterminal 16386 document       a nonterminal and the number the parser
//                                    table stores it under
//   0  Goal  goal : document eof     production 0, called Goal: the start
//                                    production
//   92 Empty group_field_1 :         an empty production
//   16 Head  head : A INTEGER(major) a right-hand-side symbol with a field
//                                    label: the actions read it by that name
//   57 Start head : START(s) => piece Frame s
//                                    what the production builds (below)
//
// What follows "=>" is the production's action:
//   fold                   a list of words or layout, `list : list TERMINAL`:
//                          the list widens over the terminal and nothing else
//                          happens (the engine may do that in place)
//   refuse CODE            the document is refused with result CODE
//   VERB ARGUMENT...       the parse actions' function VERB, given the
//                          reduction and each argument: a word that starts
//                          with a capital letter names a piece kind, any
//                          other is a field label of this production
// A production without "=>" has no action: with one symbol on its right
// side it passes that symbol's element on as its own, with more its element
// covers theirs.
//
// Terminals are the named tokens of the lexer definition (a quoted name such
// as "," refers to the token of that name) and eof, the end of input (-1).
// Productions must be numbered 0, 1, 2, ... in order; production 0 has the
// form "goal : start-symbol eof". Production names and field labels are C++
// identifiers; names are unique in the grammar, labels in their production.
#pragma once

#include "lexer_definition.h"

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace quillex::tablegen {

inline constexpr std::uint32_t kEofToken = 0xFFFFFFFFu;

struct GrammarSymbol {
    std::string name;
    std::uint32_t number; // token or nonterminal number as stored in the table
    bool terminal;
};

// A labelled right-hand-side symbol: the actions read `position` as `label`.
struct ProductionField {
    std::string label;
    std::size_t position;
    bool operator==(const ProductionField&) const = default;
};

// The action after "=>": its verb and arguments as written.
struct ProductionAction {
    std::string verb; // empty: no action
    std::vector<std::string> arguments;

    bool none() const { return verb.empty(); }
    bool folds() const { return verb == "fold"; }
    bool refuses() const { return verb == "refuse"; }
};

struct Production {
    std::string name;
    int lhs;              // symbol index
    std::vector<int> rhs; // symbol indexes
    std::vector<ProductionField> fields;
    ProductionAction action;
    int line = 0;

    // Whether the engine may hand the one symbol's element on as the left
    // side without calling the actions.
    bool passesThrough() const { return rhs.size() == 1 && action.none(); }
    // The position of the field labelled `label`, -1 when there is none.
    int fieldPosition(const std::string& label) const;
};

struct Grammar {
    std::vector<GrammarSymbol> symbols;
    std::vector<Production> productions; // indexed by production number
    int eof = -1;                        // symbol index of eof

    bool isTerminal(int symbol) const { return symbols[symbol].terminal; }
    // Symbol index by name, -1 when unknown.
    int findSymbol(const std::string& name) const;
};

// Reads a grammar whose terminals are the named tokens of `tokens`. Throws
// DefinitionError naming `fileName` and the line for malformed input, unknown
// symbols, gaps in the numbering, nonterminals without productions,
// production names or field labels that are missing, malformed or repeated,
// and actions that do not fit their production (a fold that is no list, a
// refusal without its code, an argument that is neither a piece kind nor a
// field of the production).
Grammar readGrammar(std::istream& in, const std::string& fileName,
                    const std::vector<TokenDefinition>& tokens);

} // namespace quillex::tablegen
