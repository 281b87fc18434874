// The files of a batch.
#include "app/batch_files.h"

#include "forward/forward_outputs.h"
#include "foundation/ascii_case.h"
#include "verifier/machine_report.h"

#include <filesystem>

namespace quillex {

std::string extensionOf(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : upperCaseAscii(name.substr(dot));
}

// Forward batches tell style files by the last three letters of the name.
bool endsWithSty(const std::string& path) {
    return path.size() >= 3 && upperCaseAscii(path.substr(path.size() - 3)) == "STY";
}

namespace {

std::string ancillaryName(const ConversionOptions& options) {
    return options.writesRtf() ? "ANCILL.RTF" : "ANCILL.TXT";
}

void guardForwardFile(const ConversionOptions& options, FileGuard& guard) {
    guard.reads(options.inputPath, "input");
    const ForwardOutputs outputs = forwardOutputs(options);
    guard.writes(outputs.orgCopy, outputs.styleMode ? "style copy" : "ORG copy");
    guard.writes(outputs.qmxFile, "QMX file");
    guard.writes(outputs.qmxCopy, "QMX copy");
}

void guardBackwardFile(const ConversionOptions& options, FileGuard& guard) {
    const bool style = upperCaseAscii(options.extension) == ".CAT";
    guard.reads(options.inputPath, "translated file");
    guard.reads(options.orgDirectory + options.baseName + (style ? ".STY" : ".ORG"), "skeleton");
    guard.writes(options.translatedDirectory + options.baseName + (style ? ".STY" : ".DOC"),
                 "output");
}

void guardVerifiedFile(const ConversionOptions& options, FileGuard& guard) {
    guard.reads(options.inputPath, "translated file");
    guard.reads(options.orgDirectory + options.baseName + options.extension, "source QMX file");
    for (const std::string& report : verificationReports(options))
        guard.writes(report, "report");
}

} // namespace

void setFileOptions(BatchKind kind, const std::string& file, ConversionOptions& options) {
    options.inputPath = file;
    options.baseName = bareName(file);
    options.extension =
        kind == BatchKind::Forward ? (endsWithSty(file) ? ".STY" : ".DOC") : extensionOf(file);
}

std::vector<std::string> verificationReports(const ConversionOptions& options) {
    const std::string base =
        std::filesystem::path(options.inputPath).parent_path().string() + "/" + options.baseName;
    std::vector<std::string> reports{base + ".CMP"};
    if ((options.machineReports & verifier::kJsonReport) != 0)
        reports.push_back(base + ".json");
    if ((options.machineReports & verifier::kJunitReport) != 0)
        reports.push_back(base + ".junit.xml");
    return reports;
}

void guardBatchFiles(BatchKind kind, const std::vector<std::string>& files,
                     ConversionOptions options, FileGuard& guard) {
    for (const std::string& file : files) {
        setFileOptions(kind, file, options);
        switch (kind) {
        case BatchKind::Forward:
            guardForwardFile(options, guard);
            break;
        case BatchKind::Backward:
            guardBackwardFile(options, guard);
            break;
        case BatchKind::Verify:
            guardVerifiedFile(options, guard);
            break;
        }
    }
    // One ancillary file per batch: written by a forward batch into both
    // folders, read by a backward one from the translated folder.
    if (kind == BatchKind::Forward) {
        guard.writes(options.orgDirectory + ancillaryName(options), "ancillary file");
        if (!sameDirectory(options.orgDirectory, options.translatedDirectory))
            guard.writes(options.translatedDirectory + ancillaryName(options), "ancillary file");
    } else if (kind == BatchKind::Backward) {
        guard.reads(options.translatedDirectory + ancillaryName(options), "ancillary file");
    }
}

} // namespace quillex
