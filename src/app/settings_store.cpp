// The settings store over QSettings.
#include "app/settings_store.h"

#include "foundation/text_file.h"

#include <QSettings>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <type_traits>
#include <unistd.h>
#include <utility>

namespace quillex {
namespace {

constexpr const char* kOrganisation = "VELMAR";
constexpr const char* kApplication = "The Quillex 2.0 for Interleaf";
constexpr const char* kDefaultLanguage = "English (US)";

struct IntValue {
    const char* name;
    int OptionSettings::*field;
    int minimum;
    int maximum;
};

// The numbers each choice is stored as: its position in this list. The file
// keeps these numbers whatever the names of the choices in the code.
constexpr std::array<OverwriteFiles, 2> choicesOf(OverwriteFiles) {
    return {OverwriteFiles::AlwaysPrompt, OverwriteFiles::AlwaysOverwrite};
}
constexpr std::array<QmxFileFormat, 2> choicesOf(QmxFileFormat) {
    return {QmxFileFormat::Text, QmxFileFormat::Rtf};
}
constexpr std::array<PaperSize, 2> choicesOf(PaperSize) {
    return {PaperSize::A4, PaperSize::Letter};
}
constexpr std::array<MarkerPlaceholders, 2> choicesOf(MarkerPlaceholders) {
    return {MarkerPlaceholders::Insert, MarkerPlaceholders::DontInsert};
}
constexpr std::array<Hyphenation, 2> choicesOf(Hyphenation) {
    return {Hyphenation::TurnOff, Hyphenation::LeaveAsIs};
}
constexpr std::array<CharacterSetText, 2> choicesOf(CharacterSetText) {
    return {CharacterSetText::Normal, CharacterSetText::Symbol};
}
constexpr std::array<SmartQuotes, 2> choicesOf(SmartQuotes) {
    return {SmartQuotes::AsText, SmartQuotes::AsTags};
}
constexpr std::array<ReadOnlyComponents, 2> choicesOf(ReadOnlyComponents) {
    return {ReadOnlyComponents::Translate, ReadOnlyComponents::DontTranslate};
}

// A choice of OPTIONS: its stored name, and its field read as and set from
// the stored number.
struct ChoiceValue {
    const char* name;
    int (*stored)(const OptionSettings&);
    bool (*set)(OptionSettings&, int);
    int maximum;
};

template <class Choice> constexpr auto kChoices = choicesOf(Choice{});

template <auto Field> constexpr ChoiceValue choice(const char* name) {
    using Choice = std::remove_cvref_t<decltype(std::declval<OptionSettings>().*Field)>;
    constexpr const auto& choices = kChoices<Choice>;
    return {name,
            [](const OptionSettings& options) {
                const auto& all = kChoices<Choice>;
                const auto at = std::find(all.begin(), all.end(), options.*Field);
                return static_cast<int>(at - all.begin());
            },
            [](OptionSettings& options, int number) {
                const auto& all = kChoices<Choice>;
                if (number < 0 || number >= static_cast<int>(all.size()))
                    return false;
                options.*Field = all[static_cast<std::size_t>(number)];
                return true;
            },
            static_cast<int>(choices.size()) - 1};
}

constexpr ChoiceValue kOptionChoices[] = {
    choice<&OptionSettings::overwriteFiles>("OVERWRITE_FILES"),
    choice<&OptionSettings::fileFormatForQmx>("FILE_FORMAT_FOR_QMX"),
    choice<&OptionSettings::rtfPageSize>("RTF_PAGE_SIZE"),
    choice<&OptionSettings::markerPlaceholders>("MARKER_PLACEHOLDERS"),
    choice<&OptionSettings::translationHyphenation>("TRANSLATION_HYPHENATION"),
    choice<&OptionSettings::sourceHyphenation>("SOURCE_HYPHENATION"),
    choice<&OptionSettings::characterSetText>("CHARACTER_SET_TEXT"),
    choice<&OptionSettings::smartQuotes>("SMART_QUOTES"),
    choice<&OptionSettings::readOnlyComponents>("READ_ONLY_COMPONENTS"),
};

const ChoiceValue* findChoice(std::string_view name) {
    for (const ChoiceValue& value : kOptionChoices)
        if (name == value.name)
            return &value;
    return nullptr;
}

// The integer values of OPTIONS with their ranges.
constexpr IntValue kOptionInts[] = {
    {"SOURCE_LANGUAGE_SELECTION", &OptionSettings::sourceLanguageSelection, -1, 1000},
    {"TARGET_LANGUAGE_SELECTION", &OptionSettings::targetLanguageSelection, -1, 1000},
    {"DEBUG", &OptionSettings::debug, 0, 1 << 30},
};

struct StringValue {
    const char* name;
    std::string OptionSettings::*field;
    LanguageRole role; // the language names this value may hold
};

constexpr StringValue kOptionStrings[] = {
    {"SOURCE_LANGUAGE", &OptionSettings::sourceLanguage, LanguageRole::Source},
    {"TARGET_LANGUAGE", &OptionSettings::targetLanguage, LanguageRole::Target},
};

// Free texts of OPTIONS that only the command line sets.
struct TextValue {
    const char* name;
    std::string OptionSettings::*field;
};

constexpr TextValue kOptionTexts[] = {
    {"DONT_TRANSLATE_CLASSES", &OptionSettings::dontTranslateClasses},
};

struct PathValue {
    const char* name;
    std::string PathSettings::*field;
};

constexpr PathValue kPathStrings[] = {
    {"SOURCE_FILES", &PathSettings::sourceFiles},
    {"ORG_FILES", &PathSettings::orgFiles},
    {"TRANSLATED_FILES", &PathSettings::translatedFiles},
};

QSettings openSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, kOrganisation, kApplication);
}

