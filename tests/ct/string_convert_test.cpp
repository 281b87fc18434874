// CT_StringConvert: UTF-8 and UTF-7 round trips of every 16-bit unit
// sequence, round trips through each code page of the language table, the
// "?" rule and the recording of failures.
#include "foundation/ct/ct_error_manager.h"
#include "foundation/ct/ct_string_convert.h"

#include "conversion/language_table.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>
#include <set>
#include <string>

using namespace quillex;

namespace {

// One direction and back, with the length given, so zeros are characters.
struct UtfForm {
    const char* name;
    int (*encode)(const char16_t*, int, std::string&);
    int (*decode)(const char*, int, std::u16string&);
};
const UtfForm kUtfForms[] = {
    {"UTF-8", CT_StringConvert::si_WideToUTF8, CT_StringConvert::si_UTF8ToWide},
    {"UTF-7", CT_StringConvert::si_WideToUTF7, CT_StringConvert::si_UTF7ToWide},
};

std::u16string roundTrip(const UtfForm& form, const std::u16string& wide) {
    std::string encoded;
    form.encode(wide.data(), static_cast<int>(wide.size()), encoded);
    std::u16string decoded;
    form.decode(encoded.data(), static_cast<int>(encoded.size()), decoded);
    return decoded;
}

// Units that stress the encoders: zero, the UTF-7 shift characters,
// direct ASCII, both surrogate halves, and anything at all.
char16_t randomUnit(std::mt19937& random) {
    static constexpr char16_t kSpecial[] = {0,      u'+',   u'-',   u'A',   u' ',
                                            0x7F,   0x80,   0x7FF,  0x800,  0xD800,
                                            0xDBFF, 0xDC00, 0xDFFF, 0xFFFD, 0xFFFF};
    const unsigned pick = random() % 4;
    if (pick == 0)
        return kSpecial[random() % std::size(kSpecial)];
    if (pick == 1)
        return static_cast<char16_t>(random() % 0x80);
    return static_cast<char16_t>(random() % 0x10000);
}

std::u16string decode(std::string_view bytes, int codePage) {
    std::u16string wide;
    CT_StringConvert::si_MultiToWide(bytes.data(), static_cast<int>(bytes.size()), codePage, wide);
    return wide;
}

// Every character of a code page: the single bytes and byte pairs that
// decode to exactly one character.
std::u16string charactersOf(int codePage) {
    std::u16string characters;
    for (int first = 0; first < 256; ++first) {
        const char lead = static_cast<char>(first);
        if (!CT_StringConvert::sb_IsLeadByte(static_cast<unsigned char>(first), codePage)) {
            const std::u16string one = decode(std::string_view(&lead, 1), codePage);
            if (one.size() == 1 && (one[0] != u'?' || lead == '?'))
                characters += one;
            continue;
        }
        for (int second = 0x40; second < 0xFF; ++second) {
            const char pair[] = {lead, static_cast<char>(second)};
            const std::u16string one = decode(std::string_view(pair, 2), codePage);
            if (one.size() == 1)
                characters += one;
        }
    }
    return characters;
}

} // namespace

TEST(CT_StringConvert, UtfFormsRoundTripEverySingleUnit) {
    for (const UtfForm& form : kUtfForms)
        for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
            const std::u16string wide(1, static_cast<char16_t>(unit));
            ASSERT_EQ(roundTrip(form, wide), wide)
                << form.name << " unit " << static_cast<unsigned>(unit);
        }
}

TEST(CT_StringConvert, UtfFormsRoundTripRandomUnitSequences) {
    std::mt19937 random(16);
    for (int sample = 0; sample < 3000; ++sample) {
        std::u16string wide(random() % 40, u'\0');
        for (char16_t& unit : wide)
            unit = randomUnit(random);
        for (const UtfForm& form : kUtfForms)
            ASSERT_EQ(roundTrip(form, wide), wide) << form.name << " sample " << sample;
    }
}

TEST(CT_StringConvert, UtfEncodingsAreTheStandardOnes) {
    std::string utf7;
    CT_StringConvert::si_WideToUTF7(u"Hi Mom -\u263A-!", -1, utf7);
    EXPECT_EQ(utf7, "Hi Mom -+Jjo--!");
    CT_StringConvert::si_WideToUTF7(u"\u65E5\u672C\u8A9E 1+1", -1, utf7);
    EXPECT_EQ(utf7, "+ZeVnLIqe- 1+-1");
    std::u16string wide;
    CT_StringConvert::si_UTF7ToWide("A+ImIDkQ.", -1, wide); // run ended without "-"
    EXPECT_EQ(wide, u"A\u2262\u0391.");

    std::string utf8;
    CT_StringConvert::si_WideToUTF8(u"\u00E9\u20AC\U0001F600", -1, utf8);
    EXPECT_EQ(utf8, "\xC3\xA9\xE2\x82\xAC\xED\xA0\xBD\xED\xB8\x80"); // pair not combined
    CT_StringConvert::si_UTF8ToWide("\xF0\x9F\x98\x80|\xC0\xAF|\xE2\x82", -1, wide);
    EXPECT_EQ(wide, u"\U0001F600|\uFFFD\uFFFD|\uFFFD\uFFFD"); // overlong, cut short
    EXPECT_EQ(CT_StringConvert::si_UTF8ToWide("ab\0cd", -1, wide), 2);
    EXPECT_EQ(CT_StringConvert::si_UTF8ToWide("ab\0cd", 5, wide), 5);
}

