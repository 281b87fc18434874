// Writing the generated symbol header.
#include "symbol_header.h"

#include "definition_text.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <vector>

namespace quillex::tablegen {

namespace {

// The identifier of a token in the header, checked to exist.
const std::string& tokenIdentifier(const TokenDefinition& token) {
    if (token.identifier.empty())
        throw DefinitionError("token " + std::to_string(token.number) + " \"" + token.name +
                              "\" needs an identifier for the symbol header");
    return token.identifier;
}

// Token identifiers and nonterminal names share one namespace in the header.
void checkIdentifiersUnique(const LexerDefinition& lexer, const Grammar& grammar) {
    std::set<std::string> used{"EOF_TOKEN", "ERROR_TOKEN"};
    const auto claim = [&](const std::string& identifier) {
        if (!used.insert(identifier).second)
            throw DefinitionError("identifier " + identifier + " names two symbols");
    };
    for (const TokenDefinition& t : lexer.tokens)
        claim(tokenIdentifier(t));
    for (const GrammarSymbol& s : grammar.symbols)
        if (!s.terminal)
            claim(s.name);
}

// A C++ string literal of the text.
std::string literal(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// The production as the grammar definition writes it, labels included.
std::string ruleText(const Grammar& grammar, const Production& p) {
    std::string text = grammar.symbols[p.lhs].name + " :";
    for (std::size_t i = 0; i < p.rhs.size(); ++i) {
        const GrammarSymbol& symbol = grammar.symbols[p.rhs[i]];
        text += ' ' + (isIdentifier(symbol.name) ? symbol.name : '"' + symbol.name + '"');
        for (const ProductionField& f : p.fields)
            if (f.position == i)
                text += '(' + f.label + ')';
    }
    return text;
}

void writeTokens(std::ostream& out, const LexerDefinition& lexer) {
    out << "// Tokens the parser sees, with the end of input and the parser's error\n"
           "// token. Numbers missing here belong to ignored tokens.\n"
           "enum Token : std::int32_t {\n"
           "    EOF_TOKEN = -1,\n"
           "    ERROR_TOKEN = -2,\n";
    for (const TokenDefinition& t : lexer.tokens)
        out << "    " << t.identifier << " = " << t.number << ",\n";
    out << "};\n\n";
}

void writeTokenNames(std::ostream& out, const LexerDefinition& lexer) {
    std::int32_t highest = 0;
    for (const TokenDefinition& t : lexer.tokens)
        highest = std::max(highest, t.number);
    std::vector<const TokenDefinition*> byNumber(static_cast<std::size_t>(highest) + 1);
    for (const TokenDefinition& t : lexer.tokens)
        byNumber[static_cast<std::size_t>(t.number)] = &t;

    out << "// Token names by number, for messages; null for numbers without a name.\n"
           "inline constexpr const char* kTokenNames["
        << byNumber.size() << "] = {\n";
    for (std::size_t n = 0; n < byNumber.size(); ++n) {
        if (byNumber[n] != nullptr)
            out << "    " << literal(byNumber[n]->name) << ", // " << n << '\n';
        else
            out << "    nullptr, // " << n << '\n';
    }
    out << "};\n\n";
}

void writeNonterminals(std::ostream& out, const Grammar& grammar) {
    out << "// Nonterminals, numbered as in the parser table.\n"
           "enum Nonterminal : std::uint32_t {\n";
    for (const GrammarSymbol& s : grammar.symbols)
        if (!s.terminal)
            out << "    " << s.name << " = " << s.number << ",\n";
    out << "};\n\n";
}

void writeProductions(std::ostream& out, const Grammar& grammar) {
    out << "// Productions, numbered as the reduce callback receives them.\n"
           "enum class Production : std::uint32_t {\n";
    for (std::size_t n = 0; n < grammar.productions.size(); ++n) {
        const Production& p = grammar.productions[n];
        out << "    " << p.name << " = " << n << ", // " << ruleText(grammar, p) << '\n';
    }
    out << "};\n\n"
           "inline constexpr std::uint32_t kProductionCount = "
        << grammar.productions.size() << ";\n\n";
}

// What the engine may do for a production without the parse actions.
void writeEngineSets(std::ostream& out, const Grammar& grammar) {
    out << "// By production: whether it has no action and one symbol, whose element the\n"
           "// engine hands on as the left side without calling the actions.\n"
           "inline constexpr bool kPassesThrough[kProductionCount] = {\n";
    for (const Production& p : grammar.productions)
        out << "    " << (p.passesThrough() ? "true" : "false") << ", // " << p.name << '\n';
    out << "};\n\n"
           "// By production: whether it is a list of words or layout (\"=> fold\"), whose\n"
           "// element widens over the terminal and nothing else happens.\n"
           "inline constexpr bool kFoldsInPlace[kProductionCount] = {\n";
    for (const Production& p : grammar.productions)
        out << "    " << (p.action.folds() ? "true" : "false") << ", // " << p.name << '\n';
    out << "};\n\n";
}

void writeFields(std::ostream& out, const Grammar& grammar) {
    out << "// The right-hand-side positions the parse actions read, by production\n"
           "// and field label.\n"
           "namespace rhs {\n";
    for (std::size_t n = 0; n < grammar.productions.size(); ++n) {
        const Production& p = grammar.productions[n];
        if (p.fields.empty())
            continue;
        out << "\n// " << n << ' ' << ruleText(grammar, p) << "\n"
            << "struct " << p.name << " {\n";
        for (const ProductionField& f : p.fields)
            out << "    static constexpr std::size_t " << f.label << " = " << f.position << ";\n";
        out << "};\n";
    }
    out << "\n} // namespace rhs\n\n";
}

// The call a production's action makes, as the dispatch writes it.
std::string actionCall(const Production& p) {
    const ProductionAction& action = p.action;
    if (action.refuses())
        return "actions.refuse(Actions::Refusal::" + action.arguments[0] + ")";
    std::string call = "actions." + action.verb + "(p";
    for (const std::string& argument : action.arguments) {
        if (p.fieldPosition(argument) >= 0)
            call += ", rhs::" + p.name + "::" + argument;
        else
            call += ", Actions::Kind::" + argument;
    }
    return call + ")";
}

} // namespace

std::string actionHeader(const Grammar& grammar) {
    std::ostringstream out;
    out << "// The dispatch of the Interleaf parse actions on named productions: for\n"
           "// each production, the call that resources/interleaf_grammar.def writes\n"
           "// after \"=>\". Generated by tools/tablegen; do not edit.\n"
           "#pragma once\n\n"
           "#include \"interleaf_symbols.h\"\n\n"
           "namespace quillex::ileaf {\n\n"
           "// Runs the action of the production `p` reduces: actions.VERB(p, ...), a\n"
           "// piece kind given as Actions::Kind, a refusal's code as Actions::Refusal, a\n"
           "// field as its position. Productions without an action, and folds, do\n"
           "// nothing here.\n"
           "struct ActionDispatch {\n"
           "    template <class Actions, class Reduction>\n"
           "    static void run(Actions& actions, Reduction& p) {\n"
           "        switch (p.production) {\n";
    for (const Production& p : grammar.productions) {
        if (p.action.none() || p.action.folds())
            continue;
        out << "        case Production::" << p.name << ": // " << ruleText(grammar, p) << '\n'
            << "            " << actionCall(p) << ";\n"
            << "            break;\n";
    }
    out << "        default:\n"
           "            break;\n"
           "        }\n"
           "    }\n"
           "};\n\n"
           "} // namespace quillex::ileaf\n";
    return out.str();
}

std::string symbolHeader(const LexerDefinition& lexer, const Grammar& grammar) {
    checkIdentifiersUnique(lexer, grammar);
    std::ostringstream out;
    out << "// The symbols of the Interleaf grammar: tokens, nonterminals, productions\n"
           "// and the right-hand-side fields the parse actions read.\n"
           "// Generated by tools/tablegen from resources/interleaf_lexer.def and\n"
           "// resources/interleaf_grammar.def; do not edit.\n"
           "#pragma once\n\n"
           "#include <cstddef>\n"
           "#include <cstdint>\n\n"
           "namespace quillex::ileaf {\n\n";
    writeTokens(out, lexer);
    writeTokenNames(out, lexer);
    writeNonterminals(out, grammar);
    writeProductions(out, grammar);
    writeEngineSets(out, grammar);
    writeFields(out, grammar);
    out << "} // namespace quillex::ileaf\n";
    return out.str();
}

} // namespace quillex::tablegen
