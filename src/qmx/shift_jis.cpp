// Shift-JIS lead and trail byte tables.
#include "qmx/shift_jis.h"

#include <array>

namespace quillex {
namespace {

constexpr int kRowCount = 49;
constexpr int kKatakanaRow = 6;

constexpr std::array<std::uint8_t, kRowCount> makeLeadTable() {
    std::array<std::uint8_t, kRowCount> lead{};
    for (int row = 2; row <= 32; ++row)
        lead[row] = static_cast<std::uint8_t>(0x7f + row); // 0x81 to 0x9F
    for (int row = 33; row <= 48; ++row)
        lead[row] = static_cast<std::uint8_t>(0xbf + row); // 0xE0 to 0xEF
    return lead;
}

constexpr std::array<std::uint8_t, 256> makeTrailTable() {
    std::array<std::uint8_t, 256> trail{};
    for (int cell = 33; cell <= 95; ++cell)
        trail[cell] = static_cast<std::uint8_t>(cell + 31); // 0x40 to 0x7E
    for (int cell = 96; cell <= 126; ++cell)
        trail[cell] = static_cast<std::uint8_t>(cell + 32); // 0x80 to 0x9E
    for (int cell = 161; cell <= 254; ++cell)
        trail[cell] = static_cast<std::uint8_t>(cell - 2); // 0x9F to 0xFC
    return trail;
}

constexpr auto kLeadBytes = makeLeadTable();
constexpr auto kTrailBytes = makeTrailTable();

} // namespace

std::uint8_t shiftJisLeadByte(int row) {
    return row >= 0 && row < kRowCount ? kLeadBytes[row] : 0;
}

std::uint8_t shiftJisTrailByte(int cell) {
    return cell >= 0 && cell < 256 ? kTrailBytes[cell] : 0;
}

std::optional<std::string> shiftJisForm(std::uint32_t value) {
    const std::uint32_t row = value / 256;
    const int cell = static_cast<int>(value % 256);
    if (row >= kRowCount)
        return std::nullopt;
    if (row == kKatakanaRow && cell >= 161 && cell <= 223)
        return std::string(1, static_cast<char>(cell));
    // Row 6 holds no double-byte characters beyond the katakana cells.
    if (row == kKatakanaRow && cell > 126)
        return std::nullopt;
    const std::uint8_t lead = shiftJisLeadByte(static_cast<int>(row));
    const std::uint8_t trail = shiftJisTrailByte(cell);
    if (lead == 0 || trail == 0)
        return std::nullopt;
    return std::string{static_cast<char>(lead), static_cast<char>(trail)};
}

} // namespace quillex
