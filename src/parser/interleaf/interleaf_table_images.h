// The Interleaf lexer and parser table images compiled into the program, and
// their registration as the resources the engines load.
//
// tools/tablegen generates the two images at build time from
// resources/interleaf_lexer.def and resources/interleaf_grammar.def, and the
// parser table again as the constant arrays the parser reads.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace quillex {

class SSLexTable;
class SSYaccTable;

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

// The lexer and parser tables every Interleaf lexer and parser reads: the
// arrays tools/tablegen compiled into the program (interleaf_tables.h), read
// in place, nothing decoded. The registered images hold the same tables for
// callers that load tables from images.
std::shared_ptr<SSLexTable> interleafLexTable();
std::shared_ptr<SSYaccTable> interleafYaccTable();

} // namespace quillex
