// The ancillary file.
#include "forward/ancillary_file.h"

#include "forward/forward_outputs.h"
#include "foundation/file_error.h"
#include "foundation/string_table.h"
#include "qmx/qmx_file_writer.h"
#include "qmx/qmx_header.h"
#include "qmx/quote_converter.h"

#include <filesystem>

namespace quillex {
namespace {

std::vector<std::string> ancillaryTargets(const ConversionOptions& options) {
    const std::string name = options.writesRtf() ? "ANCILL.RTF" : "ANCILL.TXT";
    std::vector<std::string> targets{options.orgDirectory + name};
    if (!sameDirectory(options.orgDirectory, options.translatedDirectory))
        targets.push_back(options.translatedDirectory + name);
    return targets;
}

bool mayWrite(const std::string& target, const ConversionOptions& options, ConversionHost& host) {
    if (options.overwriteFiles == OverwriteFiles::AlwaysOverwrite ||
        !std::filesystem::exists(target))
        return true;
    return host.ask(formatString(MessageId::Overwrite, target.c_str()), false) == Answer::Yes;
}

} // namespace

bool writeAncillaryFile(const ConversionOptions& options, const AncillaryCollector& collector,
                        ConversionHost& host, bool* failed) {
    std::vector<std::string> targets;
    for (const std::string& target : ancillaryTargets(options))
        if (mayWrite(target, options, host))
            targets.push_back(target);
    if (targets.empty())
        return false;

    std::vector<std::string> lines = wrapInQmxHeader(options, collector.lines);
    if (options.smartQuotes == SmartQuotes::AsTags)
        convertQuotes(lines);
    const QmxFileFormat format = options.fileFormatForQmx;
    bool written = false;
    for (const std::string& target : targets) {
        try {
            saveQmxFile(target, lines, format, options);
        } catch (const FileError& error) {
            for (const std::string& line : error.resultLines())
                host.appendResult(line);
            if (failed != nullptr)
                *failed = true;
            continue;
        }
        host.appendResult(formatString(MessageId::AncillaryCreated));
        host.appendResult(target);
        written = true;
    }
    return written;
}

} // namespace quillex
