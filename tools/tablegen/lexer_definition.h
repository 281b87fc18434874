// LexerDefinition: the tokens and expression lists read from a lexer
// definition file.
//
// The file is line oriented; "#" starts a comment line.
//
//   token 4 TEXT                 a token number and its name
//   token 88 "," COMMA           a name may be quoted; a name that is no C++
//                                identifier gives the one the generated
//                                symbol header uses
//   let ws = [\t\n ]             a named fragment, used in patterns as {ws}
//   list 1 23: document body     the rules below belong to lists 1 and 23;
//                                a list may be opened again to add rules
//       "<<"  -> LESS_THAN       PATTERN -> TOKEN [ignore] [push N | pop | goto N]
//
// TOKEN is a declared name or a number. Within a list, earlier rules win
// where two rules accept the same text.
#pragma once

#include "pattern.h"

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace quillex::tablegen {

enum class ListAction { None, Push, Pop, Goto };

// What a rule makes the scanner do when it accepts.
struct Acceptance {
    std::int32_t token = 0;
    bool ignore = false;
    ListAction action = ListAction::None;
    std::uint32_t list = 0; // target of push and goto
    bool operator==(const Acceptance&) const = default;
};

struct LexRule {
    Regex pattern;
    Acceptance accept;
    std::string source; // the rule's text, for messages
    int line = 0;
};

struct ExpressionListDefinition {
    std::string title;
    std::vector<LexRule> rules;
};

struct TokenDefinition {
    std::int32_t number;
    std::string name;
    std::string identifier; // its name in generated C++; empty when it has none
};

struct LexerDefinition {
    std::vector<TokenDefinition> tokens;
    std::vector<ExpressionListDefinition> lists; // indexed by list number

    // The token with this name, or nullptr.
    const TokenDefinition* findToken(const std::string& name) const;
};

// Reads a definition; throws DefinitionError naming `fileName` and the line.
// Checks that lists are numbered 0..N-1 without gaps, that every list has
// rules and that push and goto name existing lists.
LexerDefinition readLexerDefinition(std::istream& in, const std::string& fileName);

} // namespace quillex::tablegen
