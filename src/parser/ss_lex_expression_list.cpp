// SSLexExpressionList: taking an automaton image and walking its rows.
#include "parser/ss_lex_expression_list.h"

#include "parser/ss_exception.h"

#include <algorithm>
#include <map>

namespace quillex {

namespace {

// Header fields of an expression-list image.
constexpr std::uint32_t typeField = 0;
constexpr std::uint32_t lengthField = 4;
constexpr std::uint32_t statesField = 40;
constexpr std::uint32_t rowArrayField = 48;
constexpr std::uint32_t finalArrayField = 52;

[[noreturn]] void invalidTable(std::string_view tableName) {
    throwSSException(SSExceptionId::LexInvalidTable, {tableName});
}

} // namespace

std::uint32_t SSLexExpressionList::imageLength(std::span<const std::uint8_t> image) {
    const TableImage view(image);
    return view.covers(0, lengthField + 4) ? view.word(lengthField) : 0;
}

SSLexExpressionList::SSLexExpressionList(std::span<const std::uint8_t> image,
                                         std::string_view tableName) {
    const TableImage view(image);
    if (!view.covers(0, headerSize))
        invalidTable(tableName);
    const std::uint32_t type = view.word(typeField);
    if (type != typeOne && type != typeMagic)
        invalidTable(tableName);
    const std::uint32_t length = view.word(lengthField);
    if (length < headerSize || !view.covers(0, length))
        invalidTable(tableName);
    image_.assign(image.begin(), image.begin() + length);
    imageData_ = image_.data();
    imageSize_ = image_.size();
    states_ = word(statesField);
    rowArray_ = word(rowArrayField);
    finalArray_ = word(finalArrayField);
    validate(tableName);
    finals_.reserve(states_);
    for (std::uint32_t state = 0; state < states_; ++state) {
        const std::uint32_t record = finalArray_ + finalRecordSize * state;
        finals_.emplace_back(word(record), word(record + 4), word(record + 8));
    }
    finalStates_ = finals_.data();
    if (states_ < byteStateMask)
        buildByteRows();
    if (!byteRows_.empty())
        rows_ = byteRows_.data();
}

SSLexExpressionList::SSLexExpressionList(const SSLexCompiledList& compiled)
    : states_(compiled.states), imageData_(compiled.image.data()),
      imageSize_(compiled.image.size()), finalStates_(compiled.finals), rows_(compiled.byteRows),
      classes_(compiled.byteClasses) {
    rowArray_ = word(rowArrayField);
    finalArray_ = word(finalArrayField);
    byteClassCount_ = compiled.byteClassCount;
    if (byteClassCount_ != 0)
        rowReciprocal_ = ((std::uint64_t{1} << 32) + byteClassCount_ - 1) / byteClassCount_;
}

// Expands every state's byte transitions into a 256-entry row, then keeps
// one column per class of bytes whose columns are equal.
void SSLexExpressionList::buildByteRows() {
    std::vector<std::uint16_t> full(std::size_t{states_} * byteCodes, noByteState);
    for (std::uint32_t state = 0; state < states_; ++state)
        buildByteRow(state, full.data() + std::size_t{state} * byteCodes);
    std::map<std::vector<std::uint16_t>, std::uint8_t> classes;
    std::vector<std::uint32_t> firstByteOfClass;
    for (std::uint32_t code = 0; code < byteCodes; ++code) {
        std::vector<std::uint16_t> column(states_);
        for (std::uint32_t state = 0; state < states_; ++state)
            column[state] = full[std::size_t{state} * byteCodes + code];
        const auto [found, added] =
            classes.emplace(std::move(column), static_cast<std::uint8_t>(classes.size()));
        if (added)
            firstByteOfClass.push_back(code);
        byteClasses_[code] = found->second;
    }
    byteClassCount_ = static_cast<std::uint32_t>(firstByteOfClass.size());
    // row * ceil(2^32 / n) / 2^32 rounds down to row / n while row * n < 2^32.
    rowReciprocal_ = ((std::uint64_t{1} << 32) + byteClassCount_ - 1) / byteClassCount_;
    if (std::size_t{states_} * byteClassCount_ > byteStateMask)
        return;
    byteRows_.resize(std::size_t{states_} * byteClassCount_);
    for (std::uint32_t state = 0; state < states_; ++state)
        for (std::uint32_t c = 0; c < byteClassCount_; ++c) {
            const std::uint16_t next = full[std::size_t{state} * byteCodes + firstByteOfClass[c]];
            byteRows_[std::size_t{state} * byteClassCount_ + c] =
                next == noByteState
                    ? noByteState
                    : static_cast<std::uint16_t>(((next & byteStateMask) * byteClassCount_) |
                                                 (next & byteFinalBit));
        }
}

// Checks that the arrays, every row and every next state lie inside the image.
void SSLexExpressionList::validate(std::string_view tableName) const {
    const TableImage view(std::span<const std::uint8_t>(imageData_, imageSize_));
    if (states_ == 0 || !view.covers(rowArray_, std::uint64_t{4} * states_) ||
        !view.covers(finalArray_, std::uint64_t{finalRecordSize} * states_))
        invalidTable(tableName);
    for (std::uint32_t state = 0; state < states_; ++state) {
        const std::uint32_t row = rowOffset(state);
        if (!view.covers(row, 4))
            invalidTable(tableName);
        const std::uint32_t count = view.word(row);
        if (!view.covers(std::uint64_t{row} + 4, std::uint64_t{tripleSize} * count))
            invalidTable(tableName);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t next = view.word(std::uint64_t{row} + 4 + tripleSize * i + 8);
            if (next != noState && next >= states_)
                invalidTable(tableName);
        }
    }
}

