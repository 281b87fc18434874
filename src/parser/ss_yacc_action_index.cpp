// SSYaccActionIndex: spreading the rows of a parser table into dense arrays.
#include "parser/ss_yacc_action_index.h"

#include <algorithm>
#include <limits>

namespace quillex {

SSYaccActionIndex::SSYaccActionIndex(const SSYaccPairTable& table)
    : table_(&table), states_(table.size()), productions_(table.prod()) {
    spreadActions();
    spreadGotos();
    narrowCells();
    sizes_.reserve(table.prod());
    leftsides_.reserve(table.prod());
    for (std::uint32_t production = 0; production < table.prod(); ++production) {
        sizes_.push_back(table.lookupProd(production).size());
        leftsides_.push_back(table.lookupProd(production).leftside());
    }
    productionSizes_ = sizes_.data();
    productionLeftsides_ = leftsides_.data();
}

SSYaccActionIndex::SSYaccActionIndex(const SSYaccCompiledTable& table)
    : states_(table.states), productions_(table.productions), actionBase_(table.actionBase),
      actionColumns_(table.actionColumns), gotoBase_(table.gotoBase),
      gotoColumns_(table.gotoColumns), compact_(true), narrowActionCells_(table.actions),
      narrowGotoCells_(table.gotos), productionSizes_(table.productionSizes),
      productionLeftsides_(table.productionLeftsides) {}

std::vector<std::int32_t> SSYaccActionIndex::tokensOf(std::uint32_t state) const {
    std::vector<std::int32_t> tokens;
    if (state >= states_)
        return tokens;
    const auto base = static_cast<std::int32_t>(actionBase_);
    for (std::uint32_t column = 0; column < actionColumns_; ++column) {
        const auto token = static_cast<std::int32_t>(base + static_cast<std::int32_t>(column));
        if (action(state, static_cast<std::uint32_t>(token)).kind() != SSYaccAction::error)
            tokens.push_back(token);
    }
    // The generator's rows list tokens in unsigned order: the negative ones
    // (the end of input) come last.
    std::stable_partition(tokens.begin(), tokens.end(), [](std::int32_t t) { return t >= 0; });
    return tokens;
}

SSYaccActionIndex::Action
SSYaccActionIndex::decode(const std::optional<SSYaccPairTableEntry>& entry) {
    const SSYaccAction::SSYaccActionType kind = entry ? entry->action() : SSYaccAction::error;
    return {static_cast<std::uint32_t>(kind) << kindShift | (entry ? entry->entry() : 0)};
}

SSYaccActionIndex::Action SSYaccActionIndex::searchAction(std::uint32_t state,
                                                          std::uint32_t token) const {
    if (state >= states_ || table_ == nullptr)
        return decode(std::nullopt);
    return decode(table_->lookupRow(state).lookupAction(token));
}

std::uint32_t SSYaccActionIndex::searchGoto(std::uint32_t state, std::uint32_t symbol) const {
    if (state >= states_ || table_ == nullptr)
        return noGoto;
    const auto entry = table_->lookupRow(state).lookupGoto(symbol);
    return entry ? entry->entry() : noGoto;
}

SSYaccActionIndex::Action SSYaccActionIndex::actionOutside(std::uint32_t state,
                                                           std::uint32_t token) const {
    return actionKeysOutside_ ? searchAction(state, token) : decode(std::nullopt);
}

std::uint32_t SSYaccActionIndex::gotoOutside(std::uint32_t state, std::uint32_t symbol) const {
    return gotoKeysOutside_ ? searchGoto(state, symbol) : noGoto;
}

// Cells are filled from each row's last entry to its first, so that where a
// key has several entries the first one is what stays.
void SSYaccActionIndex::spreadActions() {
    std::int64_t low = std::numeric_limits<std::int64_t>::max();
    std::int64_t high = std::numeric_limits<std::int64_t>::min();
    for (std::uint32_t state = 0; state < states_; ++state) {
        const SSYaccPairTableRow row = table_->lookupRow(state);
        for (std::uint32_t i = 0; i < row.entries(); ++i) {
            const auto key = static_cast<std::int32_t>(row.actionEntry(i).key());
            low = std::min<std::int64_t>(low, key);
            high = std::max<std::int64_t>(high, key);
        }
    }
    if (low > high)
        return; // no entries: every answer is error
    const std::uint64_t columns = static_cast<std::uint64_t>(high - low) + 1;
    if (columns * states_ > maxCells) {
        actionKeysOutside_ = true;
        return;
    }
    actionBase_ = static_cast<std::uint32_t>(static_cast<std::int32_t>(low));
    actionColumns_ = static_cast<std::uint32_t>(columns);
    actions_.assign(columns * states_, decode(std::nullopt).cell);
    for (std::uint32_t state = 0; state < states_; ++state) {
        const SSYaccPairTableRow row = table_->lookupRow(state);
        std::uint32_t* cells = actions_.data() + std::size_t{state} * actionColumns_;
        for (std::uint32_t i = row.entries(); i-- > 0;) {
            const SSYaccPairTableEntry entry = row.actionEntry(i);
            cells[entry.key() - actionBase_] = decode(entry).cell;
        }
    }
}

void SSYaccActionIndex::spreadGotos() {
    std::uint32_t low = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t high = 0;
    for (std::uint32_t state = 0; state < states_; ++state) {
        const SSYaccPairTableRow row = table_->lookupRow(state);
        for (std::uint32_t i = 0; i < row.gotos(); ++i) {
            low = std::min(low, row.gotoEntry(i).key());
            high = std::max(high, row.gotoEntry(i).key());
        }
    }
    if (low > high)
        return;
    const std::uint64_t columns = std::uint64_t{high} - low + 1;
    if (columns * states_ > maxCells) {
        gotoKeysOutside_ = true;
        return;
    }
    gotoBase_ = low;
    gotoColumns_ = static_cast<std::uint32_t>(columns);
    gotos_.assign(columns * states_, noGoto);
    for (std::uint32_t state = 0; state < states_; ++state) {
        const SSYaccPairTableRow row = table_->lookupRow(state);
        std::uint32_t* cells = gotos_.data() + std::size_t{state} * gotoColumns_;
        for (std::uint32_t i = row.gotos(); i-- > 0;) {
            const SSYaccPairTableEntry entry = row.gotoEntry(i);
            cells[entry.key() - gotoBase_] = entry.entry();
        }
    }
}

// The 16-bit copies of the arrays, when every action number and goto state
// fits; the 32-bit ones then go.
void SSYaccActionIndex::narrowCells() {
    for (const std::uint32_t cell : actions_)
        if ((cell & SSYaccPairTableEntry::numberMask) > narrowNumberMask)
            return;
    for (const std::uint32_t state : gotos_)
        if (state != noGoto && state >= narrowNoGoto)
            return;
    narrowActions_.reserve(actions_.size());
    for (const std::uint32_t cell : actions_)
        narrowActions_.push_back(static_cast<std::uint16_t>(
            (cell >> kindShift) << narrowKindShift | (cell & SSYaccPairTableEntry::numberMask)));
    narrowGotos_.reserve(gotos_.size());
    for (const std::uint32_t state : gotos_)
        narrowGotos_.push_back(state == noGoto ? narrowNoGoto : static_cast<std::uint16_t>(state));
    std::vector<std::uint32_t>().swap(actions_);
    std::vector<std::uint32_t>().swap(gotos_);
    narrowActionCells_ = narrowActions_.data();
    narrowGotoCells_ = narrowGotos_.data();
    compact_ = true;
}

} // namespace quillex
