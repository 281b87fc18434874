// Regex: the pattern language of the lexer definition, parsed into a tree.
//
// The subset is what the lexical rules need: quoted literals, character
// classes with ranges and negation, "." for any character, references to
// named fragments, grouping, alternation and the postfix operators *, + and ?.
// Blanks between the parts of a pattern are not significant; a literal blank
// is written inside quotes or a class.
#pragma once

#include "char_set.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillex::tablegen {

struct Regex {
    enum class Kind { Empty, Chars, Concat, Alternate, Star, Plus, Optional };
    Kind kind = Kind::Empty;
    CharSet chars;            // Kind::Chars
    std::vector<Regex> parts; // operands of Concat/Alternate, the one operand of the postfixes

    static Regex empty() { return {}; }
    static Regex ofChars(CharSet set);
    static Regex literal(const std::string& bytes);
    static Regex postfix(Kind kind, Regex operand);
};

// A mistake in a definition file, with the place where it was found.
class DefinitionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

using FragmentTable = std::map<std::string, Regex>;

// Parses `text` from position `pos` until its end or an unquoted "->", which is
// left in place. Throws DefinitionError for malformed patterns.
Regex parsePattern(const std::string& text, std::size_t& pos, const FragmentTable& fragments);

// Parses a whole pattern (convenience for fragments and tests).
Regex parsePattern(const std::string& text, const FragmentTable& fragments = {});

} // namespace quillex::tablegen