// Each character of each code page in the language table comes back from
// 8-bit text as itself, with no default character used.
TEST(CT_StringConvert, CodePagesOfTheLanguageTableRoundTripTheirCharacters) {
    std::set<int> codePages;
    for (std::string_view name : languageNames()) {
        LanguageRecord record;
        ASSERT_TRUE(lookupLanguage(name, LanguageRole::Target, record)) << name;
        codePages.insert(record.codePage);
    }
    ASSERT_EQ(codePages.size(), 10u);
    for (int codePage : codePages) {
        ASSERT_EQ(CT_StringConvert::si_EffectiveCodePage(codePage), codePage);
        const std::u16string characters = charactersOf(codePage);
        const bool doubleByte = CT_StringConvert::sb_IsLeadByte(0x81, codePage);
        EXPECT_GT(characters.size(), doubleByte ? 7000u : 200u) << codePage;
        std::string multi;
        bool usedDefault = true;
        CT_StringConvert::si_WideToMulti(characters.data(), static_cast<int>(characters.size()),
                                         codePage, multi, '#', &usedDefault);
        EXPECT_FALSE(usedDefault) << codePage;
        EXPECT_EQ(decode(multi, codePage), characters) << codePage;
    }
}

TEST(CT_StringConvert, CharactersThatDoNotConvertBecomeTheDefault) {
    EXPECT_EQ(CT_StringConvert::sus_MultiToWide("\x82\xA0", 932), u'\u3042');
    EXPECT_EQ(CT_StringConvert::sus_MultiToWide("\x82", 932), u'?'); // lead byte alone
    EXPECT_EQ(CT_StringConvert::sus_MultiToWide("\xE9", 1252), u'\u00E9');
    EXPECT_EQ(CT_StringConvert::sus_MultiToWide("\xE2\x82\xAC", CT_StringConvert::n_UTF8),
              u'\u20AC');
    EXPECT_EQ(CT_StringConvert::sc_WideToMulti(u'\u00E9', 1252), '\xE9');
    EXPECT_EQ(CT_StringConvert::sc_WideToMulti(u'\u3042', 1252), '?');
    EXPECT_EQ(CT_StringConvert::sc_WideToMulti(u'\u3042', 932), '?'); // two bytes

    std::string multi;
    bool usedDefault = false;
    // A surrogate pair is one character; a lone surrogate is one too.
    EXPECT_EQ(
        CT_StringConvert::si_WideToMulti(u"a\U0001F600b\xD800", -1, 1252, multi, '*', &usedDefault),
        4);
    EXPECT_EQ(multi, "a*b*");
    EXPECT_TRUE(usedDefault);
}

TEST(CT_StringConvert, UnknownCodePagesUseTheAnsiCodePage) {
    std::u16string wide;
    CT_StringConvert::si_MultiToWide("\xE9", 1, 12345, wide);
    EXPECT_EQ(wide, u"\u00E9");
    CT_StringConvert::sv_SetAnsiCodePage(1251);
    CT_StringConvert::si_MultiToWide("\xE9", 1, 12345, wide);
    CT_StringConvert::sv_SetAnsiCodePage(CT_StringConvert::n_DefaultAnsiCodePage);
    EXPECT_EQ(wide, u"\u0439");
}

// A refused conversion records the system error with the place of the
// conversion; a second failure while it is pending adds only its place.
TEST(CT_StringConvert, FailuresAreRecordedWithTheirLocation) {
    CT_ErrorManager* errors = CT_ErrorManager::spo_Get();
    ASSERT_NE(errors, nullptr);
    errors->v_ClearError();
    std::string multi = "old";
    EXPECT_EQ(CT_StringConvert::si_WideToMulti(u"abc", -5, 1252, multi), 0);
    EXPECT_TRUE(multi.empty());
    EXPECT_EQ(errno, 0); // taken into the record
    std::u16string wide;
    EXPECT_EQ(CT_StringConvert::si_MultiToWide(nullptr, 3, 1252, wide), 0);
    EXPECT_TRUE(errors->b_IsSetError());
    EXPECT_EQ(errors->n_GetErrorCode(), EINVAL);
    EXPECT_EQ(std::u16string(errors->qcuz_GetErrorMessage()), u"(22): Invalid argument");
    ASSERT_EQ(errors->n_GetLocationCount(), 2u);
    EXPECT_TRUE(std::string(errors->qccz_GetLocationFileAt(1)).ends_with("ct_string_convert.cpp"));
    EXPECT_GT(errors->n_GetLocationLineAt(1), 0);
    errors->v_ClearError();
}
