// The language table: a language name as chosen in the settings gives a
// Windows code page, an Interleaf language name and a two-letter code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillex {

struct LanguageRecord {
    std::string name = "English (US)";
    int codePage = 1252;
    std::string languageAttribute = "USEnglish";
    std::string languageCode = "am";
};

enum class LanguageRole { Source, Target };

// Fills `record` for `name`. Any name beginning "Japanese" takes the Japanese
// row. A name in no row keeps the code page, the language attribute and the
// name already in `record`, and sets the code to "nl"; the result is then
// false for the source role (true otherwise).
bool lookupLanguage(std::string_view name, LanguageRole role, LanguageRecord& record);

// True when `name` is offered in the settings' list of languages for `role`:
// "Japanese (EUC)" is a target language only.
bool isLanguageFor(std::string_view name, LanguageRole role);

// Every language name the table knows, in table order, the Japanese ones
// first.
std::vector<std::string_view> languageNames();

// True when the source language selects Japanese-source (Shift-JIS) mode.
bool isJapaneseShiftJisSource(std::string_view sourceLanguage);

} // namespace quillex
