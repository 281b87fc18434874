// BackwardContext: what the stages of the backward conversion share.
//
// The re-parse of the skeleton rebuilds the tag replacements (QMX tag text to
// the Interleaf markup it stands for); the driver completes them with the
// fixed entries and owns the flags below. Every stage that turns translated
// lines back into Interleaf markup reads them through this one record.
#pragma once

#include "conversion/conversion_host.h"
#include "forward/tag_registry.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillex::backward {

// The forward conversion's map: keys and values view texts its registry
// (or the code: constants) keeps.
using TagMap = TagRegistry::TagMap;

struct BackwardContext {
    // QMX tag text -> Interleaf markup.
    const TagMap* tagReplacements = nullptr;
    // The target language is a Japanese one: text passes as double-byte
    // characters and lines may be cut one byte wider. The western-font tags
    // of the translation flip it while their text is converted.
    bool japaneseTarget = false;
    // The code page whose bytes text conversion writes as Interleaf markup
    // (the target's; 1252 for the western-font text of a Japanese target).
    int formCodePage = 1252;
    // Interleaf names of the source and target languages, and whether the
    // translation keeps its hyphenation (false: "Turn Off").
    std::string sourceInterleafLanguage;
    std::string targetInterleafLanguage;
    bool keepTranslationHyphenation = true;
    // Set when the translation uses the small-caps or western-font tags,
    // whose classes the output must then declare.
    bool usesQmxClasses = false;
    // Results list; none in tests that do not look at it.
    ConversionHost* host = nullptr;

    // The replacement of `tag`, or null when the table has none.
    const std::string_view* replacementOf(std::string_view tag) const;
};

// A replacement that stands for several Interleaf lines holds each line
// followed by five line feeds. Returns those lines (a remainder after the
// last group is dropped); an empty value gives none. Throws a parser-error
// ConversionFailure when another value holds no group at all.
std::vector<std::string> expandReplacement(std::string_view value);

// The group of line feeds that ends each line of a multi-line replacement.
inline constexpr std::string_view kReplacementLineEnd = "\n\n\n\n\n";

} // namespace quillex::backward
