// The steps of one forward conversion.
#include "forward/document_converter.h"

#include "conversion/language_table.h"
#include "conversion/result_code.h"
#include "forward/body_converter.h"
#include "forward/catalog.h"
#include "foundation/ascii_case.h"
#include "foundation/disk_space.h"
#include "foundation/file_error.h"
#include "foundation/output_file.h"
#include "foundation/string_table.h"
#include "foundation/text_file.h"
#include "qmx/qmx_file_writer.h"
#include "qmx/qmx_header.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quillex {
namespace {

// The layout and the body passes free many small blocks (the body pieces'
// line lists, what each pass made for itself) that the allocator would keep
// for later; given back to the system at once, they do not add to the peak
// memory of the passes that follow.
void returnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

constexpr std::size_t kHeaderProbeBytes = 100;
constexpr std::uint64_t kMegabyte = 1024 * 1024;

// True when some line holds text outside tags that is not blank: text a
// translator would see. Tag arguments may hold tags of their own.
template <class Lines> bool holdsTextToTranslate(const Lines& lines) {
    for (const std::string_view line : lines) {
        int depth = 0;
        for (const char c : line) {
            if (c == '<')
                ++depth;
            else if (c == '>' && depth > 0)
                --depth;
            else if (depth == 0 && c != ' ' && c != '\t')
                return true;
        }
    }
    return false;
}

bool namesSupportedVersion(const std::string& header) {
    for (const char* version : {"Version = 8.0", "Version = 8.1", "Version = 8.2", "Version = 8.3"})
        if (header.find(version) != std::string::npos)
            return true;
    return false;
}

} // namespace

DocumentConverter::DocumentConverter(const ConversionOptions& options,
                                     AncillaryCollector& collector, ConversionHost& host)
    : options_(options), collector_(collector), progress_(host, kForwardStepsPerFile),
      outputs_(forwardOutputs(options)), sourcePath_(options.inputPath),
      japaneseSource_(isJapaneseShiftJisSource(options.sourceLanguage.name)) {}

DocumentConverter::~DocumentConverter() = default;

void DocumentConverter::run() {
    try {
        progress_.step();
        checkSourceHeader();
        checkFreeSpace();
        copySourceToOrg();
        convertSource();
        progress_.step();
        addHeaderAndClosingLines();
        save();
        // Only a converted file adds to the ancillary file and the catalog.
        commitContribution(contribution_, sourcePath_, collector_);
    } catch (...) {
        orgCopy_.reset(); // drops the uncommitted ORG copy
        throw;
    }
}

void DocumentConverter::rebuildFrom(const std::string& skeleton, bool withQmxLines) {
    sourcePath_ = skeleton;
    warnJapanese_ = false;
    withQmxLines_ = withQmxLines;
    checkSourceHeader();
    readSource();
    lineCount_ = rawLineCount_;
    convertSource();
    progress_.step();
    addHeaderAndClosingLines();
}

bool DocumentConverter::hasAncillaryText() const {
    return holdsTextToTranslate(contribution_.lines);
}