QString key(const char* section, const char* name) {
    return QString::fromLatin1(section) + '/' + QString::fromLatin1(name);
}

int readInt(QSettings& store, const char* section, const char* name, int fallback) {
    bool ok = false;
    const int value = store.value(key(section, name)).toInt(&ok);
    return ok ? value : fallback;
}

std::string readString(QSettings& store, const char* section, const char* name,
                       const std::string& fallback) {
    const QVariant value = store.value(key(section, name));
    if (!value.isValid())
        return fallback;
    return value.toString().toLocal8Bit().toStdString();
}

// A stored directory that no longer exists falls back to the default.
std::string existingDirectoryOrDefault(const std::string& stored) {
    if (stored.empty() || !directoryExists(stored))
        return SettingsStore::defaultDirectory();
    return SettingsStore::withTrailingSlash(stored);
}

PathSettings loadPaths(QSettings& store) {
    PathSettings paths;
    paths.duringSession = readInt(store, "PATHS", "DURING_SESSION", 1);
    paths.betweenSessions = readInt(store, "PATHS", "BETWEEN_SESSIONS", 1);
    for (const PathValue& value : kPathStrings) {
        paths.*value.field =
            paths.duringSession != 0
                ? existingDirectoryOrDefault(readString(store, "PATHS", value.name, ""))
                : SettingsStore::defaultDirectory();
    }
    return paths;
}

// A stored value that does not fit (edited by hand, or from another version)
// is not used: its default is, and a note says so.
std::string outOfRangeNote(const char* name, int stored, int minimum, int maximum, int fallback) {
    return "Warning! The setting OPTIONS/" + std::string(name) + " = " + std::to_string(stored) +
           " is not from " + std::to_string(minimum) + " to " + std::to_string(maximum) + "; " +
           std::to_string(fallback) + " is used.";
}

OptionSettings loadOptions(QSettings& store, std::vector<std::string>& notes) {
    OptionSettings options;
    for (const ChoiceValue& value : kOptionChoices) {
        const int fallback = value.stored(options);
        const int stored = readInt(store, "OPTIONS", value.name, fallback);
        if (!value.set(options, stored))
            notes.push_back(outOfRangeNote(value.name, stored, 0, value.maximum, fallback));
    }
    for (const IntValue& value : kOptionInts) {
        const int fallback = options.*value.field;
        const int stored = readInt(store, "OPTIONS", value.name, fallback);
        if (stored >= value.minimum && stored <= value.maximum) {
            options.*value.field = stored;
            continue;
        }
        notes.push_back(outOfRangeNote(value.name, stored, value.minimum, value.maximum, fallback));
    }
    for (const StringValue& value : kOptionStrings) {
        const std::string stored = readString(store, "OPTIONS", value.name, "");
        options.*value.field = kDefaultLanguage;
        if (stored.empty())
            continue;
        if (isLanguageFor(stored, value.role))
            options.*value.field = stored;
        else
            notes.push_back("Warning! The setting OPTIONS/" + std::string(value.name) + " = " +
                            stored + " is no language for this use; " + kDefaultLanguage +
                            " is used.");
    }
    for (const TextValue& value : kOptionTexts)
        options.*value.field = readString(store, "OPTIONS", value.name, "");
    return options;
}

std::optional<int> parseInt(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < -(1L << 30) || value > (1L << 30))
        return std::nullopt;
    return static_cast<int>(value);
}

std::string rangeError(const std::string& name, int minimum, int maximum) {
    return name + " takes an integer from " + std::to_string(minimum) + " to " +
           std::to_string(maximum);
}

// Every value the file holds.
StoredValues readValues(QSettings& store) {
    StoredValues values;
    for (const QString& name : store.allKeys())
        values.emplace(name.toStdString(),
                       store.value(name).toString().toLocal8Bit().toStdString());
    return values;
}

