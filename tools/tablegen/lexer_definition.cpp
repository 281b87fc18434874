// Reader of the lexer definition file.
#include "lexer_definition.h"

#include "definition_text.h"

#include <map>
#include <set>

namespace quillex::tablegen {

const TokenDefinition* LexerDefinition::findToken(const std::string& name) const {
    for (const TokenDefinition& t : tokens)
        if (t.name == name)
            return &t;
    return nullptr;
}

namespace {

class LexerDefinitionReader {
  public:
    explicit LexerDefinitionReader(LexerDefinition& def) : def_(def) {}

    void readLine(const std::string& rawLine, int lineNumber) {
        line_ = lineNumber;
        const std::string line = trimmed(rawLine);
        if (line.empty() || line[0] == '#')
            return;
        const std::vector<std::string> w = words(line);
        if (w[0] == "token")
            readToken(w);
        else if (w[0] == "let")
            readFragment(line);
        else if (w[0] == "list")
            readListHeader(line);
        else
            readRule(line);
    }

    void finish() {
        if (def_.lists.empty())
            throw DefinitionError("no expression lists");
        for (std::size_t i = 0; i < def_.lists.size(); ++i)
            if (def_.lists[i].rules.empty())
                throw DefinitionError("list " + std::to_string(i) + " has no rules");
        for (const auto& [list, line] : listTargets_)
            if (list >= def_.lists.size())
                throw DefinitionError("line " + std::to_string(line) + ": list " +
                                      std::to_string(list) + " does not exist");
    }

  private:
    void readToken(const std::vector<std::string>& w) {
        if (w.size() != 3 && w.size() != 4)
            throw DefinitionError("token NUMBER NAME [IDENTIFIER] expected");
        const long number = parseNumber(w[1]);
        const std::string name = unquoted(w[2]);
        if (number <= 0)
            throw DefinitionError("token numbers start at 1");
        for (const TokenDefinition& t : def_.tokens)
            if (t.number == number || t.name == name)
                throw DefinitionError("token " + w[1] + " " + w[2] + " declared twice");
        std::string identifier = w.size() == 4 ? w[3] : isIdentifier(name) ? name : "";
        if (w.size() == 4 && !isIdentifier(identifier))
            throw DefinitionError("'" + identifier + "' is no identifier");
        def_.tokens.push_back({static_cast<std::int32_t>(number), name, std::move(identifier)});
    }

    void readFragment(const std::string& line) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            throw DefinitionError("let NAME = PATTERN expected");
        const std::string name = trimmed(line.substr(3, equals - 3));
        if (name.empty() || fragments_.count(name))
            throw DefinitionError("fragment name missing or used twice");
        fragments_[name] = parsePattern(trimmed(line.substr(equals + 1)), fragments_);
    }

    void readListHeader(const std::string& line) {
        const std::size_t colon = line.find(':');
        const std::vector<std::string> numbers =
            words(line.substr(4, colon == std::string::npos ? std::string::npos : colon - 4));
        if (numbers.empty())
            throw DefinitionError("list NUMBER...: TITLE expected");
        const std::string title = colon == std::string::npos ? "" : trimmed(line.substr(colon + 1));
        current_.clear();
        for (const std::string& n : numbers) {
            const long number = parseNumber(n);
            if (number < 0 || number > 1000)
                throw DefinitionError("list number out of range");
            if (def_.lists.size() <= static_cast<std::size_t>(number))
                def_.lists.resize(number + 1);
            if (def_.lists[number].title.empty())
                def_.lists[number].title = title;
            current_.push_back(static_cast<std::size_t>(number));
        }
    }

    void readRule(const std::string& line) {
        if (current_.empty())
            throw DefinitionError("rule outside a list");
        std::size_t pos = 0;
        LexRule rule;
        rule.pattern = parsePattern(line, pos, fragments_);
        if (line.compare(pos, 2, "->") != 0)
            throw DefinitionError("'->' expected after the pattern");
        rule.accept = readAcceptance(words(line.substr(pos + 2)));
        rule.source = line;
        rule.line = line_;
        for (std::size_t list : current_)
            def_.lists[list].rules.push_back(rule);
    }

    Acceptance readAcceptance(const std::vector<std::string>& w) {
        if (w.empty())
            throw DefinitionError("token expected after '->'");
        Acceptance accept;
        const TokenDefinition* named = def_.findToken(unquoted(w[0]));
        accept.token = named ? named->number : static_cast<std::int32_t>(parseNumber(w[0]));
        if (accept.token <= 0)
            throw DefinitionError("rules accept positive token numbers");
        std::size_t i = 1;
        if (i < w.size() && w[i] == "ignore") {
            accept.ignore = true;
            ++i;
        }
        if (i < w.size()) {
            if (w[i] == "pop") {
                accept.action = ListAction::Pop;
                ++i;
            } else if (w[i] == "push" || w[i] == "goto") {
                accept.action = w[i] == "push" ? ListAction::Push : ListAction::Goto;
                if (i + 1 >= w.size())
                    throw DefinitionError(w[i] + " needs a list number");
                const long list = parseNumber(w[i + 1]);
                if (list < 0)
                    throw DefinitionError("negative list number");
                accept.list = static_cast<std::uint32_t>(list);
                listTargets_.emplace(accept.list, line_);
                i += 2;
            }
        }
        if (i != w.size())
            throw DefinitionError("unexpected '" + w[i] + "' after the token");
        return accept;
    }

    LexerDefinition& def_;
    FragmentTable fragments_;
    std::vector<std::size_t> current_;
    std::multimap<std::uint32_t, int> listTargets_;
    int line_ = 0;
};

} // namespace

LexerDefinition readLexerDefinition(std::istream& in, const std::string& fileName) {
    LexerDefinition def;
    LexerDefinitionReader reader(def);
    std::string line;
    int lineNumber = 0;
    try {
        while (std::getline(in, line))
            reader.readLine(line, ++lineNumber);
        reader.finish();
    } catch (const DefinitionError& e) {
        throw DefinitionError(fileName + ":" + std::to_string(lineNumber) + ": " + e.what());
    }
    return def;
}

} // namespace quillex::tablegen
