// Shift-JIS forms of Interleaf double-byte (Japanese) character codes.
//
// An Interleaf Japanese code V splits into a row V / 256 and a cell V % 256.
// The row selects the Shift-JIS lead byte, the cell the trail byte; row 6 is
// the single-byte row, whose cells 161 to 223 are half-width katakana.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillex {

// Lead byte of `row` (0 to 48); 0 when the row has none.
std::uint8_t shiftJisLeadByte(int row);

// Trail byte of `cell` (0 to 255); 0 when the cell has none.
std::uint8_t shiftJisTrailByte(int cell);

// The Shift-JIS bytes for Interleaf code `value`: one byte for a half-width
// katakana of row 6, otherwise the lead and trail bytes. Empty when the row or
// the cell has no byte.
std::optional<std::string> shiftJisForm(std::uint32_t value);

} // namespace quillex
