// SSYaccPairTable and its row and entry views: checking an image and looking
// entries up.
#include "parser/ss_yacc_pair_table.h"

#include "parser/ss_exception.h"

#include <algorithm>

namespace quillex {

namespace {

[[noreturn]] void invalidTable(std::string_view name) {
    throwSSException(SSExceptionId::YaccReadTable, {name});
}

} // namespace

SSYaccAction::SSYaccActionType SSYaccPairTableEntry::action() const {
    if ((value_ & shiftBit) != 0)
        return SSYaccAction::shift;
    if ((value_ & reduceBit) != 0)
        return SSYaccAction::reduce;
    if ((value_ & acceptBit) != 0)
        return SSYaccAction::accept;
    if ((value_ & conflictBit) != 0)
        return SSYaccAction::conflict;
    return SSYaccAction::error;
}

std::optional<SSYaccPairTableEntry> SSYaccPairTableRow::lookupAction(std::uint32_t token) const {
    const std::uint32_t count = entries();
    for (std::uint32_t i = 0; i < count; ++i) {
        const SSYaccPairTableEntry entry = actionEntry(i);
        if (entry.key() == token)
            return entry;
    }
    return std::nullopt;
}

std::optional<SSYaccPairTableEntry> SSYaccPairTableRow::lookupGoto(std::uint32_t symbol) const {
    const std::uint32_t count = gotos();
    for (std::uint32_t i = 0; i < count; ++i) {
        const SSYaccPairTableEntry entry = gotoEntry(i);
        if (entry.key() == symbol)
            return entry;
    }
    return std::nullopt;
}

std::optional<SSYaccPairTableEntry> SSYaccPairTableRow::lookupError() const {
    if (!hasError())
        return std::nullopt;
    return entryAt(headerSize + SSYaccPairTableEntry::size * (entries() + gotos()));
}

SSYaccPairTable::SSYaccPairTable(std::span<const std::uint8_t> image, std::string_view name)
    : image_(image) {
    if (!image_.covers(0, headerSize))
        invalidTable(name);
    type_ = image_.word(0);
    if (type_ != typeMagic && type_ != typeOne && type_ != typeZero)
        invalidTable(name);
    prods_ = image_.word(4) & 0xFFFF;
    lar_ = image_.word(4) >> 16;
    states_ = image_.word(8);
    firstRow_ = image_.word(12);
    prodOffset_ = image_.word(16);
    const std::uint64_t indexEnd = headerSize + std::uint64_t{4} * states_ +
                                   std::uint64_t{SSYaccPairTableProd::recordSize} * prods_;
    if (indexEnd > 0xFFFFFFFFu)
        throwSSException(SSExceptionId::YaccTableTooBig);
    if (states_ == 0 ||
        !image_.covers(prodOffset_, std::uint64_t{SSYaccPairTableProd::recordSize} * prods_))
        invalidTable(name);
    // Automata of a type-0 image would start nowhere defined; refuse them.
    if (type_ == typeZero && lar_ != 0)
        invalidTable(name);

    // Every row needs at least its 12-byte header, which bounds the count.
    rowOffsets_.reserve(
        std::min<std::size_t>(states_, image_.size() / SSYaccPairTableRow::headerSize));
    if (type_ == typeZero) {
        std::uint64_t at = firstRow_;
        for (std::uint32_t state = 0; state < states_; ++state) {
            if (at > 0xFFFFFFFFu)
                invalidTable(name);
            checkRow(static_cast<std::uint32_t>(at), name);
            rowOffsets_.push_back(static_cast<std::uint32_t>(at));
            at += SSYaccPairTableRow(image_.data() + at).size();
        }
    } else {
        if (!image_.covers(headerSize, std::uint64_t{4} * states_))
            invalidTable(name);
        for (std::uint32_t state = 0; state < states_; ++state) {
            const std::uint32_t offset = image_.word(headerSize + std::uint64_t{4} * state);
            checkRow(offset, name);
            rowOffsets_.push_back(offset);
        }
    }
    const std::uint32_t last = rowOffsets_.back();
    larStart_ = last + SSYaccPairTableRow(image_.data() + last).size();
}

// Checks that the row lies inside the image and that every number its
// entries carry names a state, production or automaton the table has.
void SSYaccPairTable::checkRow(std::uint32_t offset, std::string_view name) const {
    if (!image_.covers(offset, SSYaccPairTableRow::headerSize))
        invalidTable(name);
    const std::uint32_t flags = image_.word(offset);
    const std::uint64_t gotos = image_.word(std::uint64_t{offset} + 4);
    const std::uint64_t actions = image_.word(std::uint64_t{offset} + 8);
    // A duplicate row stands for another row by number; this engine does not
    // follow such rows.
    if ((flags & SSYaccPairTableRow::flagDuplicate) != 0)
        invalidTable(name);
    const std::uint64_t errorEntries = (flags & SSYaccPairTableRow::flagError) != 0 ? 1 : 0;
    const std::uint64_t length = SSYaccPairTableRow::headerSize +
                                 SSYaccPairTableEntry::size * (actions + gotos + errorEntries);
    if (length > 0xFFFFFFFFu || !image_.covers(offset, length))
        invalidTable(name);

    const SSYaccPairTableRow row(image_.data() + offset);
    for (std::uint32_t i = 0; i < actions; ++i) {
        const SSYaccPairTableEntry entry = row.actionEntry(i);
        const std::uint32_t number = entry.entry();
        switch (entry.action()) {
        case SSYaccAction::shift:
            if (number >= states_)
                invalidTable(name);
            break;
        case SSYaccAction::reduce:
            if (number >= prods_)
                invalidTable(name);
            break;
        case SSYaccAction::conflict:
            if (number >= lar_)
                invalidTable(name);
            break;
        default:
            break;
        }
    }
    for (std::uint32_t i = 0; i < gotos; ++i)
        if (row.gotoEntry(i).entry() >= states_)
            invalidTable(name);
    if (const auto error = row.lookupError(); error && error->entry() >= states_)
        invalidTable(name);
}

SSYaccPairTableProd SSYaccPairTable::lookupProd(std::uint32_t production) const {
    const std::uint64_t at =
        prodOffset_ + std::uint64_t{SSYaccPairTableProd::recordSize} * production;
    return {image_.word(at), image_.word(at + 4)};
}

} // namespace quillex
