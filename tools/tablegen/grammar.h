// Grammar: the symbols and numbered productions read from a grammar
// definition file.
//
// The file is line oriented; "#" starts a comment line.
//
//   nonterminal 16386 document       a nonterminal and the number the parser
//                                    table stores it under
//   0   goal : document eof          production 0, the start production
//   92  group_field_1 :              an empty production
//
// Terminals are the named tokens of the lexer definition (a quoted name such
// as "," refers to the token of that name) and eof, the end of input (-1).
// Productions must be numbered 0, 1, 2, ... in order; production 0 has the
// form "goal : start-symbol eof".
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

struct Production {
    int lhs;              // symbol index
    std::vector<int> rhs; // symbol indexes
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
// symbols, gaps in the numbering, and nonterminals without productions.
Grammar readGrammar(std::istream& in, const std::string& fileName,
                    const std::vector<TokenDefinition>& tokens);

} // namespace quillex::tablegen
