// QMX header lines.
#include "qmx/qmx_header.h"

namespace quillex {

FirstLine kindOfFirstLine(std::string_view line) {
    if (line.starts_with(kQmxIdentifierLine))
        return FirstLine::Current;
    if (line.starts_with("<qmx \"I"))
        return FirstLine::OtherVersion;
    if (line == "<tfi>")
        return FirstLine::FirstVersion;
    if (line.starts_with("<qmx \"F") || line == "<tf>")
        return FirstLine::OtherSystem;
    return FirstLine::NotQmx;
}

std::vector<std::string> qmxHeaderLines(const ConversionOptions& options) {
    return {
        kQmxIdentifierLine,
        "<language \"" + options.sourceLanguage.name + "\">",
        options.smartQuotes == SmartQuotes::AsTags ? "<quotes \"As tags\">"
                                                   : "<quotes \"As text\">",
        options.readOnlyComponents == ReadOnlyComponents::DontTranslate
            ? "<readonly \"Don't translate\">"
            : "<readonly \"Translate\">",
    };
}

std::vector<std::string> wrapInQmxHeader(const ConversionOptions& options,
                                         std::vector<std::string> body) {
    // The body's lines stay where they are: the header goes in front.
    std::vector<std::string> header = qmxHeaderLines(options);
    body.reserve(header.size() + body.size() + 1);
    body.insert(body.begin(), std::make_move_iterator(header.begin()),
                std::make_move_iterator(header.end()));
    body.emplace_back(kQmxClosingLine);
    return body;
}

} // namespace quillex
