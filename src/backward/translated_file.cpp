// Reading and checking the translated QMX file.
#include "backward/translated_file.h"

#include "conversion/language_table.h"
#include "conversion/result_code.h"
#include "foundation/text_file.h"
#include "qmx/line_file.h"
#include "qmx/qmx_header.h"
#include "qmx/rtf_reader.h"

namespace quillex::backward {
namespace {

constexpr std::string_view kLanguageStart = "<language \"";
constexpr std::size_t kShortestLanguageLine = 13; // <language "">

// The header lines and the settings each one may name.
template <class Choice> struct HeaderChoice {
    std::string_view line;
    Choice value;
};
constexpr HeaderChoice<SmartQuotes> kQuotesLines[] = {
    {"<quotes \"As text\">", SmartQuotes::AsText}, {"<quotes \"As tags\">", SmartQuotes::AsTags}};
constexpr HeaderChoice<ReadOnlyComponents> kReadOnlyLines[] = {
    {"<readonly \"Translate\">", ReadOnlyComponents::Translate},
    {"<readonly \"Don't translate\">", ReadOnlyComponents::DontTranslate}};

// The setting that `line` names among `choices`, or `failure`.
template <class Choice, std::size_t N>
Choice chosenValue(const std::string& line, const HeaderChoice<Choice> (&choices)[N],
                   ResultCode failure) {
    for (const HeaderChoice<Choice>& choice : choices)
        if (line == choice.line)
            return choice.value;
    throw ConversionFailure(failure);
}

const std::string& headerLine(const std::vector<std::string>& lines, std::size_t index) {
    if (index >= lines.size())
        throw ConversionFailure(result::UnexpectedEnd);
    return lines[index];
}

bool checkFirstLine(const std::string& line) {
    switch (kindOfFirstLine(line)) {
    case FirstLine::Current:
        return true;
    case FirstLine::FirstVersion:
        throw ConversionFailure(result::QmxVersion1);
    case FirstLine::OtherVersion:
        throw ConversionFailure(result::NewerQmxVersion);
    case FirstLine::OtherSystem:
        throw ConversionFailure(result::FrameMakerQmx);
    case FirstLine::NotQmx:
        break;
    }
    throw ConversionFailure(result::NotQmx);
}

void checkLanguageLine(const std::string& line, ConversionOptions& options) {
    if (!line.starts_with(kLanguageStart) || line.size() < kShortestLanguageLine)
        throw ConversionFailure(result::NoLanguage);
    const std::size_t end = line.find("\">", kLanguageStart.size());
    const std::string name =
        line.substr(kLanguageStart.size(),
                    end == std::string::npos ? std::string::npos : end - kLanguageStart.size());
    LanguageRecord record;
    if (!lookupLanguage(name, LanguageRole::Source, record))
        throw ConversionFailure(result::InvalidLanguage);
    options.sourceLanguage = record;
}

// The text of the first line of the file: all of it when it has no line end.
std::string firstLineOf(const std::string& path) {
    std::string start = readFileStart(path, 64);
    const std::size_t end = start.find_first_of("\r\n");
    return end == std::string::npos ? start : start.substr(0, end);
}

} // namespace

TranslatedFile readTranslatedFile(const std::string& path, ConversionOptions& options) {
    TranslatedFile file;
    // Only a file that opens an RTF document is read as RTF: any other (an
    // empty file, one that starts with a byte order mark) is a text file
    // whose header is then found wanting.
    if (firstLineOf(path).starts_with("{\\rtf"))
        readRtfFile(path, file.lines);
    else
        file.lines = readLineFile(path);
    file.currentVersion = checkFirstLine(headerLine(file.lines, 0));
    checkLanguageLine(headerLine(file.lines, 1), options);
    options.smartQuotes = chosenValue(headerLine(file.lines, 2), kQuotesLines, result::NoQuotes);
    options.readOnlyComponents =
        chosenValue(headerLine(file.lines, 3), kReadOnlyLines, result::NoReadOnly);
    return file;
}

} // namespace quillex::backward
