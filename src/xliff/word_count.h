// Word and segment counts of QMX files, as a translator quotes a price: per
// file and in total, the translatable words, characters and segments, the
// segments repeated within the batch, and what is kept out of translation.
//
// Words are counted the way the usual counting tools do it: the text is cut
// at white space, punctuation is stripped from both ends of each piece, and
// every piece with something left is a word; a full stop between two
// characters that are not digits also separates words. Internal tags that
// stand for space (tabs, hard spaces, the special spaces, hard returns)
// separate words; other tags (font changes, references) are not text.
#pragma once

#include "xliff/count_rules.h"
#include "xliff/held_back_units.h"
#include "xliff/qmx_source.h"

#include <cstdint>

#include <string>
#include <string_view>
#include <vector>

namespace quillex::xliff {

struct TextCounts {
    long segments = 0; // lines with text to translate
    long words = 0;
    long characters = 0;       // of the text, blanks included, tags left out
    long repeatedSegments = 0; // exact repetitions of an earlier segment of the batch
    long repeatedWords = 0;
    long readOnlyWords = 0; // text shown in tags for reference only (read-only, shared)
    long hidden = 0;        // hidden components and rows (their text is not in the file)

    TextCounts& operator+=(const TextCounts& other);
};

// What a count leaves out and which rule it counts words by.
struct CountSettings {
    HeldBackText heldBack;
    CountRule rule = CountRule::Quillex;
};

struct FileCounts {
    std::string name;
    TextCounts counts;
};

// The counts of each file, repetitions found across the whole batch in the
// order of `files`.
std::vector<FileCounts> countFiles(const std::vector<QmxSource>& files,
                                   const CountSettings& settings = {});

// The words of a UTF-8 text by the rule above.
long countWords(std::string_view utf8);

// The character classes of the rule, which the other rules share: Unicode
// white space, the punctuation stripped from the ends of a word, and the
// code points of a UTF-8 text.
bool isSpace(std::uint32_t c);
bool isPunctuation(std::uint32_t c);
std::vector<std::uint32_t> codePoints(std::string_view utf8);

} // namespace quillex::xliff
