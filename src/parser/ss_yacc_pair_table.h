// Views of a parser table image: the header and index (SSYaccPairTable), a
// state's row (SSYaccPairTableRow), one action/goto entry
// (SSYaccPairTableEntry) and one production record (SSYaccPairTableProd).
//
// SSYaccPairTable checks the whole image when it is made: header, row
// offsets, row lengths, production table and every number an entry carries
// (states, productions, automata). The row and entry views then read the
// image in place without further checks.
#pragma once

#include "parser/table_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quillex {

struct SSYaccAction {
    enum SSYaccActionType : std::uint32_t {
        shift = 0,
        error = 1,
        reduce = 2,
        accept = 3,
        conflict = 4
    };
};

class SSYaccPairTableEntry {
  public:
    static constexpr std::uint32_t syncBit = 0x80000000;
    static constexpr std::uint32_t shiftBit = 0x40000000;
    static constexpr std::uint32_t reduceBit = 0x20000000;
    static constexpr std::uint32_t acceptBit = 0x10000000;
    static constexpr std::uint32_t conflictBit = 0x08000000;
    static constexpr std::uint32_t numberMask = 0x07FFFFFF;
    static constexpr std::uint32_t size = 8;

    SSYaccPairTableEntry() = default;
    SSYaccPairTableEntry(std::uint32_t value, std::uint32_t key) : value_(value), key_(key) {}

    std::uint32_t value() const { return value_; }
    // The token (action entries) or nonterminal (goto entries) it is for.
    std::uint32_t key() const { return key_; }
    // The state, production or automaton number in the low 27 bits.
    std::uint32_t entry() const { return value_ & numberMask; }
    // Kinds are tested in the order shift, reduce, accept, conflict; a value
    // with none of them (a goto value) reads as error.
    SSYaccAction::SSYaccActionType action() const;
    bool hasSync() const { return (value_ & syncBit) != 0; }

    void setShift(std::uint32_t state) { set(shiftBit, state); }
    void setReduce(std::uint32_t production) { set(reduceBit, production); }
    void setGoto(std::uint32_t state) { set(0, state); }
    void setAccept() { set(acceptBit, 0); }
    void setConflict(std::uint32_t automaton) { set(conflictBit, automaton); }
    void setSync() { value_ |= syncBit; }
    void setKey(std::uint32_t key) { key_ = key; }

  private:
    void set(std::uint32_t kind, std::uint32_t number) {
        value_ = (value_ & syncBit) | kind | (number & numberMask);
    }

    std::uint32_t value_ = 0;
    std::uint32_t key_ = 0;
};

class SSYaccPairTableProd {
  public:
    static constexpr std::uint32_t recordSize = 8;

    SSYaccPairTableProd() = default;
    SSYaccPairTableProd(std::uint32_t size, std::uint32_t leftside)
        : size_(size), leftside_(leftside) {}

    // Number of right-hand-side symbols.
    std::uint32_t size() const { return size_; }
    std::uint32_t leftside() const { return leftside_; }
    void setSize(std::uint32_t size) { size_ = size; }
    void setLeftside(std::uint32_t leftside) { leftside_ = leftside; }

  private:
    std::uint32_t size_ = 0;
    std::uint32_t leftside_ = 0;
};

class SSYaccPairTableRow {
  public:
    static constexpr std::uint32_t headerSize = 12;
    static constexpr std::uint32_t flagSync = 0x01;
    static constexpr std::uint32_t flagError = 0x02;
    static constexpr std::uint32_t flagSyncAll = 0x04;
    static constexpr std::uint32_t flagDuplicate = 0x08;

    explicit SSYaccPairTableRow(const std::uint8_t* row) : row_(row) {}

    std::uint32_t flags() const { return word(0); }
    bool hasSync() const { return (flags() & flagSync) != 0; }
    bool hasError() const { return (flags() & flagError) != 0; }
    bool hasSyncAll() const { return (flags() & flagSyncAll) != 0; }
    bool isDuplicate() const { return (flags() & flagDuplicate) != 0; }
    // Number of action entries.
    std::uint32_t entries() const { return word(8); }
    // Number of goto entries.
    std::uint32_t gotos() const { return word(4); }
    // Length of the row in bytes.
    std::uint32_t size() const {
        return headerSize +
               SSYaccPairTableEntry::size * (entries() + gotos() + (hasError() ? 1 : 0));
    }

    SSYaccPairTableEntry actionEntry(std::uint32_t i) const { return entryAt(headerSize + 8 * i); }
    SSYaccPairTableEntry gotoEntry(std::uint32_t i) const {
        return entryAt(headerSize + 8 * (entries() + i));
    }
    std::optional<SSYaccPairTableEntry> lookupAction(std::uint32_t token) const;
    std::optional<SSYaccPairTableEntry> lookupGoto(std::uint32_t symbol) const;
    std::optional<SSYaccPairTableEntry> lookupError() const;

  private:
    std::uint32_t word(std::uint32_t offset) const { return TableImage::loadWord(row_ + offset); }
    SSYaccPairTableEntry entryAt(std::uint32_t offset) const {
        return {word(offset), word(offset + 4)};
    }

    const std::uint8_t* row_;
};

class SSYaccPairTable {
  public:
    static constexpr std::uint32_t headerSize = 20;
    static constexpr std::uint32_t typeMagic = 0x53535943; // "CYSS"
    static constexpr std::uint32_t typeOne = 1;
    static constexpr std::uint32_t typeZero = 0;

    // Checks the image (not copied: it must outlive the view). Raises
    // SSYacc0111e naming `name` for anything that does not hold together and
    // SSYacc0112e when the index and production table would pass 4 GB.
    SSYaccPairTable(std::span<const std::uint8_t> image, std::string_view name);

    std::uint32_t type() const { return type_; }
    // Number of lookahead-resolution automata.
    std::uint32_t lar() const { return lar_; }
    // Number of productions.
    std::uint32_t prod() const { return prods_; }
    // Number of states.
    std::uint32_t size() const { return states_; }
    std::uint32_t firstRow() const { return firstRow_; }
    // Row offsets from the image start, one per state.
    std::span<const std::uint32_t> offsetArray() const { return rowOffsets_; }
    // Where the automata begin: just behind the last row.
    std::uint32_t larStart() const { return larStart_; }

    SSYaccPairTableRow lookupRow(std::uint32_t state) const {
        return SSYaccPairTableRow(image_.data() + rowOffsets_[state]);
    }
    SSYaccPairTableProd lookupProd(std::uint32_t production) const;

  private:
    void checkRow(std::uint32_t offset, std::string_view name) const;

    TableImage image_;
    std::uint32_t type_ = 0;
    std::uint32_t lar_ = 0;
    std::uint32_t prods_ = 0;
    std::uint32_t states_ = 0;
    std::uint32_t firstRow_ = 0;
    std::uint32_t prodOffset_ = 0;
    std::uint32_t larStart_ = 0;
    std::vector<std::uint32_t> rowOffsets_;
};

} // namespace quillex
