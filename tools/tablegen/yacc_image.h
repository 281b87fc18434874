// The parser table image, in the byte layout the LR parser reads.
//
// Header: type "CYSS", production count (low half; no lookahead-resolution
// automata in the high half), state count, offset of the first row, offset of
// the production table, then one row offset per state. Production records are
// (length, left side). A row is (flags, goto count, action count), the action
// entries, the goto entries; an entry is (value, key).
#pragma once

#include "grammar.h"
#include "lalr.h"

#include <cstdint>
#include <vector>

namespace quillex::tablegen {

inline constexpr std::uint32_t kYaccMagic = 0x53535943; // "CYSS"
inline constexpr std::uint32_t kEntryShift = 0x40000000;
inline constexpr std::uint32_t kEntryReduce = 0x20000000;
inline constexpr std::uint32_t kEntryAccept = 0x10000000;
inline constexpr std::uint32_t kEntryNumberMask = 0x7FFFFFF;

// Throws DefinitionError when a state or production number does not fit the
// 27 bits an entry has for it.
std::vector<std::uint8_t> writeYaccImage(const Grammar& grammar, const ParserTables& tables);

} // namespace quillex::tablegen
