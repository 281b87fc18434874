// The Interleaf lexer and parser table images compiled into the program, and
// their registration as the resources the engines load.
//
// tools/tablegen generates the two images at build time from
// resources/interleaf_lexer.def and resources/interleaf_grammar.def.
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

// The tables decoded from the registered images, shared by every parse in
// the process: decoding them (the lexer's byte rows above all) costs more
// than scanning a small document, and a parse only reads them. An image
// registered anew (a test replacing one) is decoded anew. A parser table with
// read-ahead automata, which keep state while a parse runs, is decoded for
// each caller instead.
std::shared_ptr<SSLexTable> interleafLexTable();
std::shared_ptr<SSYaccTable> interleafYaccTable();

} // namespace quillex
