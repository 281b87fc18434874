// The bytes that begin a double-byte character: the one rule every layer
// reads, so that a character is read, cut and counted alike everywhere.
#pragma once

namespace quillex {

// Shift-JIS (code page 932): 0x81 to 0x9F and 0xE0 to 0xFC. Leads 0xF0 to
// 0xFC are the user-defined and vendor-extension characters a translator
// can type.
constexpr bool isShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The bytes that may follow a Shift-JIS lead byte as its second byte.
constexpr bool isShiftJisTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC;
}

// The Shift-JIS lead bytes of the characters that have an Interleaf code,
// which are the ones the forward conversion writes: 0x81 to 0x9F and 0xE0
// to 0xEF. A character with any other lead byte has no Interleaf form known
// for certain.
constexpr bool isInterleafShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xEF);
}

// The double-byte code pages: Shift-JIS (932), GBK (936), Unified Hangul
// (949) and Big5 (950).
constexpr bool isDoubleByteCodePage(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

// The lead bytes of a code page: Shift-JIS for 932; 0x81 to 0xFE for the
// other double-byte code pages; none for any other.
constexpr bool isLeadByte(unsigned char byte, int codePage) {
    if (codePage == 932)
        return isShiftJisLeadByte(byte);
    return isDoubleByteCodePage(codePage) && byte >= 0x81 && byte <= 0xFE;
}

} // namespace quillex
