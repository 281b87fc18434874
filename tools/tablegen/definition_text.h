// Small helpers shared by the definition readers: splitting lines into words.
#pragma once

#include <string>
#include <vector>

namespace quillex::tablegen {

// The line without a trailing CR and without blanks at both ends.
std::string trimmed(const std::string& line);

// Splits on blanks; a word in double quotes may hold blanks and keeps its
// quotes.
std::vector<std::string> words(const std::string& text);

// Parses a decimal integer word, with an optional minus sign; throws
// DefinitionError when the word is not one.
long parseNumber(const std::string& word);

// The text of a quoted word without its quotes, or the word itself.
std::string unquoted(const std::string& word);

// Whether the word can name something in C++: a letter or underscore, then
// letters, digits and underscores.
bool isIdentifier(const std::string& word);

} // namespace quillex::tablegen
