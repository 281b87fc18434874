// The settings store: defaults, persistence and path rules.
#include "app/settings_store.h"
#include "support/temp_dir.h"

#include <QSettings>
#include <gtest/gtest.h>

#include <filesystem>

using namespace quillex;
using quillex::testing::TempDir;

namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(config_.folder()));
        ::setenv("HOME", home_.folder().c_str(), 1);
    }
    QSettings raw() {
        return QSettings(QSettings::IniFormat, QSettings::UserScope, "VELMAR",
                         "The Quillex 2.0 for Interleaf");
    }
    TempDir config_;
    TempDir home_;
};

} // namespace

TEST_F(SettingsStoreTest, FirstRunGivesEveryDefault) {
    const Settings settings = SettingsStore::load();
    EXPECT_EQ(settings.paths.duringSession, 1);
    EXPECT_EQ(settings.paths.betweenSessions, 1);
    EXPECT_EQ(settings.paths.sourceFiles, home_.folder());
    EXPECT_EQ(settings.paths.orgFiles, home_.folder());
    EXPECT_EQ(settings.paths.translatedFiles, home_.folder());
    const OptionSettings& o = settings.options;
    EXPECT_EQ(o.overwriteFiles, OverwriteFiles::AlwaysPrompt);
    EXPECT_EQ(o.fileFormatForQmx, QmxFileFormat::Rtf);
    EXPECT_EQ(o.rtfPageSize, PaperSize::A4);
    EXPECT_EQ(o.markerPlaceholders, MarkerPlaceholders::Insert);
    EXPECT_EQ(o.translationHyphenation, Hyphenation::LeaveAsIs);
    EXPECT_EQ(o.sourceHyphenation, Hyphenation::TurnOff);
    EXPECT_EQ(o.characterSetText, CharacterSetText::Normal);
    EXPECT_EQ(o.smartQuotes, SmartQuotes::AsTags);
    EXPECT_EQ(o.readOnlyComponents, ReadOnlyComponents::DontTranslate);
    EXPECT_EQ(o.sourceLanguage, "English (US)");
    EXPECT_EQ(o.targetLanguage, "English (US)");
    EXPECT_EQ(o.sourceLanguageSelection, 1000);
    EXPECT_EQ(o.targetLanguageSelection, 1000);
    EXPECT_EQ(o.debug, 0);
}

TEST_F(SettingsStoreTest, OptionsPersistButDebugIsNeverWritten) {
    OptionSettings options;
    options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    options.fileFormatForQmx = QmxFileFormat::Text;
    options.sourceLanguage = "German";
    options.targetLanguage = "Japanese (EUC)";
    options.targetLanguageSelection = 10;
    options.debug = 1;
    SettingsStore::saveOptions(options);
    const OptionSettings loaded = SettingsStore::load().options;
    EXPECT_EQ(loaded.overwriteFiles, OverwriteFiles::AlwaysOverwrite);
    EXPECT_EQ(loaded.fileFormatForQmx, QmxFileFormat::Text);
    EXPECT_EQ(loaded.sourceLanguage, "German");
    EXPECT_EQ(loaded.targetLanguage, "Japanese (EUC)");
    EXPECT_EQ(loaded.targetLanguageSelection, 10);
    EXPECT_EQ(loaded.debug, 0);
    EXPECT_FALSE(raw().contains("OPTIONS/DEBUG"));

    raw().setValue("OPTIONS/DEBUG", 1);
    EXPECT_EQ(SettingsStore::load().options.debug, 1);
}

TEST_F(SettingsStoreTest, EmptyLanguageAndUnreadableNumbersFallBackToDefaults) {
    {
        QSettings store = raw();
        store.setValue("OPTIONS/SOURCE_LANGUAGE", "");
        store.setValue("OPTIONS/SMART_QUOTES", "not a number");
    }
    const OptionSettings loaded = SettingsStore::load().options;
    EXPECT_EQ(loaded.sourceLanguage, "English (US)");
    EXPECT_EQ(loaded.smartQuotes, SmartQuotes::AsTags);
}

TEST_F(SettingsStoreTest, StoredPathsGetSlashAndMissingOnesTheDefault) {
    TempDir work;
    const std::string existing = work.subfolder("sources");
    {
        QSettings store = raw();
        store.setValue("PATHS/SOURCE_FILES",
                       QString::fromStdString(existing.substr(0, existing.size() - 1)));
        store.setValue("PATHS/ORG_FILES", "/no/such/folder/");
    }
    const PathSettings paths = SettingsStore::load().paths;
    EXPECT_EQ(paths.sourceFiles, existing);
    EXPECT_EQ(paths.orgFiles, home_.folder());
}