std::optional<std::string> valueOf(const StoredValues& values, const std::string& name) {
    const auto found = values.find(name);
    return found == values.end() ? std::nullopt : std::optional(found->second);
}

void writeValues(QSettings& store, const StoredValues& values) {
    for (const auto& [name, value] : values)
        store.setValue(QString::fromStdString(name), QString::fromLocal8Bit(value.c_str()));
}

std::string storedName(const char* section, const char* name) {
    return std::string(section) + '/' + name;
}

// PATHS as written at exit: the three paths as edited when BETWEEN_SESSIONS
// is 1, else the default directory for each.
StoredValues pathsAsStored(const PathSettings& paths) {
    StoredValues values;
    values[storedName("PATHS", "DURING_SESSION")] = std::to_string(paths.duringSession);
    values[storedName("PATHS", "BETWEEN_SESSIONS")] = std::to_string(paths.betweenSessions);
    for (const PathValue& value : kPathStrings)
        values[storedName("PATHS", value.name)] =
            paths.betweenSessions != 0 ? SettingsStore::withTrailingSlash(paths.*value.field)
                                       : SettingsStore::defaultDirectory();
    return values;
}

// The OPTIONS values that the Settings page owns (never DEBUG).
StoredValues optionsAsStored(const OptionSettings& options) {
    StoredValues values;
    for (const ChoiceValue& value : kOptionChoices)
        values[storedName("OPTIONS", value.name)] = std::to_string(value.stored(options));
    for (const IntValue& value : kOptionInts)
        if (std::string_view(value.name) != "DEBUG")
            values[storedName("OPTIONS", value.name)] = std::to_string(options.*value.field);
    for (const StringValue& value : kOptionStrings)
        values[storedName("OPTIONS", value.name)] = options.*value.field;
    return values;
}

} // namespace

// The user's home folder, from HOME or else the password database. Without
// either there is no default: outputs are never sent to "/" unasked.
std::string SettingsStore::defaultDirectory() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* user = ::getpwuid(::getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    if (home == nullptr || *home == '\0' || std::string_view(home) == "/")
        return {};
    return withTrailingSlash(home);
}

std::string SettingsStore::withTrailingSlash(std::string directory) {
    if (directory.empty() || directory.back() != '/')
        directory.push_back('/');
    return directory;
}

Settings SettingsStore::load() {
    QSettings store = openSettings();
    Settings settings;
    settings.stored = readValues(store);
    settings.paths = loadPaths(store);
    settings.options = loadOptions(store, settings.notes);
    return settings;
}

void SettingsStore::savePaths(const PathSettings& paths) {
    QSettings store = openSettings();
    writeValues(store, pathsAsStored(paths));
}

void SettingsStore::saveOptions(const OptionSettings& options) {
    QSettings store = openSettings();
    writeValues(store, optionsAsStored(options));
}

// A three-way merge per value: the file when the window loaded it, the file
// now, and what the window would write.
void SettingsStore::saveChanges(const Settings& loaded, const PathSettings& paths,
                                const OptionSettings& options) {
    StoredValues ours = pathsAsStored(paths);
    ours.merge(optionsAsStored(options));
    StoredValues initial = pathsAsStored(loaded.paths);
    initial.merge(optionsAsStored(loaded.options));
    QSettings store = openSettings();
    const StoredValues now = readValues(store);
    StoredValues changes;
    for (const auto& [name, value] : ours) {
        const bool changedHere = value != initial[name];
        const bool changedElsewhere = valueOf(now, name) != valueOf(loaded.stored, name);
        if (changedHere || (!changedElsewhere && valueOf(now, name) != value))
            changes.emplace(name, value);
    }
    writeValues(store, changes);
}

std::vector<SettingValue> SettingsStore::list() {
    const Settings settings = load();
    std::vector<SettingValue> values;
    values.push_back({"PATHS/DURING_SESSION", std::to_string(settings.paths.duringSession)});
    values.push_back({"PATHS/BETWEEN_SESSIONS", std::to_string(settings.paths.betweenSessions)});
    for (const PathValue& value : kPathStrings)
        values.push_back({std::string("PATHS/") + value.name, settings.paths.*value.field});
    for (const ChoiceValue& value : kOptionChoices)
        values.push_back(
            {std::string("OPTIONS/") + value.name, std::to_string(value.stored(settings.options))});
    for (const IntValue& value : kOptionInts)
        values.push_back(
            {std::string("OPTIONS/") + value.name, std::to_string(settings.options.*value.field)});
    for (const StringValue& value : kOptionStrings)
        values.push_back({std::string("OPTIONS/") + value.name, settings.options.*value.field});
    for (const TextValue& value : kOptionTexts)
        values.push_back({std::string("OPTIONS/") + value.name, settings.options.*value.field});
    return values;
}

