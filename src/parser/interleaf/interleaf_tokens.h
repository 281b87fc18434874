// The Interleaf token set: the token, nonterminal and production names that
// tools/tablegen generates from resources/interleaf_lexer.def and
// resources/interleaf_grammar.def (interleaf_symbols.h), and token names for
// messages.
#pragma once

#include "interleaf_symbols.h"

#include <cstdint>

namespace quillex::ileaf {

// The name of a token for messages: its name in the lexer definition, "eof"
// for -1, "%error" for -2, and "SSLexTokenNotFound" for every other number.
const char* tokenName(std::int32_t token);

} // namespace quillex::ileaf
