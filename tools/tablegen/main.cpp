// tablegen: builds the lexer and parser table images from their definitions.
//
//   tablegen LEXER.def GRAMMAR.def TABLES.cpp SYMBOLS.h ACTIONS.h COMPILED.h
//            [REPORT.txt]
//
// Writes TABLES.cpp holding the two images as byte arrays, SYMBOLS.h naming
// the tokens, nonterminals, productions and fields for the parse actions,
// ACTIONS.h dispatching the parse actions on named productions, COMPILED.h
// holding the scanner and parser tables as the constant arrays they read, and
// optionally a readable report of the automata and parser states. Fails (exit
// status 1, no source written) on a malformed definition, a parser
// conflict, a production that is never reduced, or a lexical rule that can
// never be accepted.
#include "compiled_tables.h"
#include "lex_image.h"
#include "source_writer.h"
#include "symbol_header.h"
#include "yacc_image.h"

#include <fstream>
#include <iostream>
#include <sstream>

using namespace quillex::tablegen;

namespace {

std::ifstream openInput(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw DefinitionError("cannot open " + path);
    return in;
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw DefinitionError("cannot write " + path);
}

// A rule no state accepts is a mistake in the definition: earlier rules of
// the same list take every text it matches.
void checkRulesReachable(const LexerDefinition& def, const std::vector<CompiledList>& lists) {
    std::ostringstream problems;
    for (std::size_t l = 0; l < lists.size(); ++l)
        for (std::size_t r = 1; r < lists[l].dfa.ruleAccepted.size(); ++r)
            if (!lists[l].dfa.ruleAccepted[r])
                problems << "list " << l
                         << ": rule never accepted: " << def.lists[l].rules[r - 1].source << '\n';
    if (!problems.str().empty())
        throw DefinitionError(problems.str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 7 && argc != 8) {
        std::cerr << "usage: tablegen LEXER.def GRAMMAR.def TABLES.cpp SYMBOLS.h ACTIONS.h "
                     "COMPILED.h [REPORT.txt]\n";
        return 2;
    }
    try {
        std::ifstream lexIn = openInput(argv[1]);
        const LexerDefinition lexer = readLexerDefinition(lexIn, argv[1]);
        const std::vector<CompiledList> lists = compileLists(lexer);
        checkRulesReachable(lexer, lists);

        std::ifstream grammarIn = openInput(argv[2]);
        const Grammar grammar = readGrammar(grammarIn, argv[2], lexer.tokens);
        const ParserTables tables = buildLalrTables(grammar);

        if (argc == 8)
            writeFile(argv[7], describeLists(lexer, lists) + describeTables(grammar, tables));
        for (const std::string& conflict : tables.conflicts)
            std::cerr << argv[2] << ": conflict in " << conflict << '\n';
        for (int p : tables.unusedProductions)
            std::cerr << argv[2] << ":" << grammar.productions[p].line << ": production " << p
                      << " is never reduced\n";
        if (!tables.conflicts.empty() || !tables.unusedProductions.empty())
            return 1;

        const std::vector<std::uint8_t> lexImage = writeLexImage(lists);
        const std::vector<std::uint8_t> yaccImage = writeYaccImage(grammar, tables);
        const std::string symbols = symbolHeader(lexer, grammar);
        const std::string actions = actionHeader(grammar);
        const std::string compiled = compiledTables(lists, grammar, tables);
        writeFile(argv[3], tableSource(lexImage, yaccImage));
        writeFile(argv[4], symbols);
        writeFile(argv[5], actions);
        writeFile(argv[6], compiled);
        std::cout << "tablegen: " << lists.size() << " expression lists, " << lexImage.size()
                  << " bytes; " << grammar.productions.size() << " productions, "
                  << tables.states.size() << " states, " << yaccImage.size() << " bytes\n";
        return 0;
    } catch (const DefinitionError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}
