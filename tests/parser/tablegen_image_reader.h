// A small independent reader of the two table images, for the tests: decodes
// the byte layouts, checks their structure, and runs the automata directly
// (longest match with a list stack; an LR parse over token numbers). It
// shares no code with the engine, so agreement between the two is evidence
// that the images say what the definitions mean.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quillex::testing {

inline std::uint32_t wordAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    if (offset + 4 > bytes.size()) {
        ADD_FAILURE() << "read past the image at " << offset;
        return 0;
    }
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

struct LexTriple {
    std::uint32_t lo, hi, next;
};

struct LexFinal {
    std::uint32_t token = 0, list = 0, flags = 0;
};

struct LexList {
    std::vector<LexFinal> finals;
    std::vector<std::vector<LexTriple>> rows;
};

// Decodes the lexer image, with gtest failures for any structural fault.
inline std::vector<LexList> decodeLexImage(std::span<const std::uint8_t> image) {
    std::vector<LexList> lists;
    const std::uint32_t count = wordAt(image, 0);
    EXPECT_EQ(wordAt(image, 4), 0x53534C58u);
    std::size_t at = 36;
    for (std::uint32_t l = 0; l < count && at < image.size(); ++l) {
        const auto list = image.subspan(at);
        const std::uint32_t length = wordAt(list, 4);
        EXPECT_TRUE(wordAt(list, 0) == 1 || wordAt(list, 0) == 0x53534C58u);
        EXPECT_EQ(wordAt(list, 44), length);
        EXPECT_EQ(wordAt(list, 52), 88u);
        const std::uint32_t states = wordAt(list, 40);
        const std::uint32_t rowOffsets = wordAt(list, 48);
        LexList decoded;
        for (std::uint32_t s = 0; s < states; ++s) {
            const std::size_t f = 88 + 28 * s;
            decoded.finals.push_back({wordAt(list, f), wordAt(list, f + 4), wordAt(list, f + 8)});
            const std::uint32_t row = wordAt(list, rowOffsets + 4 * s);
            const std::uint32_t triples = wordAt(list, row);
            EXPECT_LE(row + 4 + 12 * triples, length);
            std::vector<LexTriple> r;
            for (std::uint32_t t = 0; t < triples; ++t) {
                const std::size_t e = row + 4 + 12 * t;
                r.push_back({wordAt(list, e), wordAt(list, e + 4), wordAt(list, e + 8)});
                EXPECT_LE(r.back().lo, r.back().hi);
                EXPECT_LT(r.back().next, states);
                if (t > 0) {
                    EXPECT_GT(r.back().lo, r[t - 1].hi) << "list " << l << " state " << s;
                }
            }
            decoded.rows.push_back(std::move(r));
        }
        lists.push_back(std::move(decoded));
        at += length;
    }
    EXPECT_EQ(lists.size(), count);
    EXPECT_EQ(at, image.size());
    return lists;
}

// The longest accepted prefix of codes[from...] in one list.
struct LexMatch {
    bool accepted = false;
    LexFinal final;
    std::size_t length = 0;
};

inline LexMatch longestMatch(const LexList& list, const std::vector<std::uint32_t>& codes,
                             std::size_t from) {
    LexMatch match;
    std::uint32_t state = 0;
    if (list.finals[0].flags & 0x10)
        match = {true, list.finals[0], 0};
    for (std::size_t i = from; i < codes.size(); ++i) {
        std::uint32_t next = 0xFFFFFFFF;
        for (const LexTriple& t : list.rows[state])
            if (codes[i] >= t.lo && codes[i] <= t.hi)
                next = t.next;
        if (next == 0xFFFFFFFF)
            break;
        state = next;
        if (list.finals[state].flags & 0x10)
            match = {true, list.finals[state], i + 1 - from};
    }
    return match;
}

struct RefLexeme {
    std::uint32_t token;
    std::string text;
};

// Scans single-byte text the way the table prescribes: longest match, list
// actions on a stack, ignored tokens dropped. Stops at the first character no
// rule accepts, reporting it in `failedAt`.
inline std::vector<RefLexeme> referenceScan(const std::vector<LexList>& lists,
                                            const std::string& text,
                                            std::size_t* failedAt = nullptr) {
    std::vector<std::uint32_t> codes;
    for (unsigned char c : text)
        codes.push_back(c);
    std::vector<std::uint32_t> stack{0};
    std::vector<RefLexeme> out;
    std::size_t at = 0;
    if (failedAt)
        *failedAt = std::string::npos;
    while (at < codes.size()) {
        const LexMatch m = longestMatch(lists[stack.back()], codes, at);
        if (!m.accepted || (m.length == 0 && !out.empty() && out.back().text.empty())) {
            if (failedAt)
                *failedAt = at;
            break;
        }
        const std::uint32_t flags = m.final.flags;
        if ((flags & 0x28) == 0x28)
            stack.back() = m.final.list;
        else if (flags & 0x08)
            stack.pop_back();
        else if (flags & 0x20)
            stack.push_back(m.final.list);
        if (!(flags & 0x40))
            out.push_back({m.final.token, text.substr(at, m.length)});
        at += m.length;
        if (stack.empty()) {
            ADD_FAILURE() << "list stack emptied at " << at;
            break;
        }
    }
    return out;
}

