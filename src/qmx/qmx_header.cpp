// QMX header lines.
#include "qmx/qmx_header.h"

namespace quillex {

std::vector<std::string> qmxHeaderLines(const ConversionOptions& options) {
    return {
        kQmxIdentifierLine,
        "<language \"" + options.sourceLanguage.name + "\">",
        options.smartQuotes != 0 ? "<quotes \"As tags\">" : "<quotes \"As text\">",
        options.readOnlyComponents != 0 ? "<readonly \"Don't translate\">"
                                        : "<readonly \"Translate\">",
    };
}

std::vector<std::string> wrapInQmxHeader(const ConversionOptions& options,
                                         std::vector<std::string> body) {
    std::vector<std::string> lines = qmxHeaderLines(options);
    lines.reserve(lines.size() + body.size() + 1);
    for (std::string& line : body)
        lines.push_back(std::move(line));
    lines.emplace_back(kQmxClosingLine);
    return lines;
}

} // namespace quillex
