// ByteWriter: builds a little-endian byte image word by word.
#pragma once

#include <cstdint>
#include <vector>

namespace quillex::tablegen {

class ByteWriter {
  public:
    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    void put32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    void putZeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    // Overwrites the word at `offset`, which must already be written.
    void patch32(std::size_t offset, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
    }
    void append(const std::vector<std::uint8_t>& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
    }

  private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace quillex::tablegen
