// The Interleaf lexer and parser table images compiled into the program.
//
// tools/tablegen writes their definitions (generated at build time from
// resources/interleaf_lexer.def and resources/interleaf_grammar.def).
#pragma once

#include <cstdint>
#include <span>

namespace quillex {

// The lexer table image: resource "LEX_TABLE" of type "IleafLexTable".
std::span<const std::uint8_t> interleafLexTableImage();

// The parser table image: resource "YACC_TABLE" of type "IleafYaccTable".
std::span<const std::uint8_t> interleafYaccTableImage();

} // namespace quillex
