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

int Production::fieldPosition(const std::string& label) const {
    for (const ProductionField& f : fields)
        if (f.label == label)
            return static_cast<int>(f.position);
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

// A right-hand-side word: a symbol and the field label that may follow it,
// as in INTEGER(major).
struct RhsWord {
    std::string symbol;
    std::string label; // empty when unlabelled
};

RhsWord splitLabel(const std::string& word) {
    const std::size_t open = word.find('(');
    if (word.front() == '"' || open == std::string::npos)
        return {word, ""};
    if (open == 0)
        throw DefinitionError("field label " + word + " follows no symbol");
    if (word.back() != ')')
        throw DefinitionError("SYMBOL(label) expected, found " + word);
    const std::string label = word.substr(open + 1, word.size() - open - 2);
    if (!isIdentifier(label))
        throw DefinitionError("field label '" + label + "' is no identifier");
    return {word.substr(0, open), label};
}

void readName(const Grammar& g, Production& p, const std::string& name) {
    if (!isIdentifier(name))
        throw DefinitionError("production name '" + name + "' is no identifier");
    for (const Production& other : g.productions)
        if (other.name == name)
            throw DefinitionError("production name " + name + " used twice");
    p.name = name;
}

void readRhs(const Grammar& g, Production& p, const std::string& word) {
    const RhsWord rhs = splitLabel(word);
    const int symbol = g.findSymbol(unquoted(rhs.symbol));
    if (symbol < 0)
        throw DefinitionError("unknown symbol " + rhs.symbol);
    if (!rhs.label.empty()) {
        for (const ProductionField& f : p.fields)
            if (f.label == rhs.label)
                throw DefinitionError("field label " + rhs.label + " used twice");
        p.fields.push_back({rhs.label, p.rhs.size()});
    }
    p.rhs.push_back(symbol);
}

bool isKindName(const std::string& word) {
    return !word.empty() && word.front() >= 'A' && word.front() <= 'Z';
}

// The words after "=>", checked against the production they act for.
void readAction(const Grammar& g, Production& p, const std::vector<std::string>& w) {
    if (w.empty())
        throw DefinitionError("an action after =>");
    for (const std::string& word : w)
        if (!isIdentifier(word))
            throw DefinitionError("action word '" + word + "' is no identifier");
    p.action.verb = w[0];
    p.action.arguments.assign(w.begin() + 1, w.end());
    if (p.action.folds()) {
        if (!p.action.arguments.empty() || p.rhs.size() != 2 || p.rhs[0] != p.lhs ||
            !g.isTerminal(p.rhs[1]))
            throw DefinitionError("fold is for a production LIST : LIST TERMINAL");
        return;
    }
    if (p.action.refuses()) {
        if (p.action.arguments.size() != 1 || !isKindName(p.action.arguments[0]))
            throw DefinitionError("refuse takes one result code");
        return;
    }
    for (const std::string& argument : p.action.arguments)
        if (!isKindName(argument) && p.fieldPosition(argument) < 0)
            throw DefinitionError("'" + argument + "' is neither a piece kind nor a field of " +
                                  p.name);
}

void readProduction(Grammar& g, std::vector<std::string> w, int line) {
    std::vector<std::string> action;
    for (std::size_t i = 0; i < w.size(); ++i)
        if (w[i] == "=>") {
            action.assign(w.begin() + static_cast<std::ptrdiff_t>(i) + 1, w.end());
            w.resize(i);
            if (action.empty())
                throw DefinitionError("an action after =>");
            break;
        }
    if (w.size() < 4 || w[3] != ":")
        throw DefinitionError("NUMBER NAME LHS : RHS... expected");
    if (parseNumber(w[0]) != static_cast<long>(g.productions.size()))
        throw DefinitionError("production " + w[0] + " out of order, expected " +
                              std::to_string(g.productions.size()));
    Production p;
    p.line = line;
    readName(g, p, w[1]);
    p.lhs = g.findSymbol(w[2]);
    if (p.lhs < 0 || g.isTerminal(p.lhs))
        throw DefinitionError("'" + w[2] + "' is not a declared nonterminal");
    for (std::size_t i = 4; i < w.size(); ++i)
        readRhs(g, p, w[i]);
    if (!action.empty())
        readAction(g, p, action);
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
