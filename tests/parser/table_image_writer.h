// Test helper: writes lexer and parser table images word by word in the
// engines' byte layout (little-endian 32-bit words, image-relative offsets).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillex::test {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t lexMagic = 0x53534C58;  // "XLSS"
constexpr std::uint32_t yaccMagic = 0x53535943; // "CYSS"
constexpr std::uint32_t none = 0xFFFFFFFF;      // no transition, start symbol, token -1

inline void putWord(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void setWord(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline Bytes wordsToBytes(const std::vector<std::uint32_t>& words) {
    Bytes bytes;
    for (const std::uint32_t word : words)
        putWord(bytes, word);
    return bytes;
}

struct Transition {
    std::uint32_t lo;
    std::uint32_t hi;
    std::uint32_t next;
};

// One DFA state: its final-state record and its row of transitions.
struct DfaState {
    std::uint32_t token = 0;
    std::uint32_t list = 0;
    std::uint32_t flags = 0;
    std::vector<Transition> row;
};

// One expression-list image: 88-byte header, final-state records at 88, then
// the row-offset array, then the rows.
inline Bytes expressionListImage(const std::vector<DfaState>& states, std::uint32_t type = 1) {
    const auto count = static_cast<std::uint32_t>(states.size());
    const std::uint32_t finals = 88;
    const std::uint32_t rowArray = finals + 28 * count;
    std::uint32_t rowAt = rowArray + 4 * count;
    std::vector<std::uint32_t> rowOffsets;
    for (const DfaState& state : states) {
        rowOffsets.push_back(rowAt);
        rowAt += 4 + 12 * static_cast<std::uint32_t>(state.row.size());
    }
    const std::uint32_t length = rowAt;

    Bytes image;
    putWord(image, type);
    putWord(image, length);
    for (int i = 0; i < 8; ++i)
        putWord(image, 0);
    putWord(image, count);
    putWord(image, length);
    putWord(image, rowArray);
    putWord(image, finals);
    for (int i = 0; i < 8; ++i)
        putWord(image, 0);
    for (const DfaState& state : states) {
        putWord(image, state.token);
        putWord(image, state.list);
        putWord(image, state.flags);
        for (int i = 0; i < 4; ++i)
            putWord(image, 0);
    }
    for (const std::uint32_t offset : rowOffsets)
        putWord(image, offset);
    for (const DfaState& state : states) {
        putWord(image, static_cast<std::uint32_t>(state.row.size()));
        for (const Transition& t : state.row) {
            putWord(image, t.lo);
            putWord(image, t.hi);
            putWord(image, t.next);
        }
    }
    return image;
}

// A lexer table: 36-byte header (list count, magic, reserved), then the lists.
inline Bytes lexTableImage(const std::vector<std::vector<DfaState>>& lists,
                           std::uint32_t magic = lexMagic) {
    Bytes image;
    putWord(image, static_cast<std::uint32_t>(lists.size()));
    putWord(image, magic);
    for (int i = 0; i < 7; ++i)
        putWord(image, 0);
    for (const auto& list : lists) {
        const Bytes listImage = expressionListImage(list);
        image.insert(image.end(), listImage.begin(), listImage.end());
    }
    return image;
}

// Parser table pieces.
constexpr std::uint32_t shiftTo(std::uint32_t state) {
    return 0x40000000 | state;
}
constexpr std::uint32_t reduceBy(std::uint32_t production) {
    return 0x20000000 | production;
}
constexpr std::uint32_t acceptValue = 0x10000000;
constexpr std::uint32_t conflictOn(std::uint32_t automaton) {
    return 0x08000000 | automaton;
}
constexpr std::uint32_t syncMark = 0x80000000;

struct Entry {
    std::uint32_t value;
    std::uint32_t key;
};

struct ParserRow {
    std::uint32_t flags = 0;
    std::vector<Entry> actions;
    std::vector<Entry> gotos;
    std::optional<std::uint32_t> errorState; // sets flag 0x02
};

struct Production {
    std::uint32_t length;
    std::uint32_t leftside;
};

// A parser table: 20-byte header, row-offset array, production table, rows,
// then the lookahead-resolution automata.
inline Bytes parserTableImage(const std::vector<Production>& productions,
                              const std::vector<ParserRow>& rows,
                              const std::vector<Bytes>& automata = {},
                              std::uint32_t type = yaccMagic) {
    const auto states = static_cast<std::uint32_t>(rows.size());
    const auto prods = static_cast<std::uint32_t>(productions.size());
    const std::uint32_t prodTable = 20 + 4 * states;
    const std::uint32_t firstRow = prodTable + 8 * prods;

    Bytes image;
    putWord(image, type);
    putWord(image, prods | (static_cast<std::uint32_t>(automata.size()) << 16));
    putWord(image, states);
    putWord(image, firstRow);
    putWord(image, prodTable);
    std::uint32_t rowAt = firstRow;
    for (const ParserRow& row : rows) {
        putWord(image, type == 0 ? 0 : rowAt);
        rowAt += 12 + 8 * static_cast<std::uint32_t>(row.actions.size() + row.gotos.size() +
                                                     (row.errorState ? 1 : 0));
    }
    for (const Production& production : productions) {
        putWord(image, production.length);
        putWord(image, production.leftside);
    }
    for (const ParserRow& row : rows) {
        putWord(image, row.flags | (row.errorState ? 0x02u : 0u));
        putWord(image, static_cast<std::uint32_t>(row.gotos.size()));
        putWord(image, static_cast<std::uint32_t>(row.actions.size()));
        for (const Entry& e : row.actions) {
            putWord(image, e.value);
            putWord(image, e.key);
        }
        for (const Entry& e : row.gotos) {
            putWord(image, e.value);
            putWord(image, e.key);
        }
        if (row.errorState) {
            putWord(image, *row.errorState);
            putWord(image, 0);
        }
    }
    for (const Bytes& automaton : automata)
        image.insert(image.end(), automaton.begin(), automaton.end());
    return image;
}

} // namespace quillex::test
