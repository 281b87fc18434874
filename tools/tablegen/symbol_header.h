// The generated header that names the grammar's symbols for the code around
// the parser: the token enum with the token names, the nonterminal enum, the
// production enum, per production the right-hand-side fields its actions
// read and what the engine may do without them (pass through, fold). The actions use these names
// instead of numbers, so that an action for a production or a field the grammar does not have fails
// to compile.
#pragma once

#include "grammar.h"
#include "lexer_definition.h"

#include <string>

namespace quillex::tablegen {

// The header's text. Throws DefinitionError when a token has no C++
// identifier (a quoted name without one) or two symbols share an identifier.
std::string symbolHeader(const LexerDefinition& lexer, const Grammar& grammar);

// The header that dispatches the parse actions on named productions
// (interleaf_actions.h): per production with an action, the call the
// grammar file writes after "=>".
std::string actionHeader(const Grammar& grammar);

} // namespace quillex::tablegen
