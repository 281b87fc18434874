// CT_CString and CT_UString: the shared operations, mixing widths through
// the 8-bit string's code page, and the type records.
#include "foundation/ct/ct_cstring.h"
#include "foundation/ct/ct_ustring.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace quillex;

TEST(CT_String, EditsKeepTheTextZeroTerminatedAndCopiesIsolated) {
    CT_CString text("  Hello, World\t\n", 1252);
    CT_CString copy = text;
    text.vv_Strip();
    EXPECT_STREQ(text.qccz_GetText(), "Hello, World");
    EXPECT_STREQ(copy.qccz_GetText(), "  Hello, World\t\n");
    text.vv_Replace(7, 5, CT_CString("there"));
    text.v_Append(CT_CString("!"));
    text.vv_Insert(0, CT_CString(">"));
    text.vv_Remove(1, 1);
    EXPECT_STREQ(text.qccz_GetText(), ">ello, there!");
    EXPECT_EQ(text.vn_GetLength(), 13u);
    EXPECT_GE(text.vn_GetMaximumLength(), 13u);
    text.vv_Replace(0, 1, text); // a string edited with itself
    EXPECT_STREQ(text.qccz_GetText(), ">ello, there!ello, there!");

    EXPECT_THROW(text.vn_GetAt(text.vn_GetLength()), std::out_of_range);
    EXPECT_THROW(CT_CString().vn_GetAt(0), std::out_of_range);
    EXPECT_THROW(text.vv_Insert(100, copy), std::out_of_range);
    EXPECT_THROW(text.vv_SetAt(0, 0x100), std::invalid_argument);
}

TEST(CT_String, SearchCompareMatchStripAndTranslate) {
    const CT_UString text(u"a*b?c a*b");
    EXPECT_EQ(text.vn_Find(u'?'), 3u);
    EXPECT_EQ(text.vn_Find(CT_CString("a*b"), 1), 6u);
    EXPECT_EQ(text.vn_Find(CT_UString(u"zz")), CT_NotFound);

    // Unsigned order: 0xE9 sorts after "z", in both widths.
    EXPECT_EQ(CT_CString("\xE9", 1252).vi_Compare(CT_CString("z")), 1);
    EXPECT_EQ(CT_UString(u"\u00E9").vi_Compare(CT_CString("z")), 1);
    EXPECT_EQ(CT_UString(u"abc").vi_Compare(CT_CString("abc")), 0);
    EXPECT_EQ(CT_UString(u"ab").vi_Compare(CT_CString("abc")), -1);

    struct Match {
        const char* text;
        const char* pattern;
        bool matches;
    };
    const Match matches[] = {
        {"REPORT.CMP", "*.CMP", true},
        {"REPORT.CMP", "R?PORT.*", true},
        {"REPORT.CMP", "*.TXT", false},
        {"aaab", "*a*b", true},
        {"", "*", true},
        {"abc", "ab", false},
        {"ab", "ab*?", false},
    };
    for (const Match& m : matches)
        EXPECT_EQ(CT_CString(m.text).vb_Match(CT_CString(m.pattern)), m.matches)
            << m.text << " " << m.pattern;

    CT_CString stripped("xx--core--yy");
    stripped.vv_StripCharacters(CT_CString("xy-"));
    EXPECT_STREQ(stripped.qccz_GetText(), "core");
    CT_UString left(u"  both  ");
    left.vv_StripLeft();
    EXPECT_EQ(left.o_View(), u"both  ");

    CT_CString mapped("a-b_c");
    mapped.vv_Translate(CT_CString("-_c"), CT_CString("+ "));
    EXPECT_STREQ(mapped.qccz_GetText(), "a+b c");
}

// Case mapping leaves the second byte of a Shift-JIS character alone, even
// where it looks like an ASCII letter ("ア" is 0x83 0x41).
TEST(CT_String, CaseMappingSkipsTrailBytesOfDoubleByteText) {
    CT_CString japanese("\x83\x41"
                        "Ab",
                        932);
    japanese.vv_ToLower();
    EXPECT_EQ(japanese.o_View(), "\x83\x41"
                                 "ab");
    japanese.vv_ToUpper();
    EXPECT_EQ(japanese.o_View(), "\x83\x41"
                                 "AB");
    CT_CString western("\x83\x41", 1252); // two characters in 1252
    western.vv_ToLower();
    EXPECT_EQ(western.o_View(), "\x83"
                                "a");
}

TEST(CT_String, MixedWidthsConvertThroughTheEightBitCodePage) {
    const CT_CString cyrillic("\xC4\xE0", 1251); // "Да"
    CT_UString wide(u"<");
    wide.v_Append(cyrillic);
    EXPECT_EQ(wide.o_View(), u"<Да");
    EXPECT_EQ(CT_UString(cyrillic).o_View(), u"Да");

    CT_CString western("caf", 1252);
    western.v_Append(CT_UString(u"é日"));
    EXPECT_EQ(western.o_View(), "caf\xE9?");
    EXPECT_EQ(CT_CString(CT_UString(u"Да"), 1251).o_View(), "\xC4\xE0");

    CT_UString formatted;
    formatted.v_Format("%s: %d", "line", 42);
    EXPECT_EQ(formatted.o_View(), u"line: 42");
}

TEST(CT_Type, RecordsKnowTheirBaseAndCountLiveObjects) {
    const CT_Type* narrow = CT_CString::spcco_GetType();
    const CT_Type* base = CT_String::spcco_GetType();
    EXPECT_STREQ(narrow->qccz_GetClassName(), "CT_CString");
    EXPECT_EQ(narrow->pcco_GetBase(), base);
    EXPECT_EQ(narrow->n_GetObjectSize(), sizeof(CT_CString));

    const long before = narrow->n_GetAliveCount();
    {
        CT_CString one("x");
        CT_CString two = one;
        CT_String& any = two;
        EXPECT_EQ(narrow->n_GetAliveCount(), before + 2);
        EXPECT_EQ(any.vpv_IsKindOf(base), &two);
        EXPECT_EQ(any.vpv_IsA(narrow), &two);
        EXPECT_EQ(any.vpv_IsA(base), nullptr);
        EXPECT_EQ(any.vpv_IsKindOf(CT_UString::spcco_GetType()), nullptr);
    }
    EXPECT_EQ(narrow->n_GetAliveCount(), before);
}