bool SSLexExpressionList::scanRow(std::uint32_t& state, std::uint32_t code) const {
    if (state < states_) {
        const std::uint32_t row = rowOffset(state);
        const std::uint32_t count = word(row);
        const std::uint8_t* triple = imageData_ + row + 4;
        for (std::uint32_t i = 0; i < count; ++i, triple += tripleSize) {
            if (TableImage::loadWord(triple) > code)
                break;
            if (code <= TableImage::loadWord(triple + 4)) {
                state = TableImage::loadWord(triple + 8);
                return state != noState;
            }
        }
    }
    state = noState;
    return false;
}

// The row entry for a transition to `next` (a state of the list, or none).
std::uint16_t SSLexExpressionList::byteEntry(std::uint32_t next) const {
    if (next == noState)
        return noByteState;
    const auto entry = static_cast<std::uint16_t>(next);
    return finals_[next].isFinal() ? entry | byteFinalBit : entry;
}

// Expands the byte transitions of `state` into a row of its own. A row whose
// triples are sorted and do not overlap (every table the generator writes)
// is filled range by range; any other row code by code through the in-order
// scan, so that the row answers exactly as the scan does.
void SSLexExpressionList::buildByteRow(std::uint32_t state, std::uint16_t* row) const {
    const std::uint32_t offset = rowOffset(state);
    const std::uint32_t count = word(offset);
    const std::uint8_t* triples = imageData_ + offset + 4;
    bool ordered = true;
    for (std::uint32_t i = 1; i < count && ordered; ++i)
        ordered = TableImage::loadWord(triples + tripleSize * (i - 1) + 4) <
                  TableImage::loadWord(triples + tripleSize * i);
    for (std::uint32_t i = 0; i < count && ordered; ++i)
        ordered = TableImage::loadWord(triples + tripleSize * i) <=
                  TableImage::loadWord(triples + tripleSize * i + 4);

    if (ordered) {
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* triple = triples + tripleSize * i;
            const std::uint32_t lo = TableImage::loadWord(triple);
            if (lo >= byteCodes)
                break;
            const std::uint32_t hi = std::min(TableImage::loadWord(triple + 4), byteCodes - 1);
            const std::uint32_t next = TableImage::loadWord(triple + 8);
            const std::uint16_t value = byteEntry(next);
            std::fill(row + lo, row + hi + 1, value);
        }
    } else {
        for (std::uint32_t code = 0; code < byteCodes; ++code) {
            std::uint32_t next = state;
            row[code] = scanRow(next, code) ? byteEntry(next) : noByteState;
        }
    }
}

} // namespace quillex
