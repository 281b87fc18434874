// SSYaccTable: a parser table (LALR action and goto rows, productions, and
// the lookahead-resolution automata) read from a table image.
//
// The image may come from a resource, a file or memory; it is copied and
// checked as a whole before use (see SSYaccPairTable).
#pragma once

#include "parser/ss_exception.h"
#include "parser/ss_lex_expression_list.h"
#include "parser/ss_yacc_pair_table.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class SSYaccTable {
  public:
    // From the program resource `name` of type `type`; SSYacc0114e (id 37)
    // when missing.
    SSYaccTable(std::string_view name, std::string_view type);
    // From a table file; SSYacc0101e when it cannot be opened.
    explicit SSYaccTable(const std::string& path);
    // From an image in memory; `name` appears in SSYacc0111e.
    SSYaccTable(std::span<const std::uint8_t> image, std::string_view name);

    SSYaccTable(const SSYaccTable&) = delete;
    SSYaccTable& operator=(const SSYaccTable&) = delete;

    std::uint32_t imageLength() const { return static_cast<std::uint32_t>(image_.size()); }
    const SSYaccPairTable& pairTable() const { return *pairTable_; }
    std::uint32_t states() const { return pairTable_->size(); }
    std::uint32_t productions() const { return pairTable_->prod(); }
    // Lookahead-resolution automaton `index` (a number the table checked).
    SSLexIterator& larIterator(std::uint32_t index) { return *automata_.at(index); }
    std::uint32_t larIterators() const { return static_cast<std::uint32_t>(automata_.size()); }

    // The action entry of `state` (a state the table has) for `token`: what
    // the row's in-order search finds. Small token numbers are answered from
    // a per-state index built the first time the state is asked.
    std::optional<SSYaccPairTableEntry> lookupAction(std::uint32_t state,
                                                     std::uint32_t token) const {
        if (token < indexedTokens && !actionIndex_.empty()) {
            const std::uint32_t* row = actionRow(state);
            if (row != nullptr) {
                const std::uint32_t value = row[token];
                if (value == noEntry)
                    return std::nullopt;
                return SSYaccPairTableEntry(value, token);
            }
        }
        return pairTable_->lookupRow(state).lookupAction(token);
    }

    const SSExceptionPresent& exceptionPresent() const { return pending_; }

  private:
    // Tokens below this number are indexed; the value word noEntry marks a
    // token without an entry (a row that holds that word is not indexed).
    static constexpr std::uint32_t indexedTokens = 128;
    static constexpr std::uint32_t noEntry = 0xFFFFFFFF;
    static constexpr std::uint32_t unindexedRow = 0xFFFFFFFF;

    void load(std::span<const std::uint8_t> image, std::string_view name);
    const std::uint32_t* actionRow(std::uint32_t state) const {
        std::uint32_t at = actionIndex_[state];
        if (at == 0)
            at = buildActionRow(state);
        return at == unindexedRow ? nullptr
                                  : actionRows_.data() + std::size_t{at - 1} * indexedTokens;
    }
    std::uint32_t buildActionRow(std::uint32_t state) const;

    SSExceptionPresent pending_;
    std::vector<std::uint8_t> image_;
    std::optional<SSYaccPairTable> pairTable_;
    std::vector<std::unique_ptr<SSLexIterator>> automata_;
    // Per state: 0 while not built, unindexedRow, or its row number from 1.
    // Filled on first use, so a table is never shared between threads.
    mutable std::vector<std::uint32_t> actionIndex_;
    mutable std::vector<std::uint32_t> actionRows_;
};

} // namespace quillex
