// The table of BCP 47 tags for the languages of the language table.
#include "xliff/language_codes.h"

#include "conversion/language_table.h"
#include "foundation/ascii_case.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace quillex::xliff {
namespace {

struct LanguageTag {
    std::string_view name;
    std::string_view tag;
};

constexpr std::array<LanguageTag, 44> kTags = {{
    {"Chinese (Simplified)", "zh-CN"},
    {"Chinese (Traditional)", "zh-TW"},
    {"Korean", "ko-KR"},
    {"Albanian", "sq-AL"},
    {"Croatian", "hr-HR"},
    {"Czech", "cs-CZ"},
    {"Hungarian", "hu-HU"},
    {"Polish", "pl-PL"},
    {"Romanian", "ro-RO"},
    {"Serbian", "sr-RS"},
    {"Slovak", "sk-SK"},
    {"Slovenian", "sl-SI"},
    {"Bulgarian", "bg-BG"},
    {"Byelorussian", "be-BY"},
    {"Russian", "ru-RU"},
    {"Ukrainian", "uk-UA"},
    {"Basque", "eu-ES"},
    {"Faeroese", "fo-FO"},
    {"Icelandic", "is-IS"},
    {"Catalan", "ca-ES"},
    {"Danish", "da-DK"},
    {"Dutch", "nl-NL"},
    {"English (AUS)", "en-AU"},
    {"English (UK)", "en-GB"},
    {"English (US)", "en-US"},
    {"Finnish", "fi-FI"},
    {"French", "fr-FR"},
    {"French (Canadian)", "fr-CA"},
    {"German", "de-DE"},
    {"German (Swiss)", "de-CH"},
    {"Italian", "it-IT"},
    {"Norwegian", "nb-NO"},
    {"Norwegian (Nynorsk)", "nn-NO"},
    {"Portuguese", "pt-PT"},
    {"Portuguese (Brazilian)", "pt-BR"},
    {"Spanish", "es-ES"},
    {"Swedish", "sv-SE"},
    {"Greek", "el-GR"},
    {"Turkish", "tr-TR"},
    {"Estonian", "et-EE"},
    {"Latvian", "lv-LV"},
    {"Lithuanian", "lt-LT"},
    {"None", "und"},
    {"Japanese", "ja-JP"},
}};

} // namespace

std::string_view languageTagOf(std::string_view languageName) {
    // Every Japanese variant ("Japanese (Shift-JIS)", "Japanese (EUC)") is
    // the same language.
    if (languageName.starts_with("Japanese"))
        return "ja-JP";
    for (const LanguageTag& entry : kTags)
        if (entry.name == languageName)
            return entry.tag;
    return "und";
}

std::optional<std::string> languageNameOfTag(std::string_view tag) {
    std::string wanted = upperCaseAscii(tag);
    std::replace(wanted.begin(), wanted.end(), '_', '-');
    const bool bare = wanted.find('-') == std::string::npos;
    std::optional<std::string> found;
    for (const LanguageTag& entry : kTags) {
        const std::string candidate = upperCaseAscii(entry.tag);
        // "fr" is the French of France ("fr-FR") where the table has it.
        if (candidate == wanted || (bare && candidate == wanted + "-" + wanted))
            return std::string(entry.name);
        if (bare && candidate.starts_with(wanted + "-")) {
            found = found ? std::string() : std::string(entry.name); // "en": which English?
        }
    }
    return found && !found->empty() ? found : std::nullopt;
}

int codePageOfLanguage(const std::string& languageName) {
    LanguageRecord record;
    if (!lookupLanguage(languageName, LanguageRole::Source, record) &&
        !isLanguageFor(languageName, LanguageRole::Target))
        throw std::runtime_error("unknown language \"" + languageName + "\"");
    return record.codePage;
}

} // namespace quillex::xliff
