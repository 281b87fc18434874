// A translation memory as a TMX 1.4 file: one <tu> per unit with a <tuv> for
// each language, codes as TMX's inline elements (<ph>, <bpt>/<ept>, <it>)
// holding the exact tag text, and where the unit stood as <prop> elements
// that other tools keep and ignore.
#pragma once

#include "xliff/translation_memory.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace quillex::xliff {

// Thrown for a TMX file that cannot be read: what is wrong and where.
class TmxError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The TMX document of `memory`, UTF-8.
std::string writeTmx(const TranslationMemory& memory);

// The units of a TMX document whose translation is in `targetLanguage` (a
// language name as the settings spell it): the variant of that language's
// tag, else of its primary subtag ("fr" for "fr-FR"). Units without one are
// left out. Throws TmxError.
TranslationMemory readTmx(std::string_view bytes, const std::string& targetLanguage);

} // namespace quillex::xliff