void DocumentConverter::checkSourceHeader() {
    const std::string header = readFileStart(sourcePath_, kHeaderProbeBytes);
    if (!header.starts_with("<!OPS,"))
        throw ConversionFailure(result::NotInterleafAscii);
    if (!namesSupportedVersion(header))
        throw ConversionFailure(result::WrongVersion);
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
// then reads.
void DocumentConverter::readSource() {
    std::string raw = readBinaryFile(sourcePath_);
    rawSize_ = raw.size();
    rawLineCount_ =
        static_cast<int>(countLineFeeds(raw)) + (!raw.empty() && raw.back() != '\n' ? 1 : 0);
    sourceText_ = textModeBytes(std::move(raw), sourcePath_);
}

// Every line of the copy ends with one line feed: the text as read, and a
// line feed after a last line that has none.
void DocumentConverter::copySourceToOrg() {
    refuseToOverwriteSource();
    readSource();
    orgCopy_ = std::make_unique<OutputFile>(outputs_.orgCopy);
    orgCopy_->write(sourceText_);
    const bool openLastLine = !sourceText_.empty() && sourceText_.back() != '\n';
    if (openLastLine)
        orgCopy_->write("\n");
    lineCount_ = static_cast<int>(countLineFeeds(sourceText_)) + (openLastLine ? 1 : 0);
}

// Turns the source into the QMX body lines: the parse cuts it into pieces
// (moving the bar by kForwardParseSteps). In document mode the formats,
// headers and footers go to the ancillary text and the body pieces become
// the body lines; a style file's body is its catalog. Either way the file's
// section of the ancillary file is made ready.
void DocumentConverter::convertSource() {
    parseSource();
    classes_.addDeclarations(document_.pieces);
    BodySettings settings = BodySettings::from(options_, japaneseSource_);
    settings.warn = warnJapanese_;
    extensions_ = std::make_unique<DocumentExtensions>(registry_, classes_, settings,
                                                       &progress_.host(), document_.pieces);
    if (outputs_.styleMode) {
        convertStyleFile();
        return;
    }
    extensions_->convertDeclarations(false);
    convertBody();
    contribution_ = extensions_->contribution(ancillaryFileName(), false);
    warnWhenNothingToTranslate();
}

// A document that gives a translator nothing still converts, but the results
// say so and why, so that a missing body is not taken for a finished job.
void DocumentConverter::warnWhenNothingToTranslate() {
    if (!warnJapanese_ || holdsTextToTranslate(outputLines_) ||
        holdsTextToTranslate(contribution_.lines))
        return;
    const bool hasBody =
        std::any_of(document_.pieces.begin(), document_.pieces.end(),
                    [](const auto& piece) { return piece->kind == PieceKind::EndOfDeclarations; });
    progress_.host().appendResult(
        formatString(hasBody ? MessageId::NothingToTranslate : MessageId::NoBody));
}

void DocumentConverter::convertStyleFile() {
    progress_.step();
    extensions_->convertDeclarations(true);
    outputLines_ = QmxLines(catalogBody(document_.pieces, collector_, registry_));
    progress_.step();
    contribution_ = extensions_->contribution(ancillaryFileName(), true);
}

// The name the ancillary file knows the file by: bare name and extension
// (".DOC" or ".STY" by the mode) in upper case.
std::string DocumentConverter::ancillaryFileName() const {
    return upperCaseAscii(options_.baseName + (outputs_.styleMode ? ".STY" : ".DOC"));
}

void DocumentConverter::parseSource() {
    ParseSettings settings;
    // Lead bytes are those of the source language's code page.
    settings.codePage = static_cast<std::uint32_t>(options_.sourceLanguage.codePage);
    settings.budget = &progress_;
    settings.lineCount = lineCount_;
    settings.steps = kForwardParseSteps;
    settings.host = &progress_.host();
    settings.warnJapanese = warnJapanese_;
    settings.debug = options_.parserDiagnostics ? 1 : 0;
    // The pieces' lines view the source text, which the document keeps; so
    // do the tag maps, for markup that is source text.
    if (const ResultCode code =
            parseDocumentText(sourcePath_, std::move(sourceText_), rawSize_, settings, document_);
        code != result::Success)
        throw ConversionFailure(code);
    registry_.viewTextsIn(document_.source.text());
}

void DocumentConverter::convertBody() {
    BodySettings settings = BodySettings::from(options_, japaneseSource_);
    settings.warn = warnJapanese_;
    BodyConverter body(registry_, classes_, *extensions_, settings, &progress_.host());
    ItemList items = body.layOut(document_.pieces);
    returnFreedMemory();
    progress_.step();
    items = body.convertItems(std::move(items));
    returnFreedMemory();
    if (withQmxLines_)
        outputLines_ = body.toLines(items);
    progress_.step();
}

void DocumentConverter::addHeaderAndClosingLines() {
    const std::vector<std::string> header = qmxHeaderLines(options_);
    outputLines_.insertFront(header);
    outputLines_.add(kQmxClosingLine);
    for (const std::string& line : header)
        registry_.enterSelf(line);
    registry_.enterSelf(kQmxClosingLine);
}

// Every output is written complete beside its target before any of them
// takes its place: a run that fails on the second folder (unwritable, full)
// leaves every earlier output of this name as it was, and the QMX files are
// never put in place beside an ORG copy of another run.
void DocumentConverter::save() {
    const QmxFileFormat format = options_.fileFormatForQmx;
    std::vector<std::unique_ptr<OutputFile>> qmxFiles;
    for (const std::string* path : {&outputs_.qmxFile, &outputs_.qmxCopy}) {
        if (path->empty())
            continue;
        qmxFiles.push_back(std::make_unique<OutputFile>(*path));
        writeQmxFile(*qmxFiles.back(), outputLines_.all(), format, options_);
        qmxFiles.back()->finish();
    }
    orgCopy_->finish();
    orgCopy_->commit();
    orgCopy_.reset();
    for (const auto& file : qmxFiles)
        file->commit();
}

} // namespace quillex
