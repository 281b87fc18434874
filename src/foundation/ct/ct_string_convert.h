// CT_StringConvert: 8-bit text in a code page to 16-bit text and back.
//
// Code pages are Windows code page numbers. UTF-7 and UTF-8 go through the
// library's own routines (CT_UTF), the others through iconv. A code page the
// library does not convert is replaced by the ANSI code page, which is 1252
// until the program sets another (the code page of the batch's language).
//
// Each conversion replaces the contents of its output and returns the
// number of characters produced, 0 on failure. A length of -1 means a
// zero-terminated input, whose zero is not converted; with a given length
// zeros are characters like any other. A failure is recorded in the error
// manager with the place of the conversion, unless the thread already has
// an error pending.
#pragma once

#include <string>

namespace quillex {

class CT_StringConvert {
  public:
    static constexpr int n_UTF7 = 65000;
    static constexpr int n_UTF8 = 65001;
    static constexpr int n_DefaultAnsiCodePage = 1252;
    static constexpr int n_ZeroTerminated = -1;
    static constexpr char c_DefaultCharacter = '?';

    static int si_GetAnsiCodePage();
    // Ignored for a code page the library does not convert.
    static void sv_SetAnsiCodePage(int codePage);
    // The code page a conversion with `codePage` uses.
    static int si_EffectiveCodePage(int codePage);
    // True when `byte` leads a two-byte character in `codePage`.
    static bool sb_IsLeadByte(unsigned char byte, int codePage);

    // Bytes that are no character of the code page become "?".
    static int si_MultiToWide(const char* text, int length, int codePage, std::u16string& wide);
    // Characters the code page lacks become `defaultCharacter`, and
    // `usedDefault` (when given) says whether that happened.
    static int si_WideToMulti(const char16_t* text, int length, int codePage, std::string& multi,
                              char defaultCharacter = c_DefaultCharacter,
                              bool* usedDefault = nullptr);
    static int si_AnsiToWide(const char* text, int length, std::u16string& wide);
    static int si_WideToAnsi(const char16_t* text, int length, std::string& multi,
                             char defaultCharacter = c_DefaultCharacter,
                             bool* usedDefault = nullptr);
    static int si_UTF7ToWide(const char* text, int length, std::u16string& wide);
    static int si_WideToUTF7(const char16_t* text, int length, std::string& utf7);
    static int si_UTF8ToWide(const char* text, int length, std::u16string& wide);
    static int si_WideToUTF8(const char16_t* text, int length, std::string& utf8);

    // One character (the one or two bytes at `character`, or for UTF-7 and
    // UTF-8 the zero-terminated encoding of one character). A character
    // that does not convert to exactly one non-zero character gives "?".
    static char16_t sus_MultiToWide(const char* character, int codePage);
    static char sc_WideToMulti(char16_t character, int codePage);
};

} // namespace quillex
