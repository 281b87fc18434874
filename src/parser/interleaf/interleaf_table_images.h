// The Interleaf lexer and parser table images compiled into the program, and
// their registration as the resources the engines load.
//
// tools/tablegen generates the two images at build time from
// resources/interleaf_lexer.def and resources/interleaf_grammar.def.
#pragma once

#include <cstdint>
#include <span>

namespace quillex {

inline constexpr const char* kInterleafLexTableName = "LEX_TABLE";
inline constexpr const char* kInterleafLexTableType = "IleafLexTable";
inline constexpr const char* kInterleafYaccTableName = "YACC_TABLE";
inline constexpr const char* kInterleafYaccTableType = "IleafYaccTable";

// The lexer table image (defined in the generated source).
std::span<const std::uint8_t> interleafLexTableImage();

// The parser table image (defined in the generated source).
std::span<const std::uint8_t> interleafYaccTableImage();

// Registers both images with the resource registry unless already there.
// The Interleaf lexer and parser call it before loading their tables.
void registerInterleafTables();

} // namespace quillex
