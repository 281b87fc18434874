// Test fixtures: a small lexer table with three lexical modes and the parser
// table of a small grammar over its tokens, both written with
// table_image_writer.h.
#pragma once

#include "table_image_writer.h"

namespace quillex::test {

// Tokens of the sample lexer table.
enum SampleToken : std::int32_t {
    WORD = 1,     // [a-z]+
    INT = 2,      // [0-9]+
    QUOTE = 4,    // "  push list 1
    PLUS = 5,     // +
    PLUSPLUS = 6, // ++
    TEXT = 8,     // list 1: [^"]+
    END = 9,      // list 1: "  pop
    WIDE = 12,    // any code 0x100-0xFFFF (a double-byte character)
    PMP = 13,     // +-+
    LTGT = 14,    // <>
    CR = 15,      // a carriage return
    BRACE = 16,   // {  push list 2
    NAME = 17,    // list 2: [a-z]+
    CLOSE = 18,   // list 2: }  pop
    BAR = 19,     // list 2: |  goto list 1
    EMPTY = 20,   // list 2: the empty match of the accepting start state
    RPAREN = 21,  // )  pop
    BANG = 22,    // !  push list 7, which does not exist
    HIGH = 23,    // a single byte 0x80-0xFF
    BLANK = 30,   // [ \t\n]+ ignored
};

constexpr std::uint32_t ignoreFinal = 0x50;
constexpr std::uint32_t finalOnly = 0x10;
constexpr std::uint32_t finalPush = 0x30;
constexpr std::uint32_t finalPop = 0x18;
constexpr std::uint32_t finalGoto = 0x38;

// clang-format off
inline std::vector<DfaState> sampleMainList() {
    return {
        /* 0 */ {0, 0, 0, {{0x09, 0x0A, 1}, {0x0D, 0x0D, 13}, {0x20, 0x20, 1}, {'!', '!', 15},
                           {'"', '"', 4}, {')', ')', 16}, {'+', '+', 5}, {'0', '9', 3},
                           {'<', '<', 8}, {'a', 'z', 2}, {'{', '{', 14}, {0x80, 0xFF, 17},
                           {0x100, 0xFFFF, 10}, {none, none, 9}}},
        /* 1 */ {BLANK, 0, ignoreFinal, {{0x09, 0x0A, 1}, {0x20, 0x20, 1}}},
        /* 2 */ {WORD, 0, finalOnly, {{'a', 'z', 2}}},
        /* 3 */ {INT, 0, finalOnly, {{'0', '9', 3}}},
        /* 4 */ {QUOTE, 1, finalPush, {}},
        /* 5 */ {PLUS, 0, finalOnly, {{'+', '+', 6}, {'-', '-', 7}}},
        /* 6 */ {PLUSPLUS, 0, finalOnly, {}},
        /* 7 */ {0, 0, 0, {{'+', '+', 11}}},
        /* 8 */ {0, 0, 0, {{'>', '>', 12}}},
        /* 9 */ {none, 0, ignoreFinal, {}},
        /* 10 */ {WIDE, 0, finalOnly, {}},
        /* 11 */ {PMP, 0, finalOnly, {}},
        /* 12 */ {LTGT, 0, finalOnly, {}},
        /* 13 */ {CR, 0, finalOnly, {}},
        /* 14 */ {BRACE, 2, finalPush, {}},
        /* 15 */ {BANG, 7, finalPush, {}},
        /* 16 */ {RPAREN, 0, finalPop, {}},
        /* 17 */ {HIGH, 0, finalOnly, {}},
    };
}

inline std::vector<DfaState> sampleQuotedList() {
    return {
        /* 0 */ {0, 0, 0, {{0x00, 0x21, 2}, {'"', '"', 3}, {0x23, 0xFF, 2}, {none, none, 1}}},
        /* 1 */ {none, 0, ignoreFinal, {}},
        /* 2 */ {TEXT, 0, finalOnly, {{0x00, 0x21, 2}, {0x23, 0xFF, 2}}},
        /* 3 */ {END, 0, finalPop, {}},
    };
}

inline std::vector<DfaState> sampleBraceList() {
    return {
        /* 0 */ {EMPTY, 0, finalOnly, {{'a', 'z', 1}, {'|', '|', 3}, {'}', '}', 2}}},
        /* 1 */ {NAME, 0, finalOnly, {{'a', 'z', 1}}},
        /* 2 */ {CLOSE, 0, finalPop, {}},
        /* 3 */ {BAR, 1, finalGoto, {}},
    };
}

// clang-format on

inline Bytes sampleLexTable() {
    return lexTableImage({sampleMainList(), sampleQuotedList(), sampleBraceList()});
}

// Grammar over WORD, INT, QUOTE, TEXT, END:
//   0 goal     -> list eof
//   1 list     -> list item
//   2 list     -> item
//   3 item     -> WORD
//   4 item     -> INT
//   5 item     -> QUOTE opt_text END
//   6 opt_text -> TEXT
//   7 opt_text -> (empty)
constexpr std::uint32_t LIST = 16385;
constexpr std::uint32_t ITEM = 16386;
constexpr std::uint32_t OPT_TEXT = 16387;

inline std::vector<Production> sampleProductions() {
    return {{2, 0},    {2, LIST}, {1, LIST},     {1, ITEM},
            {1, ITEM}, {3, ITEM}, {1, OPT_TEXT}, {0, OPT_TEXT}};
}

// `syncRows` marks states 0 and 1 sync-all, for the default error recovery.
inline std::vector<ParserRow> sampleRows(bool syncRows = false) {
    const auto reduceOnFollow = [](std::uint32_t production) {
        return ParserRow{0,
                         {{reduceBy(production), none},
                          {reduceBy(production), WORD},
                          {reduceBy(production), INT},
                          {reduceBy(production), QUOTE}},
                         {},
                         {}};
    };
    const std::uint32_t sync = syncRows ? 0x04 : 0;
    // clang-format off
    return {
        /* 0 */ {sync, {{shiftTo(3), WORD}, {shiftTo(4), INT}, {shiftTo(5), QUOTE}},
                 {{1, LIST}, {2, ITEM}}, {}},
        /* 1 */ {sync, {{acceptValue, none}, {shiftTo(3), WORD}, {shiftTo(4), INT}, {shiftTo(5), QUOTE}},
                 {{6, ITEM}}, {}},
        /* 2 */ reduceOnFollow(2),
        /* 3 */ reduceOnFollow(3),
        /* 4 */ reduceOnFollow(4),
        /* 5 */ {0, {{shiftTo(7), TEXT}, {reduceBy(7), END}}, {{8, OPT_TEXT}}, {}},
        /* 6 */ reduceOnFollow(1),
        /* 7 */ {0, {{reduceBy(6), END}}, {}, {}},
        /* 8 */ {0, {{shiftTo(9), END}}, {}, {}},
        /* 9 */ reduceOnFollow(5),
    };
    // clang-format on
}

inline Bytes sampleParserTable(bool syncRows = false) {
    return parserTableImage(sampleProductions(), sampleRows(syncRows));
}

} // namespace quillex::test
