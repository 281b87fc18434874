// The Interleaf character code table: for each Interleaf character code from
// 0 to 314, the QMX text that stands for it.
//
// A code whose character exists in Windows code page 1252 maps to that byte;
// "<" and ">", the special spaces and the soft hyphen map to their internal
// tags (<:lt>, <:gt>, <:hls> ...); every other code maps to the generic
// character tag "<:r%d>" with the code in decimal, which the backward
// conversion turns back into "<#%x>".
#pragma once

#include <string>
#include <string_view>

namespace quillex {

// Number of entries: codes 0 to kCharacterCodeCount - 1 have an entry.
inline constexpr int kCharacterCodeCount = 315;

// The table entry for `code`; empty for a code outside 0..314.
std::string_view characterTableEntry(int code);

// The generic character tag for `code`: "<:r" code in decimal ">".
std::string genericCharacterTag(unsigned long code);

} // namespace quillex
