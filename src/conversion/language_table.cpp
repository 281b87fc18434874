// The language table and its lookup.
#include "conversion/language_table.h"

namespace quillex {
namespace {

struct LanguageRow {
    std::string_view name;
    int codePage;
    std::string_view attribute;
    std::string_view sourceCode;
    std::string_view targetCode;
};

// Japanese is matched by prefix before this table is searched.
constexpr LanguageRow kRows[] = {
    {"Chinese (Simplified)", 936, "NoLanguage", "nl", "nl"},
    {"Chinese (Traditional)", 950, "NoLanguage", "nl", "nl"},
    {"Korean", 949, "NoLanguage", "nl", "nl"},
    {"Albanian", 1250, "NoLanguage", "nl", "nl"},
    {"Croatian", 1250, "NoLanguage", "nl", "nl"},
    {"Czech", 1250, "NoLanguage", "nl", "nl"},
    {"Hungarian", 1250, "NoLanguage", "nl", "nl"},
    {"Polish", 1250, "NoLanguage", "nl", "nl"},
    {"Romanian", 1250, "NoLanguage", "nl", "nl"},
    {"Serbian", 1250, "NoLanguage", "nl", "nl"},
    {"Slovak", 1250, "NoLanguage", "nl", "nl"},
    {"Slovenian", 1250, "NoLanguage", "nl", "nl"},
    {"Bulgarian", 1251, "NoLanguage", "nl", "nl"},
    {"Byelorussian", 1251, "NoLanguage", "nl", "nl"},
    {"Russian", 1251, "NoLanguage", "nl", "nl"},
    {"Ukrainian", 1251, "NoLanguage", "nl", "nl"},
    {"Basque", 1252, "NoLanguage", "nl", "nl"},
    {"Faeroese", 1252, "NoLanguage", "nl", "nl"},
    {"Icelandic", 1252, "NoLanguage", "nl", "nl"},
    {"Catalan", 1252, "Catalan", "nl", "nl"},
    {"Danish", 1252, "Danish", "da", "da"},
    {"Dutch", 1252, "Dutch", "du", "du"},
    {"English (AUS)", 1252, "NoLanguage", "au", "au"},
    {"English (UK)", 1252, "UKEnglish", "br", "br"},
    {"English (US)", 1252, "USEnglish", "am", "am"},
    {"Finnish", 1252, "Finnish", "fi", "fi"},
    {"French", 1252, "French", "fr", "fr"},
    {"French (Canadian)", 1252, "CanadianFrench", "ca", "ca"},
    {"German", 1252, "German", "ge", "ge"},
    {"German (Swiss)", 1252, "SwissGerman", "ge", "nl"},
    {"Italian", 1252, "Italian", "it", "it"},
    {"None", 1252, "NoLanguage", "nl", "nl"},
    {"Norwegian", 1252, "Norwegian", "no", "no"},
    {"Norwegian (Nynorsk)", 1252, "Nynorsk", "nl", "nl"},
    {"Portuguese", 1252, "Portuguese", "po", "po"},
    {"Portuguese (Brazilian)", 1252, "Brazilian", "bp", "nl"},
    {"Spanish", 1252, "Spanish", "sp", "sp"},
    {"Swedish", 1252, "Swedish", "sw", "sw"},
    {"Greek", 1253, "NoLanguage", "nl", "nl"},
    {"Turkish", 1254, "NoLanguage", "nl", "nl"},
    {"Estonian", 1257, "NoLanguage", "nl", "nl"},
    {"Latvian", 1257, "NoLanguage", "nl", "nl"},
    {"Lithuanian", 1257, "NoLanguage", "nl", "nl"},
};

constexpr LanguageRow kJapanese{"Japanese", 932, "NoLanguage", "nl", "nl"};

const LanguageRow* findRow(std::string_view name) {
    if (name.starts_with("Japanese"))
        return &kJapanese;
    for (const LanguageRow& row : kRows)
        if (row.name == name)
            return &row;
    return nullptr;
}

} // namespace

bool lookupLanguage(std::string_view name, LanguageRole role, LanguageRecord& record) {
    const LanguageRow* row = findRow(name);
    if (row == nullptr) {
        // Unknown names keep the previous name, code page and attribute.
        record.languageCode = "nl";
        return role != LanguageRole::Source;
    }
    record.name = std::string(name);
    record.codePage = row->codePage;
    record.languageAttribute = std::string(row->attribute);
    record.languageCode =
        std::string(role == LanguageRole::Source ? row->sourceCode : row->targetCode);
    return true;
}

bool isLanguageFor(std::string_view name, LanguageRole role) {
    if (name == "Japanese (EUC)")
        return role == LanguageRole::Target;
    if (name == "Japanese (Shift-JIS)")
        return true;
    for (const LanguageRow& row : kRows)
        if (row.name == name)
            return true;
    return false;
}

std::vector<std::string_view> languageNames() {
    std::vector<std::string_view> names = {"Japanese (Shift-JIS)", "Japanese (EUC)"};
    for (const LanguageRow& row : kRows)
        names.push_back(row.name);
    return names;
}

bool isJapaneseShiftJisSource(std::string_view sourceLanguage) {
    return sourceLanguage == "Japanese (Shift-JIS)";
}

} // namespace quillex
