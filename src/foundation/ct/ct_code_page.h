// CT_CodePage: the Windows code pages the CT_ library converts, with the
// iconv name of each and the bytes that lead a double-byte character.
#pragma once

namespace quillex {

struct CT_CodePage {
    // The byte ranges that lead a two-byte character; empty for
    // single-byte code pages.
    struct LeadRange {
        unsigned char first;
        unsigned char last;
    };
    static constexpr int n_MaxLeadRanges = 2;

    int number;
    const char* iconvName;
    LeadRange leadRanges[n_MaxLeadRanges];

    bool b_IsLeadByte(unsigned char byte) const;
    bool b_IsDoubleByte() const { return leadRanges[0].last != 0; }

    // The record of code page `number`; null when the library does not
    // convert it (UTF-7 and UTF-8 have no record: the library's own
    // routines convert them).
    static const CT_CodePage* spcco_Find(int number);
};

} // namespace quillex
