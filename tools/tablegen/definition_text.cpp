// Helpers shared by the definition readers.
#include "definition_text.h"

#include "pattern.h"

#include <cctype>

namespace quillex::tablegen {

std::string trimmed(const std::string& line) {
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(line[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(line[end - 1])))
        --end;
    return line.substr(begin, end - begin);
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> result;
    std::size_t i = 0;
    while (i < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        if (text[i] == '"') {
            end = text.find('"', i + 1);
            end = end == std::string::npos ? text.size() : end + 1;
        } else {
            while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])))
                ++end;
        }
        result.push_back(text.substr(i, end - i));
        i = end;
    }
    return result;
}

long parseNumber(const std::string& word) {
    std::size_t i = word.size() > 1 && word[0] == '-' ? 1 : 0;
    if (i == word.size())
        throw DefinitionError("number expected, found '" + word + "'");
    for (std::size_t j = i; j < word.size(); ++j)
        if (!std::isdigit(static_cast<unsigned char>(word[j])))
            throw DefinitionError("number expected, found '" + word + "'");
    return std::stol(word);
}

std::string unquoted(const std::string& word) {
    if (word.size() >= 2 && word.front() == '"' && word.back() == '"')
        return word.substr(1, word.size() - 2);
    return word;
}

bool isIdentifier(const std::string& word) {
    if (word.empty() || std::isdigit(static_cast<unsigned char>(word[0])))
        return false;
    for (const char c : word)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    return true;
}

} // namespace quillex::tablegen
