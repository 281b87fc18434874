// CharSet: a set of 32-bit input codes kept as sorted, disjoint ranges.
//
// The lexer automata read input codes rather than bytes (single bytes,
// double-byte characters up to 0xFFFF, and the start symbol 0xFFFFFFFF), so
// character classes are ranges of codes, not bitmaps.
#pragma once

#include <cstdint>
#include <vector>

namespace quillex::tablegen {

// The start symbol the input layer delivers once before the first character.
inline constexpr std::uint32_t kStartSymbol = 0xFFFFFFFFu;
// The largest code of a real character (a double-byte or 16-bit character).
inline constexpr std::uint32_t kMaxCharacter = 0xFFFFu;

struct CodeRange {
    std::uint32_t lo;
    std::uint32_t hi; // inclusive
    bool operator==(const CodeRange&) const = default;
};

class CharSet {
  public:
    CharSet() = default;
    static CharSet single(std::uint32_t code) { return range(code, code); }
    static CharSet range(std::uint32_t lo, std::uint32_t hi);
    // Every real character, 0 to kMaxCharacter.
    static CharSet anyCharacter() { return range(0, kMaxCharacter); }

    void add(std::uint32_t lo, std::uint32_t hi);
    void add(const CharSet& other);
    // The characters (0 to kMaxCharacter) that are not in this set.
    CharSet complement() const;

    bool contains(std::uint32_t code) const;
    bool empty() const { return ranges_.empty(); }
    const std::vector<CodeRange>& ranges() const { return ranges_; }
    bool operator==(const CharSet&) const = default;

  private:
    void normalize();
    std::vector<CodeRange> ranges_;
};

} // namespace quillex::tablegen
