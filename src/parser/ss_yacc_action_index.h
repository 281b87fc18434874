// SSYaccActionIndex: the action and goto entries of a parser table spread
// into dense arrays, one row per state and one column per token (or
// nonterminal), built once when the table is loaded.
//
// The rows of the table image are searched entry by entry, first match
// wins; the parser asks one action per token and one goto per reduction, so
// it reads these arrays instead. Every cell holds what that in-order search
// answers. Keys outside the dense column range (none in the tables the
// generator writes) and tables too large to spread are answered by the
// search itself. Where every number fits, the cells are 16 bits wide, so
// that the arrays of a table like the Interleaf one stay in the fastest
// cache.
//
// A table the generator compiled into the program (SSYaccCompiledTable) comes
// with these arrays made: the index then reads them where they are.
#pragma once

#include "parser/ss_yacc_pair_table.h"

#include <cstdint>
#include <vector>

namespace quillex {

// A parser table compiled into the program as the arrays SSYaccActionIndex
// reads (tools/tablegen writes them): 16-bit action cells (kind << 13 |
// number) a row per state and a column per token from `actionBase` (a
// signed token number, stored as its 32 bits), 16-bit goto cells (the state,
// 0xFFFF for none) a row per state and a column per nonterminal from
// `gotoBase`, each production's length and left side, and per state the
// production a shifted terminal folds by (0xFFFF for none). A compiled table
// has no sync marks, error entries or lookahead-resolution automata.
struct SSYaccCompiledTable {
    std::uint32_t states = 0;
    std::uint32_t productions = 0;
    std::uint32_t actionBase = 0;
    std::uint32_t actionColumns = 0;
    const std::uint16_t* actions = nullptr;
    std::uint32_t gotoBase = 0;
    std::uint32_t gotoColumns = 0;
    const std::uint16_t* gotos = nullptr;
    const std::uint32_t* productionSizes = nullptr;
    const std::uint32_t* productionLeftsides = nullptr;
    const std::uint16_t* folds = nullptr;
};

class SSYaccActionIndex {
  public:
    // A decoded action: its kind in the top bits, the state, production or
    // automaton number (27 bits, as in the image) below.
    struct Action {
        std::uint32_t cell;
        SSYaccAction::SSYaccActionType kind() const {
            return static_cast<SSYaccAction::SSYaccActionType>(cell >> kindShift);
        }
        std::uint32_t number() const { return cell & SSYaccPairTableEntry::numberMask; }
    };
    static constexpr std::uint32_t noGoto = 0xFFFFFFFF;

    // Spreads `table`, which must outlive the index.
    explicit SSYaccActionIndex(const SSYaccPairTable& table);
    // Reads the arrays of `table` where they are (they must outlive the index).
    explicit SSYaccActionIndex(const SSYaccCompiledTable& table);

    SSYaccActionIndex(const SSYaccActionIndex&) = delete;
    SSYaccActionIndex& operator=(const SSYaccActionIndex&) = delete;

    // What the parser does in `state` on `token`: the kind of the first
    // action entry for the token, error when there is none.
    Action action(std::uint32_t state, std::uint32_t token) const {
        const std::uint32_t column = token - actionBase_;
        if (state < states_ && column < actionColumns_) {
            const std::size_t cell = std::size_t{state} * actionColumns_ + column;
            if (compact_) {
                const std::uint16_t narrow = narrowActionCells_[cell];
                return {std::uint32_t{narrow} >> narrowKindShift << kindShift |
                        (narrow & narrowNumberMask)};
            }
            return {actions_[cell]};
        }
        return actionOutside(state, token);
    }
    // The state the first goto entry of `state` for `symbol` leads to;
    // noGoto when there is none.
    std::uint32_t gotoState(std::uint32_t state, std::uint32_t symbol) const {
        const std::uint32_t column = symbol - gotoBase_;
        if (state < states_ && column < gotoColumns_) {
            const std::size_t cell = std::size_t{state} * gotoColumns_ + column;
            if (compact_) {
                const std::uint16_t narrow = narrowGotoCells_[cell];
                return narrow == narrowNoGoto ? noGoto : narrow;
            }
            return gotos_[cell];
        }
        return gotoOutside(state, symbol);
    }
    // The production's right-hand-side length and left side.
    SSYaccPairTableProd production(std::uint32_t production) const {
        return {productionSizes_[production], productionLeftsides_[production]};
    }
    std::uint32_t states() const { return states_; }
    std::uint32_t productions() const { return productions_; }
    // The tokens `state` has an action for, in the order of the generator's
    // rows (unsigned token order). Only for a compiled table, whose rows are
    // sorted so.
    std::vector<std::int32_t> tokensOf(std::uint32_t state) const;

    // The answers of the table's own in-order row search, in the same form;
    // error and noGoto for a state the table does not have (or a compiled
    // table, which has no rows).
    Action searchAction(std::uint32_t state, std::uint32_t token) const;
    std::uint32_t searchGoto(std::uint32_t state, std::uint32_t symbol) const;

  private:
    static constexpr std::uint32_t kindShift = 27;
    // The 16-bit cells: a kind in the top three bits of an action, its
    // number below; a goto state, or all bits set for none.
    static constexpr std::uint32_t narrowKindShift = 13;
    static constexpr std::uint32_t narrowNumberMask = (1u << narrowKindShift) - 1;
    static constexpr std::uint16_t narrowNoGoto = 0xFFFF;
    // Above this many cells a table is not spread (a few megabytes).
    static constexpr std::uint64_t maxCells = std::uint64_t{1} << 20;

    static Action decode(const std::optional<SSYaccPairTableEntry>& entry);
    Action actionOutside(std::uint32_t state, std::uint32_t token) const;
    std::uint32_t gotoOutside(std::uint32_t state, std::uint32_t symbol) const;
    void spreadActions();
    void spreadGotos();
    void narrowCells();

    const SSYaccPairTable* table_ = nullptr; // none for a compiled table
    std::uint32_t states_ = 0;
    std::uint32_t productions_ = 0;
    // Token numbers are spread as signed values, so that the end-of-input
    // (-1) and error (-2) tokens sit next to the small ones.
    std::uint32_t actionBase_ = 0;
    std::uint32_t actionColumns_ = 0;
    std::uint32_t gotoBase_ = 0;
    std::uint32_t gotoColumns_ = 0;
    // Whether some key lies outside the columns: only then must a key outside
    // them be searched for, else it has no entry.
    bool actionKeysOutside_ = false;
    bool gotoKeysOutside_ = false;
    std::vector<std::uint32_t> actions_;
    std::vector<std::uint32_t> gotos_;
    bool compact_ = false;
    std::vector<std::uint16_t> narrowActions_;
    std::vector<std::uint16_t> narrowGotos_;
    // The 16-bit cells read: the vectors above, or a compiled table's arrays.
    const std::uint16_t* narrowActionCells_ = nullptr;
    const std::uint16_t* narrowGotoCells_ = nullptr;
    std::vector<std::uint32_t> sizes_;
    std::vector<std::uint32_t> leftsides_;
    const std::uint32_t* productionSizes_ = nullptr;
    const std::uint32_t* productionLeftsides_ = nullptr;
};

} // namespace quillex
