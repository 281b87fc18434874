// SSLexExpressionList: one deterministic automaton of a lexer table (one
// lexical mode), and SSLexIterator, the same automaton walked one code at a
// time (the parser's lookahead resolution uses it).
//
// The list keeps its own copy of the image and reads it in place. Every
// offset, count and next-state number is checked when the image is taken, so
// lookups never leave the copy. Arrays built at load time serve the scanner's
// inner loop without changing any answer: the final-state records, and each
// state's transitions on byte codes (below 256) expanded into a row with an
// entry per class of bytes (bytes that every state treats alike share a
// class), so that the rows of a whole list stay in the fastest cache.
//
// A list compiled into the program (SSLexCompiledList) comes with those
// arrays made and its image in place: nothing is copied, checked or built.
#pragma once

#include "parser/ss_lex_final_state.h"
#include "parser/table_image.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quillex {

// An expression list compiled into the program (tools/tablegen writes it):
// its image, read in place for the codes above the bytes, and the arrays the
// scanner reads, as SSLexExpressionList builds them from an image.
struct SSLexCompiledList {
    std::span<const std::uint8_t> image;
    std::uint32_t states = 0;
    const SSLexFinalState* finals = nullptr;
    const std::uint8_t* byteClasses = nullptr; // 256 entries
    std::uint32_t byteClassCount = 0;
    const std::uint16_t* byteRows = nullptr; // none: the list has no byte rows
};

class SSLexExpressionList {
  public:
    // Layout of an expression-list image.
    static constexpr std::uint32_t headerSize = 88;
    static constexpr std::uint32_t finalRecordSize = 28;
    static constexpr std::uint32_t tripleSize = 12;
    static constexpr std::uint32_t typeOne = 1;
    static constexpr std::uint32_t typeMagic = 0x53534C58; // "XLSS"
    static constexpr std::uint32_t noState = 0xFFFFFFFF;

    // Takes the image that starts at `image`; its length is read from its
    // header. Raises SSLex0104e (naming `tableName`) for a bad type word or
    // an image that does not hold together.
    SSLexExpressionList(std::span<const std::uint8_t> image, std::string_view tableName);
    // Over a compiled list, whose arrays and image must outlive it.
    explicit SSLexExpressionList(const SSLexCompiledList& compiled);

    SSLexExpressionList(const SSLexExpressionList&) = delete;
    SSLexExpressionList& operator=(const SSLexExpressionList&) = delete;

    // Length in bytes of the image starting at `image`, as its header gives
    // it; 0 when the header itself is not there. Used to step to the next.
    static std::uint32_t imageLength(std::span<const std::uint8_t> image);

    std::uint32_t states() const { return states_; }
    std::size_t size() const { return imageSize_; }

    // Moves `state` along the transition on `code`. On a hit stores the next
    // state and returns true (false when that is the no-state value); on a
    // miss stores the no-state value and returns false. The answer is the
    // one an in-order scan of the state's row gives.
    bool lookupNext(std::uint32_t& state, std::uint32_t code) const {
        if (code < byteCodes && state < states_ && rows_ != nullptr) {
            const std::uint16_t next = rows_[std::size_t{state} * byteClassCount_ + classes_[code]];
            state = next == noByteState ? noState : stateOfRow(next & byteStateMask);
            return next != noByteState;
        }
        return scanRow(state, code);
    }
    // The final-state record of `state`; an empty record for a state the
    // list does not have.
    SSLexFinalState lookupFinal(std::uint32_t state) const {
        return state < states_ ? finalStates_[state] : SSLexFinalState{};
    }

    // Byte codes get a row of their own per state, when the states are
    // numbered below byteStateMask (every table the generator writes).
    static constexpr std::uint32_t byteCodes = 256;
    static constexpr std::uint16_t noByteState = 0xFFFF;
    static constexpr std::uint16_t byteStateMask = 0x7FFF;
    // Set in a row entry whose next state accepts, so that the scanner's
    // inner loop needs no second look-up to know.
    static constexpr std::uint16_t byteFinalBit = 0x8000;
    // The rows, byteClassCount() entries per state: where the next state's
    // row starts (the state times byteClassCount(), so that the scanner's
    // inner loop needs no multiplication) with byteFinalBit, or noByteState
    // for none. Null when the list has no byte rows (more states and classes
    // than the entries can number).
    const std::uint16_t* byteRows() const { return rows_; }
    // The class of each byte code, and the number of classes.
    const std::uint8_t* byteClasses() const { return classes_; }
    std::uint32_t byteClassCount() const { return byteClassCount_; }
    // The state whose row starts at `row` (row / byteClassCount(), by a
    // multiplication: exact for every row a 16-bit entry can hold).
    std::uint32_t stateOfRow(std::uint32_t row) const {
        return static_cast<std::uint32_t>((std::uint64_t{row} * rowReciprocal_) >> 32);
    }
    // The final-state records, one per state.
    const SSLexFinalState* finals() const { return finalStates_; }

  private:
    bool scanRow(std::uint32_t& state, std::uint32_t code) const;
    void buildByteRow(std::uint32_t state, std::uint16_t* row) const;
    void buildByteRows();
    std::uint16_t byteEntry(std::uint32_t next) const;

    std::uint32_t word(std::uint32_t offset) const {
        return TableImage::loadWord(imageData_ + offset);
    }
    std::uint32_t rowOffset(std::uint32_t state) const { return word(rowArray_ + 4 * state); }
    void validate(std::string_view tableName) const;

    std::vector<std::uint8_t> image_;
    std::uint32_t states_ = 0;
    std::uint32_t rowArray_ = 0;
    std::uint32_t finalArray_ = 0;
    std::vector<SSLexFinalState> finals_;
    std::vector<std::uint16_t> byteRows_;
    std::uint64_t rowReciprocal_ = 0; // ceil(2^32 / byteClassCount_)
    std::uint8_t byteClasses_[byteCodes] = {};
    std::uint32_t byteClassCount_ = 0;
    // What is read: the members above, or a compiled list's arrays.
    const std::uint8_t* imageData_ = nullptr;
    std::size_t imageSize_ = 0;
    const SSLexFinalState* finalStates_ = nullptr;
    const std::uint16_t* rows_ = nullptr;
    const std::uint8_t* classes_ = byteClasses_;
};

class SSLexIterator : public SSLexExpressionList {
  public:
    using SSLexExpressionList::SSLexExpressionList;

    // Back to the start state.
    void start() { state_ = 0; }
    // Feeds one code; false when the automaton has no transition on it.
    bool next(std::uint32_t code) { return lookupNext(state_, code); }
    std::uint32_t state() const { return state_; }
    SSLexFinalState finalState() const { return lookupFinal(state_); }

  private:
    std::uint32_t state_ = 0;
};

} // namespace quillex
