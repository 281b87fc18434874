// Language names as the settings spell them, and the BCP 47 tags that XLIFF
// and translation tools use for them.
#pragma once

#include <string>
#include <string_view>

namespace quillex::xliff {

// The tag of a language name ("French" gives "fr-FR"); "und" (undetermined)
// for a name the table lacks, such as "None".
std::string_view languageTagOf(std::string_view languageName);

// The code page of a language name; throws std::runtime_error for a name the
// language table does not know.
int codePageOfLanguage(const std::string& languageName);

} // namespace quillex::xliff
