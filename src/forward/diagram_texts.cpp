// The texts of diagram objects.
#include "forward/diagram_texts.h"

#include "qmx/character_code.h"
#include "qmx/diagram_text.h"

namespace quillex {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

std::string convertDiagramLine(std::string_view line, const CharacterSettings& settings) {
    return convertCharacterCodes(unescapeDiagramText(line), CodeContext::Body, settings.smartQuotes,
                                 settings.japaneseSource);
}

std::string diagramName(std::string_view field) {
    while (!field.empty() && isBlank(field.front()))
        field.remove_prefix(1);
    while (!field.empty() && isBlank(field.back()))
        field.remove_suffix(1);
    if (field.size() < 2 || field.front() != '"' || field.back() != '"')
        return std::string(field);
    field = field.substr(1, field.size() - 2);
    std::string name;
    name.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        name += field[i];
        if (field[i] == '"' && i + 1 < field.size() && field[i + 1] == '"')
            ++i;
    }
    return name;
}

} // namespace quillex
