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

struct Production {
    std::string name;
    int lhs;              // symbol index
    std::vector<int> rhs; // symbol indexes
    std::vector<ProductionField> fields;
    int line = 0;
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
// symbols, gaps in the numbering, nonterminals without productions, and
// production names or field labels that are missing, malformed or repeated.
Grammar readGrammar(std::istream& in, const std::string& fileName,
                    const std::vector<TokenDefinition>& tokens);

} // namespace quillex::tablegen
