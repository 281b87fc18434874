// TableImage: bounds-checked reading of the little-endian 32-bit words of a
// lexer or parser table image.
//
// Table images come from resources or files and are not trusted: every offset
// and length is checked against the image size with 64-bit arithmetic before
// a word is read, so a truncated or hostile image is refused, never overrun.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

namespace quillex {

class TableImage {
  public:
    TableImage() = default;
    explicit TableImage(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    const std::uint8_t* data() const { return bytes_.data(); }

    // True when `length` bytes from `offset` lie inside the image.
    bool covers(std::uint64_t offset, std::uint64_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }

    // The word at `offset`; the caller has checked the range with covers().
    std::uint32_t word(std::uint64_t offset) const { return loadWord(bytes_.data() + offset); }

    static std::uint32_t loadWord(const std::uint8_t* at) {
        std::uint32_t value;
        std::memcpy(&value, at, sizeof value);
        if constexpr (std::endian::native == std::endian::big)
            value = ((value & 0xFFu) << 24) | ((value & 0xFF00u) << 8) | ((value >> 8) & 0xFF00u) |
                    (value >> 24);
        return value;
    }

  private:
    std::span<const std::uint8_t> bytes_;
};

} // namespace quillex
