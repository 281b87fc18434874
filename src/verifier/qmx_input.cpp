// Reading and checking QMX files for the verifier.
#include "verifier/qmx_input.h"

#include "conversion/result_code.h"
#include "qmx/line_file.h"
#include "qmx/qmx_header.h"
#include "qmx/rtf_reader.h"
#include "verifier/segment_scanner.h"

namespace quillex::verifier {
namespace {

constexpr std::string_view kLanguageStart = "<language \"";
constexpr std::string_view kEmptyLanguage = "<language \"\">";
constexpr std::size_t kHeaderLines = 4;

ResultCode codeForFirstLine(std::string_view line) {
    switch (kindOfFirstLine(line)) {
    case FirstLine::OtherVersion:
        return result::NewerQmxVersion;
    case FirstLine::OtherSystem:
        return result::FrameMakerQmx;
    default:
        return result::NotQmx;
    }
}

// Up to `count` lines from the start of `text` (lines each followed by LF).
std::vector<std::string> leadingLines(std::string_view text, std::size_t count) {
    std::vector<std::string> lines;
    while (lines.size() < count && !text.empty()) {
        const std::size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

} // namespace

bool isRtfPath(std::string_view path) {
    if (path.size() < 4)
        return false;
    const std::string_view extension = path.substr(path.size() - 4);
    static constexpr std::string_view kRtf = ".rtf";
    for (std::size_t i = 0; i < 4; ++i) {
        const char c = extension[i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != kRtf[i])
            return false;
    }
    return true;
}

std::vector<std::string> readQmxLines(const std::string& path) {
    if (!isRtfPath(path))
        return readLineFile(path);
    std::vector<std::string> lines;
    readRtfFile(path, lines);
    return lines;
}

std::string readCheckedQmxText(const std::string& path, LanguageRecord& language) {
    if (isRtfPath(path)) {
        // An RTF paragraph may hold line-end bytes of its own, so the header
        // is checked on the lines as read.
        std::vector<std::string> lines;
        readRtfFile(path, lines);
        checkQmxHeader(lines, language);
        return joinLines(lines);
    }
    // A text file's lines hold no line ends: its first lines are those of
    // the joined text.
    std::string text = readLineText(path);
    checkQmxHeader(leadingLines(text, kHeaderLines), language);
    return text;
}

void checkQmxHeader(const std::vector<std::string>& lines, LanguageRecord& language) {
    if (lines.empty())
        throw ConversionFailure(result::UnexpectedEnd);
    if (kindOfFirstLine(lines[0]) != FirstLine::Current)
        throw ConversionFailure(codeForFirstLine(lines[0]));

    if (lines.size() < 2)
        throw ConversionFailure(result::UnexpectedEnd);
    const std::string& languageLine = lines[1];
    if (!languageLine.starts_with(kLanguageStart) || languageLine.size() < kEmptyLanguage.size())
        throw ConversionFailure(result::NoLanguage);
    // The name stands between the opening quote and the closing quote and
    // bracket that end the line.
    const std::string name =
        languageLine.substr(kLanguageStart.size(), languageLine.size() - kEmptyLanguage.size());
    LanguageRecord found = language;
    if (!lookupLanguage(name, LanguageRole::Source, found))
        throw ConversionFailure(result::InvalidLanguage);
    language = found;

    if (lines.size() < 3)
        throw ConversionFailure(result::UnexpectedEnd);
    if (lines[2] != "<quotes \"As text\">" && lines[2] != "<quotes \"As tags\">")
        throw ConversionFailure(result::NoQuotes);

    if (lines.size() < 4)
        throw ConversionFailure(result::UnexpectedEnd);
    if (lines[3] != "<readonly \"Translate\">" && lines[3] != "<readonly \"Don't translate\">")
        throw ConversionFailure(result::NoReadOnly);
}

} // namespace quillex::verifier
