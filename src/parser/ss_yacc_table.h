// SSYaccTable: a parser table (LALR action and goto rows, productions, and
// the lookahead-resolution automata) read from a table image.
//
// The image may come from a resource, a file or memory; it is copied and
// checked as a whole before use (see SSYaccPairTable). A table compiled into
// the program (SSYaccCompiledTable) is read where it is, with nothing to
// decode: it has no rows, only the arrays the parser reads.
#pragma once

#include "parser/ss_exception.h"
#include "parser/ss_lex_expression_list.h"
#include "parser/ss_yacc_action_index.h"
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
    // Over the arrays of a compiled table, which must outlive it.
    explicit SSYaccTable(const SSYaccCompiledTable& compiled);

    SSYaccTable(const SSYaccTable&) = delete;
    SSYaccTable& operator=(const SSYaccTable&) = delete;

    std::uint32_t imageLength() const { return static_cast<std::uint32_t>(image_.size()); }
    // Whether the table has the rows of an image (a compiled one has none).
    bool hasRows() const { return pairTable_.has_value(); }
    // The rows; only for a table that has them.
    const SSYaccPairTable& pairTable() const { return *pairTable_; }
    std::uint32_t states() const { return actionIndex_->states(); }
    std::uint32_t productions() const { return actionIndex_->productions(); }
    // By state, the production a terminal shifted into it folds by
    // (compiledNoFold for none), as the generator found them; null when the
    // table came from an image (the parser finds them itself).
    static constexpr std::uint16_t compiledNoFold = 0xFFFF;
    const std::uint16_t* compiledFolds() const { return compiledFolds_; }
    // Lookahead-resolution automaton `index` (a number the table checked).
    SSLexIterator& larIterator(std::uint32_t index) { return *automata_.at(index); }
    std::uint32_t larIterators() const { return static_cast<std::uint32_t>(automata_.size()); }

    // The action entry of `state` (a state the table has; a table with rows)
    // for `token`: what the row's in-order search finds.
    std::optional<SSYaccPairTableEntry> lookupAction(std::uint32_t state,
                                                     std::uint32_t token) const {
        return pairTable_->lookupRow(state).lookupAction(token);
    }
    // The same answers, with gotos and productions, read from dense arrays
    // built at load time: what the parser reads.
    const SSYaccActionIndex& actionIndex() const { return *actionIndex_; }

    const SSExceptionPresent& exceptionPresent() const { return pending_; }

  private:
    void load(std::span<const std::uint8_t> image, std::string_view name);

    SSExceptionPresent pending_;
    std::vector<std::uint8_t> image_;
    std::optional<SSYaccPairTable> pairTable_;
    std::vector<std::unique_ptr<SSLexIterator>> automata_;
    std::optional<SSYaccActionIndex> actionIndex_;
    const std::uint16_t* compiledFolds_ = nullptr;
};

} // namespace quillex
