// A translation memory: the units of finished translations, each source
// paragraph with its translation and where it stood (its class and the
// paragraphs before and after it), and the pre-filling of an export from it.
//
// A memory comes from QMX files aligned line by line (the lines of a
// translated QMX file are those of its source) or from a TMX file.
#pragma once

#include "xliff/held_back_units.h"
#include "xliff/qmx_source.h"
#include "xliff/xliff_document.h"

#include <string>
#include <utility>
#include <vector>

namespace quillex::xliff {

struct MemoryUnit {
    UnitContent source;
    UnitContent target;
    // Where the source stood, empty when not known (a TMX file of another
    // tool): the paragraph tag without its numbers, and the texts of the
    // units to translate before and after it.
    std::string context;
    std::string previous;
    std::string next;
};

struct TranslationMemory {
    std::string sourceLanguage; // language names as the settings spell them, or
    std::string targetLanguage; // tags ("fr") when read from another tool's TMX
    std::vector<MemoryUnit> units;
};

// The text by which units are matched: the text with each code's tag text in
// place, as tools that know no codes hold it.
std::string matchText(const UnitContent& content);

// The paragraph tag of a prefix without its numbers: <ps "para"> for
// <ps "para" 7>.
std::string contextOf(std::string_view prefix);

// The units of `translated` aligned with those of `source`, line by line:
// every line with text to translate whose translation differs from it and
// keeps its codes. Lines of `heldBack` are left out. Throws
// std::runtime_error when the two files do not have the same lines.
std::vector<MemoryUnit> alignedUnits(const QmxSource& source, const QmxSource& translated,
                                     const std::string& targetLanguage,
                                     const HeldBackText& heldBack);

// A source QMX file and its translation.
struct TranslationPair {
    std::string source;
    std::string translated;
};

// The memory of `pairs`: each translation aligned with its source, units
// that repeat one another kept once. A translation whose <language> line
// names a language other than its source's is in that language; one that
// still names its source's is in `targetLanguage`. Every pair must have the
// same two languages. Throws std::runtime_error naming the file at fault.
TranslationMemory memoryOfTranslations(const std::vector<TranslationPair>& pairs,
                                       const std::string& targetLanguage,
                                       const HeldBackText& heldBack);

// Pre-fills the targets of `file` from `memory`: a unit whose source, class
// and neighbours are those of a memory unit is marked an in-context match;
// one whose source alone is, an exact match. Units that a tool could not
// take back unchanged (codes that differ) are left empty. Returns the number
// of units of each kind.
struct PrefillCounts {
    long inContext = 0;
    long exact = 0;
};
PrefillCounts prefillFromMemory(XliffFile& file, const TranslationMemory& memory);

// `target` with the codes of `source`: each code of the target (or tag text
// in its text, from a tool that holds codes as text) taken as the source code
// of the same tag text. Nothing when a code of either has no counterpart (an
// internal tag in the text included) or a pair closes before it opens.
std::optional<UnitContent> withCodesOf(const UnitContent& target, const UnitContent& source);

} // namespace quillex::xliff
