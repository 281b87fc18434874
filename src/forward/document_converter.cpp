// The steps of one forward conversion.
#include "forward/document_converter.h"

#include "conversion/result_code.h"
#include "foundation/ascii_case.h"
#include "foundation/disk_space.h"
#include "foundation/file_error.h"
#include "foundation/output_file.h"
#include "foundation/string_table.h"
#include "foundation/text_file.h"
#include "qmx/qmx_file_writer.h"

#include <algorithm>
#include <filesystem>

namespace quillex {
namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

} // namespace

DocumentConverter::DocumentConverter(const ConversionOptions& options,
                                     AncillaryCollector& collector, ConversionHost& host)
    : options_(options), collector_(collector), progress_(host, kForwardStepsPerFile),
      outputs_(forwardOutputs(options)), sourcePath_(options.inputPath), analysis_(options) {}

DocumentConverter::~DocumentConverter() = default;

void DocumentConverter::run() {
    try {
        progress_.step();
        checkInterleafHeader(sourcePath_);
        checkFreeSpace();
        copySourceToOrg();
        analyseSource();
        progress_.step();
        save();
        // Only a converted file adds to the ancillary file and the catalog.
        commitContribution(analysis_.contribution(), sourcePath_, collector_);
    } catch (...) {
        orgCopy_.reset(); // drops the uncommitted ORG copy
        throw;
    }
}

void DocumentConverter::checkFreeSpace() {
    const std::uint64_t sourceMegabytes = fileSize(sourcePath_) / kMegabyte;
    const auto freeBytes = freeDiskBytes(options_.orgDirectory);
    if (freeBytes && *freeBytes / kMegabyte < sourceMegabytes + 2)
        throw ConversionFailure(result::DiskFull);
}

// The ORG copy is the source read in text mode, each line ended by a single
// line feed. It stays a temporary file until the run has succeeded.
// The batch refuses output folders equal to the source folder; this guards
// the source against every other way of getting there.
void DocumentConverter::refuseToOverwriteSource() const {
    for (const std::string& output : outputs_.all()) {
        std::error_code error;
        if (std::filesystem::equivalent(output, sourcePath_, error))
            throw FileError(FileError::Cause::AccessDenied, output);
    }
}

// The file is read once: the ORG copy is written from the text the parse
// then reads. Every line of the copy ends with one line feed: the text as
// read, and a line feed after a last line that has none.
void DocumentConverter::copySourceToOrg() {
    refuseToOverwriteSource();
    source_ = readSourceFile(sourcePath_);
    const std::string& text = source_.text;
    orgCopy_ = std::make_unique<OutputFile>(outputs_.orgCopy);
    orgCopy_->write(text);
    const bool openLastLine = !text.empty() && text.back() != '\n';
    if (openLastLine)
        orgCopy_->write("\n");
    lineCount_ = static_cast<int>(countLineFeeds(text)) + (openLastLine ? 1 : 0);
}

// The analysis makes the QMX lines; what it noted goes to the results list
// before a refusal's reasons.
void DocumentConverter::analyseSource() {
    AnalysisInput input;
    input.path = sourcePath_;
    input.text = std::move(source_.text);
    input.rawSize = source_.rawSize;
    input.lineCount = lineCount_;
    input.styleMode = outputs_.styleMode;
    input.ancillaryName =
        upperCaseAscii(options_.baseName + (outputs_.styleMode ? ".STY" : ".DOC"));
    input.batchSoFar = &collector_;
    ConversionResult analysed;
    try {
        analysed = analysis_.run(std::move(input), &progress_);
    } catch (...) { // Cancel, or a pass that cannot go on
        analysis_.notes().report(progress_.host(), false);
        throw;
    }
    analysis_.notes().report(progress_.host(), false);
    if (!analysed.ok()) {
        for (const std::string& line : analysed.lines)
            progress_.host().appendResult(line);
        throw ConversionFailure(analysed.code);
    }
    if (!outputs_.styleMode)
        warnWhenNothingToTranslate();
}

// A document that gives a translator nothing still converts, but the results
// say so and why, so that a missing body is not taken for a finished job.
void DocumentConverter::warnWhenNothingToTranslate() {
    if (analysis_.hasTextToTranslate())
        return;
    const PieceList& pieces = analysis_.pieces();
    const bool hasBody = std::any_of(pieces.begin(), pieces.end(), [](const auto& piece) {
        return piece->kind == PieceKind::EndOfDeclarations;
    });
    progress_.host().appendResult(
        formatString(hasBody ? MessageId::NothingToTranslate : MessageId::NoBody));
}

// Every output is written complete beside its target before any of them
// takes its place: a run that fails on the second folder (unwritable, full)
// leaves every earlier output of this name as it was, and the QMX files are
// never put in place beside an ORG copy of another run.
void DocumentConverter::save() {
    std::vector<std::unique_ptr<OutputFile>> qmxFiles;
    for (const std::string* path : {&outputs_.qmxFile, &outputs_.qmxCopy}) {
        if (path->empty())
            continue;
        qmxFiles.push_back(std::make_unique<OutputFile>(*path));
        writeQmxFile(*qmxFiles.back(), analysis_.qmxLines().all(), options_.fileFormatForQmx,
                     options_);
        qmxFiles.back()->finish();
    }
    orgCopy_->finish();
    orgCopy_->commit();
    orgCopy_.reset();
    for (const auto& file : qmxFiles)
        file->commit();
}

} // namespace quillex
