// The lexer table image: one automaton per expression list, in the byte
// layout the scanner reads.
//
// Main header (36 bytes): list count, magic "XLSS", 28 reserved bytes. Then one
// image per list: an 88-byte header (type, length, state count, offsets of the
// row-offset and final-state arrays), a 28-byte final-state record per state,
// the row offsets, and the rows of (lo, hi, next) transition triples.
#pragma once

#include "dfa.h"
#include "lexer_definition.h"

#include <cstdint>
#include <vector>

namespace quillex::tablegen {

inline constexpr std::uint32_t kLexMagic = 0x53534C58; // "XLSS"

// Final-state flags read by the scanner.
inline constexpr std::uint32_t kFlagPop = 0x08;
inline constexpr std::uint32_t kFlagFinal = 0x10;
inline constexpr std::uint32_t kFlagPush = 0x20;
inline constexpr std::uint32_t kFlagIgnore = 0x40;

// The automaton of each list, with the acceptance of each of its rules. Rule 0
// of every list is the start symbol, accepted as the ignored token -1.
struct CompiledList {
    Dfa dfa;
    std::vector<Acceptance> rules;
};

std::vector<CompiledList> compileLists(const LexerDefinition& def);

std::vector<std::uint8_t> writeLexImage(const std::vector<CompiledList>& lists);

// The image of one list, as writeLexImage puts it behind the main header.
std::vector<std::uint8_t> writeListImage(const CompiledList& list);

// The flags of the final-state record of a state that accepts `a`.
std::uint32_t finalFlags(const Acceptance& a);

// Size of the main header, before the first list's image.
inline constexpr std::size_t kLexMainHeaderSize = 36;

} // namespace quillex::tablegen
