// Reader of the grammar definition file.
#include "grammar.h"

#include "definition_text.h"

namespace quillex::tablegen {

int Grammar::findSymbol(const std::string& name) const {
    for (std::size_t i = 0; i < symbols.size(); ++i)
        if (symbols[i].name == name)
            return static_cast<int>(i);
    return -1;
}

namespace {

void readNonterminal(Grammar& g, const std::vector<std::string>& w) {
    if (w.size() != 3)
        throw DefinitionError("nonterminal NUMBER NAME expected");
    const long number = parseNumber(w[1]);
    if (number < 0)
        throw DefinitionError("nonterminal numbers are not negative");
    if (g.findSymbol(w[2]) >= 0)
        throw DefinitionError("symbol " + w[2] + " declared twice");
    for (const GrammarSymbol& s : g.symbols)
        if (s.number == static_cast<std::uint32_t>(number))
            throw DefinitionError("number " + w[1] + " used twice");
    g.symbols.push_back({w[2], static_cast<std::uint32_t>(number), false});
}

void readProduction(Grammar& g, const std::vector<std::string>& w, int line) {
    if (w.size() < 3 || w[2] != ":")
        throw DefinitionError("NUMBER LHS : RHS... expected");
    if (parseNumber(w[0]) != static_cast<long>(g.productions.size()))
        throw DefinitionError("production " + w[0] + " out of order, expected " +
                              std::to_string(g.productions.size()));
    Production p;
    p.line = line;
    p.lhs = g.findSymbol(w[1]);
    if (p.lhs < 0 || g.isTerminal(p.lhs))
        throw DefinitionError("'" + w[1] + "' is not a declared nonterminal");
    for (std::size_t i = 3; i < w.size(); ++i) {
        const int symbol = g.findSymbol(unquoted(w[i]));
        if (symbol < 0)
            throw DefinitionError("unknown symbol " + w[i]);
        p.rhs.push_back(symbol);
    }
    g.productions.push_back(std::move(p));
}

void checkGrammar(const Grammar& g) {
    if (g.productions.empty())
        throw DefinitionError("no productions");
    const Production& start = g.productions[0];
    if (start.rhs.size() != 2 || g.isTerminal(start.rhs[0]) || start.rhs[1] != g.eof)
        throw DefinitionError("production 0 must read: goal : START eof");
    for (std::size_t i = 1; i < g.productions.size(); ++i)
        for (int s : g.productions[i].rhs)
            if (s == g.eof || s == start.lhs)
                throw DefinitionError("production " + std::to_string(i) +
                                      " uses eof or the goal symbol");
    for (std::size_t s = 0; s < g.symbols.size(); ++s) {
        if (g.symbols[s].terminal)
            continue;
        bool defined = false;
        for (const Production& p : g.productions)
            defined = defined || p.lhs == static_cast<int>(s);
        if (!defined)
            throw DefinitionError("nonterminal " + g.symbols[s].name + " has no productions");
    }
}

} // namespace

Grammar readGrammar(std::istream& in, const std::string& fileName,
                    const std::vector<TokenDefinition>& tokens) {
    Grammar g;
    for (const TokenDefinition& t : tokens)
        g.symbols.push_back({t.name, static_cast<std::uint32_t>(t.number), true});
    g.eof = static_cast<int>(g.symbols.size());
    g.symbols.push_back({"eof", kEofToken, true});

    std::string line;
    int lineNumber = 0;
    try {
        while (std::getline(in, line)) {
            ++lineNumber;
            const std::string text = trimmed(line);
            if (text.empty() || text[0] == '#')
                continue;
            const std::vector<std::string> w = words(text);
            if (w[0] == "nonterminal")
                readNonterminal(g, w);
            else
                readProduction(g, w, lineNumber);
        }
        checkGrammar(g);
    } catch (const DefinitionError& e) {
        throw DefinitionError(fileName + ":" + std::to_string(lineNumber) + ": " + e.what());
    }
    return g;
}

} // namespace quillex::tablegen