struct YaccEntry {
    std::uint32_t value, key;
};

struct YaccRow {
    std::uint32_t flags;
    std::vector<YaccEntry> actions, gotos;
};

struct YaccImage {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> productions; // (length, left side)
    std::vector<YaccRow> rows;
};

inline YaccImage decodeYaccImage(std::span<const std::uint8_t> image) {
    YaccImage y;
    EXPECT_EQ(wordAt(image, 0), 0x53535943u);
    const std::uint32_t productions = wordAt(image, 4) & 0xFFFF;
    EXPECT_EQ(wordAt(image, 4) >> 16, 0u);
    const std::uint32_t states = wordAt(image, 8);
    const std::uint32_t prodTable = wordAt(image, 16);
    EXPECT_EQ(prodTable, 20 + 4 * states);
    EXPECT_EQ(wordAt(image, 12), prodTable + 8 * productions);
    for (std::uint32_t p = 0; p < productions; ++p)
        y.productions.push_back(
            {wordAt(image, prodTable + 8 * p), wordAt(image, prodTable + 8 * p + 4)});
    std::size_t expectedRow = wordAt(image, 12);
    for (std::uint32_t s = 0; s < states; ++s) {
        const std::uint32_t row = wordAt(image, 20 + 4 * s);
        EXPECT_EQ(row, expectedRow) << "rows lie back to back";
        YaccRow r{wordAt(image, row), {}, {}};
        const std::uint32_t gotos = wordAt(image, row + 4);
        const std::uint32_t actions = wordAt(image, row + 8);
        for (std::uint32_t i = 0; i < actions + gotos; ++i) {
            const YaccEntry e{wordAt(image, row + 12 + 8 * i), wordAt(image, row + 16 + 8 * i)};
            (i < actions ? r.actions : r.gotos).push_back(e);
        }
        expectedRow = row + 12 + 8 * (actions + gotos);
        y.rows.push_back(std::move(r));
    }
    EXPECT_EQ(expectedRow, image.size());
    return y;
}

struct RefParse {
    bool accepted = false;
    std::size_t errorAt = 0; // index of the token refused
    std::uint32_t errorState = 0;
    std::vector<std::uint32_t> reductions;
};

// An LR parse of `tokens` (eof is appended) over the decoded table.
inline RefParse referenceParse(const YaccImage& y, std::vector<std::uint32_t> tokens) {
    tokens.push_back(0xFFFFFFFF);
    std::vector<std::uint32_t> stack{0};
    RefParse result;
    std::size_t at = 0;
    for (std::size_t steps = 0; steps < 100 * tokens.size() + 100; ++steps) {
        const YaccRow& row = y.rows[stack.back()];
        const YaccEntry* entry = nullptr;
        for (const YaccEntry& e : row.actions)
            if (e.key == tokens[at])
                entry = &e;
        if (!entry) {
            result.errorAt = at;
            result.errorState = stack.back();
            return result;
        }
        const std::uint32_t number = entry->value & 0x7FFFFFF;
        if (entry->value & 0x40000000) {
            stack.push_back(number);
            ++at;
        } else if (entry->value & 0x20000000) {
            result.reductions.push_back(number);
            const auto [length, lhs] = y.productions.at(number);
            stack.resize(stack.size() - length);
            std::uint32_t next = 0xFFFFFFFF;
            for (const YaccEntry& g : y.rows[stack.back()].gotos)
                if (g.key == lhs)
                    next = g.value;
            if (next == 0xFFFFFFFF) {
                ADD_FAILURE() << "no goto on " << lhs << " in state " << stack.back();
                return result;
            }
            stack.push_back(next);
        } else if (entry->value & 0x10000000) {
            result.accepted = true;
            return result;
        } else {
            ADD_FAILURE() << "bad action value " << entry->value;
            return result;
        }
    }
    ADD_FAILURE() << "parse did not end";
    return result;
}

} // namespace quillex::testing
