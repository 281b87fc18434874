// Vocabulary: the words and characters that generated documents are made of.
#pragma once

#include "random_source.h"

#include <string>
#include <string_view>

namespace quillex::docgen {

// An English word of a technical manual.
std::string_view englishWord(RandomSource& random);

// A word of one to six Shift-JIS characters: hiragana, katakana, kanji and
// now and then a half-width katakana byte. With `diagramSafe` no character
// has a backslash (0x5C) as its second byte, which diagram data would take
// for an escape.
std::string japaneseWord(RandomSource& random, bool diagramSafe);

// A JIS X 0208 kanji run: ESC "$B", pairs of 7-bit bytes, ESC "(B".
std::string kanjiRun(RandomSource& random);

// An Interleaf character code tag such as "<#e9>" or "<#0104>"; in Japanese
// mode some are double-byte codes of rows 2 to 47.
std::string characterCode(RandomSource& random, bool japanese);

// A Western 8-bit letter (code page 1252) for running text.
char westernLetter(RandomSource& random);

} // namespace quillex::docgen