TEST_F(SettingsStoreTest, BetweenSessionsOffStoresTheDefaultDirectory) {
    TempDir work;
    PathSettings paths;
    paths.betweenSessions = 0;
    paths.sourceFiles = paths.orgFiles = paths.translatedFiles = work.folder();
    SettingsStore::savePaths(paths);
    const PathSettings loaded = SettingsStore::load().paths;
    EXPECT_EQ(loaded.betweenSessions, 0);
    EXPECT_EQ(loaded.sourceFiles, home_.folder());

    paths.betweenSessions = 1;
    SettingsStore::savePaths(paths);
    EXPECT_EQ(SettingsStore::load().paths.orgFiles, work.folder());

    // With During Session off the paths start as the default directory.
    raw().setValue("PATHS/DURING_SESSION", 0);
    EXPECT_EQ(SettingsStore::load().paths.translatedFiles, home_.folder());
}

TEST_F(SettingsStoreTest, SetChecksNamesAndValues) {
    EXPECT_FALSE(SettingsStore::set("OPTIONS/RTF_PAGE_SIZE", "1"));
    EXPECT_EQ(SettingsStore::load().options.rtfPageSize, PaperSize::Letter);
    EXPECT_TRUE(SettingsStore::set("OPTIONS/RTF_PAGE_SIZE", "2"));
    EXPECT_TRUE(SettingsStore::set("OPTIONS/RTF_PAGE_SIZE", "x"));
    EXPECT_TRUE(SettingsStore::set("OPTIONS/NO_SUCH_VALUE", "1"));
    EXPECT_TRUE(SettingsStore::set("OPTIONS/SOURCE_LANGUAGE", "Klingon"));
    EXPECT_FALSE(SettingsStore::set("OPTIONS/SOURCE_LANGUAGE", "French"));
    EXPECT_TRUE(SettingsStore::set("PATHS/ORG_FILES", "/no/such/folder"));
    EXPECT_EQ(SettingsStore::load().options.sourceLanguage, "French");
    EXPECT_FALSE(SettingsStore::set("OPTIONS/DONT_TRANSLATE_CLASSES", "listing, syntax"));
    EXPECT_EQ(SettingsStore::load().options.dontTranslateClasses, "listing, syntax");
    // A target-only language is no source language.
    EXPECT_TRUE(SettingsStore::set("OPTIONS/SOURCE_LANGUAGE", "Japanese (EUC)"));
    EXPECT_FALSE(SettingsStore::set("OPTIONS/TARGET_LANGUAGE", "Japanese (EUC)"));
    // A relative folder is stored as the absolute one it names now.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(home_.folder());
    std::filesystem::create_directories("sub");
    EXPECT_FALSE(SettingsStore::set("PATHS/ORG_FILES", "sub"));
    std::filesystem::current_path(previous);
    EXPECT_EQ(raw().value("PATHS/ORG_FILES").toString().toStdString(), home_.folder() + "sub/");
}

// Stored values that do not fit (a file edited by hand) are not used: the
// defaults are, and the notes that a batch shows say which.
TEST_F(SettingsStoreTest, StoredValuesThatDoNotFitGiveTheDefaultAndANote) {
    raw().setValue("OPTIONS/SMART_QUOTES", -3);
    raw().setValue("OPTIONS/SOURCE_LANGUAGE", "Klingon");
    raw().setValue("OPTIONS/TARGET_LANGUAGE", "German");
    const Settings settings = SettingsStore::load();
    EXPECT_EQ(settings.options.smartQuotes, SmartQuotes::AsTags);
    EXPECT_EQ(settings.options.sourceLanguage, "English (US)");
    EXPECT_EQ(settings.options.targetLanguage, "German");
    EXPECT_EQ(settings.notes,
              (std::vector<std::string>{
                  "Warning! The setting OPTIONS/SMART_QUOTES = -3 is not from 0 to 1; 1 is used.",
                  "Warning! The setting OPTIONS/SOURCE_LANGUAGE = Klingon is no language for "
                  "this use; English (US) is used."}));
}

TEST_F(SettingsStoreTest, ConversionOptionsCarryLookedUpLanguages) {
    Settings settings = SettingsStore::load();
    settings.options.sourceLanguage = "Polish";
    settings.options.targetLanguage = "German (Swiss)";
    const ConversionOptions options = makeConversionOptions(settings);
    EXPECT_EQ(options.sourceLanguage.codePage, 1250);
    EXPECT_EQ(options.targetLanguage.languageAttribute, "SwissGerman");
    EXPECT_EQ(options.targetLanguage.languageCode, "nl");
    EXPECT_EQ(options.orgDirectory, home_.folder());

    settings.paths.duringSession = 0;
    EXPECT_EQ(makeConversionOptions(settings).orgDirectory, "");
}

