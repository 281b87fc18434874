// The settings store: user choices that persist between runs.
//
// Two sections, PATHS and OPTIONS, with the value names below, kept in an INI
// file through QSettings (organisation "VELMAR", application "The Quillex 2.0
// for Interleaf"; XDG_CONFIG_HOME decides where). A missing value gives its
// default; a stored path that is no existing directory gives the default
// directory; every directory ends with "/".
#pragma once

#include "conversion/conversion_options.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QSettings;

namespace quillex {

struct PathSettings {
    int duringSession = 1;
    int betweenSessions = 1;
    std::string sourceFiles;     // SOURCE_FILES
    std::string orgFiles;        // ORG_FILES
    std::string translatedFiles; // TRANSLATED_FILES
};

// The OPTIONS section. The choices are held by name; the settings file holds
// each as the number the store maps it to (kOptionChoices in the .cpp).
struct OptionSettings {
    OverwriteFiles overwriteFiles = OverwriteFiles::AlwaysPrompt;
    QmxFileFormat fileFormatForQmx = QmxFileFormat::Rtf;
    PaperSize rtfPageSize = PaperSize::A4;
    MarkerPlaceholders markerPlaceholders = MarkerPlaceholders::Insert;
    Hyphenation translationHyphenation = Hyphenation::LeaveAsIs;
    Hyphenation sourceHyphenation = Hyphenation::TurnOff;
    CharacterSetText characterSetText = CharacterSetText::Normal;
    SmartQuotes smartQuotes = SmartQuotes::AsTags;
    ReadOnlyComponents readOnlyComponents = ReadOnlyComponents::DontTranslate;
    std::string sourceLanguage = "English (US)";
    std::string targetLanguage = "English (US)";
    int sourceLanguageSelection = 1000;
    int targetLanguageSelection = 1000;
    int debug = 0;
    int machineReports = 0; // for this run only, never saved: verify --report
    // Paragraph classes that XLIFF export, count and tmx hold back from
    // translation, separated by commas (set with 'quillex settings set').
    std::string dontTranslateClasses;
};

// Values as the settings file holds them: "SECTION/NAME" to text.
using StoredValues = std::map<std::string, std::string>;

struct Settings {
    PathSettings paths;
    OptionSettings options;
    // Stored values that were not used, each with the default that was: a
    // batch shows them in its results.
    std::vector<std::string> notes;
    // What the file held when these settings were loaded.
    StoredValues stored;
};

// One stored value as `quillex settings` lists it.
struct SettingValue {
    std::string key; // "SECTION/NAME"
    std::string value;
};

// Why `quillex settings set` did not set a value.
struct SettingRefusal {
    std::string message;
    bool notSaved = false; // the value was valid, but the file could not be written
};

class SettingsStore {
  public:
    // The directory offered when no stored one applies: the home folder.
    static std::string defaultDirectory();
    // Appends "/" when missing.
    static std::string withTrailingSlash(std::string directory);

    // Reads both sections. With DURING_SESSION off the paths start as the
    // default directory.
    static Settings load();

    // Writes PATHS as at exit: the three paths as edited when
    // BETWEEN_SESSIONS is 1, else the default directory for each.
    static void savePaths(const PathSettings& paths);
    // Writes the OPTIONS values that the Settings page owns (never DEBUG).
    static void saveOptions(const OptionSettings& options);
    // Writes, as savePaths and saveOptions would, only what a window changed
    // since it loaded `loaded`, and what nobody else changed meanwhile: a
    // value set elsewhere (`quillex settings set`, another window) while the
    // window was open survives its closing unless the window changed it too.
    static void saveChanges(const Settings& loaded, const PathSettings& paths,
                            const OptionSettings& options);

    // Every value of both sections with its effective value.
    static std::vector<SettingValue> list();
    // Sets one value given as "SECTION/NAME" and saves it; returns why not
    // when the name is unknown, the value does not fit its type, or the
    // settings file cannot be written.
    static std::optional<SettingRefusal> set(const std::string& key, const std::string& value);

    // The path of the settings file (for messages).
    static std::string fileName();

  private:
    static std::optional<std::string> setValue(QSettings& store, const std::string& key,
                                               const std::string& value);
};

// A choice of OPTIONS as the settings file stores it, by its stored name
// ("SMART_QUOTES"): its number, and the choice a number stands for (false
// when it stands for none, or the name is no choice). The Settings page's
// radio buttons are numbered the same way.
int storedChoice(const OptionSettings& options, std::string_view name);
bool setStoredChoice(OptionSettings& options, std::string_view name, int number);

// Builds the per-batch snapshot from the current settings; the language codes
// are looked up in the language table.
ConversionOptions makeConversionOptions(const Settings& settings);

} // namespace quillex
