// CT_UTF: the library's own UTF-8 and UTF-7 conversions of 16-bit text.
//
// Both work on 16-bit units: a surrogate pair is two units and is encoded
// as two characters, so that any sequence of units, paired or not, comes
// back unchanged. Each call converts one complete text and keeps no state
// between calls, so the routines may run on several threads at once.
#pragma once

#include <string>
#include <string_view>

namespace quillex {

class CT_UTF {
  public:
    // Each unit becomes 1 byte (below 0x80), 2 bytes (below 0x800) or 3.
    static void sv_WideToUTF8(std::u16string_view wide, std::string& utf8);
    // Decodes 1- to 3-byte sequences unit by unit; a 4-byte sequence gives
    // its surrogate pair. A byte that starts no valid sequence gives U+FFFD.
    static void sv_UTF8ToWide(std::string_view utf8, std::u16string& wide);

    // RFC 2152: characters outside the directly encoded ASCII set are
    // written as "+", modified base64 of their units, and "-"; a plus sign
    // alone is written "+-".
    static void sv_WideToUTF7(std::u16string_view wide, std::string& utf7);
    // The reverse; a byte above 0x7F, which UTF-7 never holds, gives U+FFFD.
    static void sv_UTF7ToWide(std::string_view utf7, std::u16string& wide);

    static constexpr char16_t us_Replacement = 0xFFFD;
};

} // namespace quillex
