// Loading QMX files and checking their header.
#include "xliff/qmx_source.h"

#include "foundation/text_file.h"
#include "qmx/line_file.h"
#include "qmx/qmx_header.h"
#include "qmx/rtf_reader.h"

#include <filesystem>
#include <stdexcept>

namespace quillex::xliff {
namespace {

constexpr std::string_view kLanguageOpening = "<language \"";
constexpr std::string_view kRtfStart = "{\\rtf";

} // namespace

QmxSource readQmxSource(const std::string& path) {
    QmxSource source;
    const std::filesystem::path file(path);
    source.name = file.filename().string();
    // A catalog (.CAT) is RTF too when the batch wrote RTF: the first bytes
    // tell.
    if (readFileStart(path, kRtfStart.size()) == kRtfStart) {
        source.container = Container::Rtf;
        readRtfFile(path, source.lines);
    } else {
        source.lines = readLineFile(path);
    }
    if (source.lines.empty() || !source.lines[0].starts_with(kQmxIdentifierLine))
        throw std::runtime_error("not a QMX file: its first line is not " +
                                 std::string(kQmxIdentifierLine));
    if (source.lines.size() < 2 || !source.lines[1].starts_with(kLanguageOpening) ||
        !source.lines[1].ends_with("\">"))
        throw std::runtime_error("the second line does not name the language as "
                                 "<language \"...\">");
    const std::string& line = source.lines[1];
    source.language =
        line.substr(kLanguageOpening.size(), line.size() - kLanguageOpening.size() - 2);
    return source;
}

std::string withExtension(const std::string& path, const std::string& extension) {
    return std::filesystem::path(path).replace_extension(extension).string();
}

} // namespace quillex::xliff