// Without a home folder there is no default folder: outputs never go to "/"
// unasked.
TEST_F(SettingsStoreTest, NoHomeFolderGivesNoDefaultFolder) {
    ::setenv("HOME", "/", 1);
    EXPECT_NE(SettingsStore::defaultDirectory(), "/");
    ::setenv("HOME", home_.folder().c_str(), 1);
    EXPECT_EQ(SettingsStore::defaultDirectory(), home_.folder());
}

// Each choice of OPTIONS against the number the settings file keeps for it,
// read from the file and written back to it: the numbers are the file's
// format and never change, whatever the choices are called in the code.
TEST_F(SettingsStoreTest, EveryChoiceIsStoredAsItsNumberBothWays) {
    struct Row {
        const char* name;
        int number;
        bool (*holds)(const OptionSettings&);
    };
    const Row rows[] = {
        {"OVERWRITE_FILES", 0,
         [](const OptionSettings& o) { return o.overwriteFiles == OverwriteFiles::AlwaysPrompt; }},
        {"OVERWRITE_FILES", 1,
         [](const OptionSettings& o) {
             return o.overwriteFiles == OverwriteFiles::AlwaysOverwrite;
         }},
        {"FILE_FORMAT_FOR_QMX", 0,
         [](const OptionSettings& o) { return o.fileFormatForQmx == QmxFileFormat::Text; }},
        {"FILE_FORMAT_FOR_QMX", 1,
         [](const OptionSettings& o) { return o.fileFormatForQmx == QmxFileFormat::Rtf; }},
        {"RTF_PAGE_SIZE", 0,
         [](const OptionSettings& o) { return o.rtfPageSize == PaperSize::A4; }},
        {"RTF_PAGE_SIZE", 1,
         [](const OptionSettings& o) { return o.rtfPageSize == PaperSize::Letter; }},
        {"MARKER_PLACEHOLDERS", 0,
         [](const OptionSettings& o) {
             return o.markerPlaceholders == MarkerPlaceholders::Insert;
         }},
        {"MARKER_PLACEHOLDERS", 1,
         [](const OptionSettings& o) {
             return o.markerPlaceholders == MarkerPlaceholders::DontInsert;
         }},
        {"TRANSLATION_HYPHENATION", 0,
         [](const OptionSettings& o) { return o.translationHyphenation == Hyphenation::TurnOff; }},
        {"TRANSLATION_HYPHENATION", 1,
         [](const OptionSettings& o) {
             return o.translationHyphenation == Hyphenation::LeaveAsIs;
         }},
        {"SOURCE_HYPHENATION", 0,
         [](const OptionSettings& o) { return o.sourceHyphenation == Hyphenation::TurnOff; }},
        {"SOURCE_HYPHENATION", 1,
         [](const OptionSettings& o) { return o.sourceHyphenation == Hyphenation::LeaveAsIs; }},
        {"CHARACTER_SET_TEXT", 0,
         [](const OptionSettings& o) { return o.characterSetText == CharacterSetText::Normal; }},
        {"CHARACTER_SET_TEXT", 1,
         [](const OptionSettings& o) { return o.characterSetText == CharacterSetText::Symbol; }},
        {"SMART_QUOTES", 0,
         [](const OptionSettings& o) { return o.smartQuotes == SmartQuotes::AsText; }},
        {"SMART_QUOTES", 1,
         [](const OptionSettings& o) { return o.smartQuotes == SmartQuotes::AsTags; }},
        {"READ_ONLY_COMPONENTS", 0,
         [](const OptionSettings& o) {
             return o.readOnlyComponents == ReadOnlyComponents::Translate;
         }},
        {"READ_ONLY_COMPONENTS", 1,
         [](const OptionSettings& o) {
             return o.readOnlyComponents == ReadOnlyComponents::DontTranslate;
         }},
    };
    for (const Row& row : rows) {
        const std::string key = std::string("OPTIONS/") + row.name;
        raw().setValue(QString::fromStdString(key), row.number);
        const Settings loaded = SettingsStore::load();
        EXPECT_TRUE(row.holds(loaded.options)) << key << " = " << row.number;
        EXPECT_TRUE(loaded.notes.empty()) << key;

        raw().remove(QString::fromStdString(key));
        SettingsStore::saveOptions(loaded.options);
        EXPECT_EQ(raw().value(QString::fromStdString(key)).toString().toStdString(),
                  std::to_string(row.number))
            << key;
        EXPECT_EQ(storedChoice(loaded.options, row.name), row.number) << key;
        OptionSettings set;
        EXPECT_TRUE(setStoredChoice(set, row.name, row.number));
        EXPECT_TRUE(row.holds(set)) << key;
    }
    OptionSettings unchanged;
    EXPECT_FALSE(setStoredChoice(unchanged, "SMART_QUOTES", 2));
    EXPECT_FALSE(setStoredChoice(unchanged, "NO_SUCH_CHOICE", 0));
}
