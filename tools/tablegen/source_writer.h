// The C++ source that carries the two table images into the program.
#pragma once

#include "lex_image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillex::tablegen {

// A translation unit defining interleafLexTableImage() and
// interleafYaccTableImage() (declared in parser/interleaf/interleaf_table_images.h).
std::string tableSource(const std::vector<std::uint8_t>& lexImage,
                        const std::vector<std::uint8_t>& yaccImage);

// A readable listing of the automata: per list, each state's accepted token
// and action, and its transitions.
std::string describeLists(const LexerDefinition& def, const std::vector<CompiledList>& lists);

} // namespace quillex::tablegen
