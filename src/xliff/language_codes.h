// Language names as the settings spell them, and the BCP 47 tags that XLIFF
// and translation tools use for them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillex::xliff {

// The tag of a language name ("French" gives "fr-FR"); "und" (undetermined)
// for a name the table lacks, such as "None".
std::string_view languageTagOf(std::string_view languageName);

// The language name of a BCP 47 tag as a tool may write it ("fr-FR",
// "fr_fr"; a bare "fr" as "fr-FR" where the table has that, else where only
// one name has that language); nothing for a tag the table does not have.
std::optional<std::string> languageNameOfTag(std::string_view tag);

// The code page of a language name; throws std::runtime_error for a name the
// language table does not know.
int codePageOfLanguage(const std::string& languageName);

} // namespace quillex::xliff
