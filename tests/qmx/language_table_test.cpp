// Language table lookups.
#include "conversion/language_table.h"

#include <gtest/gtest.h>

using namespace quillex;

TEST(LanguageTable, KnownRowsGiveCodePageAttributeAndRoleCode) {
    LanguageRecord record;
    ASSERT_TRUE(lookupLanguage("German (Swiss)", LanguageRole::Source, record));
    EXPECT_EQ(record.codePage, 1252);
    EXPECT_EQ(record.languageAttribute, "SwissGerman");
    EXPECT_EQ(record.languageCode, "ge");
    ASSERT_TRUE(lookupLanguage("German (Swiss)", LanguageRole::Target, record));
    EXPECT_EQ(record.languageCode, "nl");

    ASSERT_TRUE(lookupLanguage("Polish", LanguageRole::Target, record));
    EXPECT_EQ(record.codePage, 1250);
    ASSERT_TRUE(lookupLanguage("Lithuanian", LanguageRole::Target, record));
    EXPECT_EQ(record.codePage, 1257);
    ASSERT_TRUE(lookupLanguage("Portuguese (Brazilian)", LanguageRole::Source, record));
    EXPECT_EQ(record.languageCode, "bp");
    EXPECT_EQ(record.languageAttribute, "Brazilian");
}

TEST(LanguageTable, AnyJapaneseNameTakesTheJapaneseRow) {
    LanguageRecord record;
    ASSERT_TRUE(lookupLanguage("Japanese (EUC)", LanguageRole::Target, record));
    EXPECT_EQ(record.codePage, 932);
    EXPECT_EQ(record.name, "Japanese (EUC)");
    EXPECT_TRUE(isJapaneseShiftJisSource("Japanese (Shift-JIS)"));
    EXPECT_FALSE(isJapaneseShiftJisSource("Japanese (EUC)"));
}

TEST(LanguageTable, UnknownNameKeepsOldValuesAndFailsOnlyForSource) {
    LanguageRecord record;
    ASSERT_TRUE(lookupLanguage("Greek", LanguageRole::Source, record));
    EXPECT_FALSE(lookupLanguage("Klingon", LanguageRole::Source, record));
    EXPECT_EQ(record.name, "Greek");
    EXPECT_EQ(record.codePage, 1253);
    EXPECT_EQ(record.languageAttribute, "NoLanguage");
    EXPECT_EQ(record.languageCode, "nl");
    EXPECT_TRUE(lookupLanguage("Klingon", LanguageRole::Target, record));
    // Names are compared exactly.
    EXPECT_FALSE(lookupLanguage("english (us)", LanguageRole::Source, record));
}
