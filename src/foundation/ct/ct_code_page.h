// CT_CodePage: the Windows code pages the CT_ library converts, with the
// iconv name of each; the bytes that lead a double-byte character are those
// of foundation/lead_bytes.h.
#pragma once

namespace quillex {

struct CT_CodePage {
    int number;
    const char* iconvName;

    bool b_IsLeadByte(unsigned char byte) const;
    bool b_IsDoubleByte() const;

    // The record of code page `number`; null when the library does not
    // convert it (UTF-7 and UTF-8 have no record: the library's own
    // routines convert them).
    static const CT_CodePage* spcco_Find(int number);
};

} // namespace quillex
