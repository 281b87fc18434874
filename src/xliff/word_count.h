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

#include "xliff/qmx_source.h"

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

struct FileCounts {
    std::string name;
    TextCounts counts;
};

// The counts of each file, repetitions found across the whole batch in the
// order of `files`.
std::vector<FileCounts> countFiles(const std::vector<QmxSource>& files);

// The words of a UTF-8 text by the rule above.
long countWords(std::string_view utf8);

} // namespace quillex::xliff