std::optional<SettingRefusal> SettingsStore::set(const std::string& name,
                                                 const std::string& value) {
    QSettings store = openSettings();
    if (std::optional<std::string> refusal = setValue(store, name, value))
        return SettingRefusal{std::move(*refusal), false};
    // A value is set only when it has reached the file.
    store.sync();
    if (store.status() != QSettings::NoError)
        return SettingRefusal{"the settings could not be saved to " +
                                  store.fileName().toLocal8Bit().toStdString() +
                                  "; check that its folder can be written",
                              true};
    return std::nullopt;
}

std::optional<std::string> SettingsStore::setValue(QSettings& store, const std::string& name,
                                                   const std::string& value) {
    const auto setInt = [&](const char* section, const char* valueName, int minimum,
                            int maximum) -> std::optional<std::string> {
        const auto number = parseInt(value);
        if (!number || *number < minimum || *number > maximum)
            return rangeError(name, minimum, maximum);
        store.setValue(key(section, valueName), *number);
        return std::nullopt;
    };
    if (name == "PATHS/DURING_SESSION")
        return setInt("PATHS", "DURING_SESSION", 0, 1);
    if (name == "PATHS/BETWEEN_SESSIONS")
        return setInt("PATHS", "BETWEEN_SESSIONS", 0, 1);
    for (const PathValue& path : kPathStrings) {
        if (name == std::string("PATHS/") + path.name) {
            if (!directoryExists(value))
                return "not an existing directory: " + value;
            // Stored absolute: a relative path would name another folder
            // from every other working directory.
            const std::string absolute =
                std::filesystem::absolute(value).lexically_normal().string();
            store.setValue(key("PATHS", path.name),
                           QString::fromLocal8Bit(withTrailingSlash(absolute).c_str()));
            return std::nullopt;
        }
    }
    for (const ChoiceValue& option : kOptionChoices)
        if (name == std::string("OPTIONS/") + option.name)
            return setInt("OPTIONS", option.name, 0, option.maximum);
    for (const IntValue& option : kOptionInts)
        if (name == std::string("OPTIONS/") + option.name)
            return setInt("OPTIONS", option.name, option.minimum, option.maximum);
    for (const StringValue& option : kOptionStrings) {
        if (name == std::string("OPTIONS/") + option.name) {
            if (!isLanguageFor(value, option.role))
                return "not a " +
                       std::string(option.role == LanguageRole::Source ? "source" : "target") +
                       " language: " + value;
            store.setValue(key("OPTIONS", option.name), QString::fromLocal8Bit(value.c_str()));
            return std::nullopt;
        }
    }
    for (const TextValue& option : kOptionTexts) {
        if (name == std::string("OPTIONS/") + option.name) {
            store.setValue(key("OPTIONS", option.name), QString::fromLocal8Bit(value.c_str()));
            return std::nullopt;
        }
    }
    return "unknown setting: " + name + " (see 'quillex settings')";
}

std::string SettingsStore::fileName() {
    return openSettings().fileName().toLocal8Bit().toStdString();
}

int storedChoice(const OptionSettings& options, std::string_view name) {
    const ChoiceValue* value = findChoice(name);
    return value != nullptr ? value->stored(options) : 0;
}

bool setStoredChoice(OptionSettings& options, std::string_view name, int number) {
    const ChoiceValue* value = findChoice(name);
    return value != nullptr && value->set(options, number);
}

ConversionOptions makeConversionOptions(const Settings& settings) {
    const OptionSettings& o = settings.options;
    ConversionOptions options;
    options.rtfPageSize = o.rtfPageSize;
    options.overwriteFiles = o.overwriteFiles;
    options.fileFormatForQmx = o.fileFormatForQmx;
    options.characterSetText = o.characterSetText;
    options.sourceHyphenation = o.sourceHyphenation;
    options.translationHyphenation = o.translationHyphenation;
    options.smartQuotes = o.smartQuotes;
    options.readOnlyComponents = o.readOnlyComponents;
    options.sourceLanguageSelection = o.sourceLanguageSelection;
    options.targetLanguageSelection = o.targetLanguageSelection;
    options.markerPlaceholders = o.markerPlaceholders;
    options.parserDiagnostics = o.debug != 0;
    options.machineReports = o.machineReports;
    lookupLanguage(o.sourceLanguage, LanguageRole::Source, options.sourceLanguage);
    lookupLanguage(o.targetLanguage, LanguageRole::Target, options.targetLanguage);
    if (settings.paths.duringSession != 0) {
        options.sourceDirectory = settings.paths.sourceFiles;
        options.orgDirectory = settings.paths.orgFiles;
        options.translatedDirectory = settings.paths.translatedFiles;
    }
    return options;
}

} // namespace quillex
