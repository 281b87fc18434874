// The scanner and parser tables as C++ constant arrays (interleaf_tables.h):
// what the scanner and the LR parser read, laid out as they read it, so that
// the program decodes nothing at start-up.
//
// Per expression list of the lexer: its final-state records, the class of
// each byte, and per state a row of next states by byte class (the row's
// start, state times class count, with 0x8000 where the next state accepts;
// 0xFFFF for none), as SSLexExpressionList builds them from an image; and
// where the list's image starts in the lexer image, for the codes above the
// bytes.
//
// The actions are one row per state and one column per token (the tokens in
// signed order from the lowest, so that the end of input, -1, sits next to
// the small ones), each cell a 16-bit kind << 13 | number; the gotos are one
// row per state and one column per nonterminal, each cell the target state
// or 0xFFFF; the productions their length and left side; and per state the
// production a terminal shifted into it folds by (a state whose every action
// reduces the same production LIST : LIST TERMINAL), or 0xFFFF.
#pragma once

#include "grammar.h"
#include "lalr.h"
#include "lex_image.h"

#include <string>

namespace quillex::tablegen {

// Kinds of a compiled action cell, as the parser's SSYaccAction numbers them.
inline constexpr unsigned kCellShift = 0;
inline constexpr unsigned kCellError = 1;
inline constexpr unsigned kCellReduce = 2;
inline constexpr unsigned kCellAccept = 3;
inline constexpr unsigned kCellKindShift = 13;
inline constexpr unsigned kCellNone = 0xFFFF;

// The header's text. Throws DefinitionError when a state or production
// number does not fit a 16-bit cell.
std::string compiledTables(const std::vector<CompiledList>& lists, const Grammar& grammar,
                           const ParserTables& tables);

} // namespace quillex::tablegen
