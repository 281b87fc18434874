// The verification run of one file pair, and the tag check of the backward
// conversion.
#include "verifier/verifier.h"

#include "conversion/per_file_result.h"

#include "conversion/result_code.h"
#include "foundation/ascii_case.h"
#include "foundation/local_date_time.h"
#include "foundation/output_file.h"
#include "foundation/string_table.h"
#include "foundation/text_file.h"
#include "qmx/line_file.h"
#include "verifier/file_checks.h"
#include "verifier/machine_report.h"
#include "verifier/qmx_input.h"
#include "verifier/report_texts.h"
#include "verifier/segment_scanner.h"
#include "verifier/tag_comparison.h"

#include <filesystem>
#include <optional>

namespace quillex {

using namespace verifier;

namespace {

constexpr std::string_view kReportExtension = ".CMP";

struct FilePaths {
    std::string source;
    std::string translated;
    std::string report;
};

// The file in `folder` whose name is `name` without regard to case: file
// names are compared so, and the file on disk is used as it is named.
std::optional<std::string> sameNameIgnoringCase(const std::string& folder,
                                                const std::string& name) {
    const std::string wanted = upperCaseAscii(name);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (upperCaseAscii(entry.path().filename().string()) == wanted &&
            entry.is_regular_file(error))
            return folder + entry.path().filename().string();
    return std::nullopt;
}

// The source file has the translated file's name in the ORG folder; the
// report goes beside the translated file.
FilePaths pathsOf(const ConversionOptions& options) {
    FilePaths paths;
    paths.translated = options.inputPath;
    const std::size_t slash = paths.translated.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : paths.translated.substr(0, slash + 1);
    const std::string name =
        slash == std::string::npos ? paths.translated : paths.translated.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    std::string baseName = options.baseName;
    std::string extension = options.extension;
    if (baseName.empty())
        baseName = dot == std::string::npos ? name : name.substr(0, dot);
    if (extension.empty() && dot != std::string::npos)
        extension = name.substr(dot);
    std::string sourceFolder = options.orgDirectory;
    if (!sourceFolder.empty() && sourceFolder.back() != '/')
        sourceFolder += '/';
    paths.source = sourceFolder + baseName + extension;
    if (!fileExists(paths.source))
        paths.source =
            sameNameIgnoringCase(sourceFolder, baseName + extension).value_or(paths.source);
    paths.report = folder + baseName + std::string(kReportExtension);
    return paths;
}

bool isCatalogPath(const std::string& path) {
    return upperCaseAscii(path).ends_with(".CAT");
}

// Lines held in memory as the text a QMX file of them reads as: each line
// followed by one LF, blank lines left out, as the verify batch reads files.
std::string asReadFromFile(const std::vector<std::string>& lines) {
    std::string text = joinLines(lines);
    joinLinesInPlace(text);
    return text;
}

VerificationReport::Format reportFormatOf(const ConversionOptions& options) {
    return {options.writesRtf(), options.sourceLanguage.codePage, options.targetLanguage.codePage};
}

} // namespace

Verifier::Verifier(const ConversionOptions& options, ConversionHost& host, int progressBudget,
                   bool progressChecks)
    : options_(options), progress_(host, progressChecks ? progressBudget : 0),
      progressChecks_(progressChecks), report_(reportFormatOf(options)) {}

Verifier::~Verifier() {
    if (counts_ != nullptr) {
        counts_->errors = report_.errors();
        counts_->alerts = report_.alerts();
        counts_->warnings = report_.warnings();
    }
}

void Verifier::progressStep() {
    if (progressChecks_)
        progress_.step(result::Cancelled);
}

std::string Verifier::loadFile(const std::string& path) {
    std::string text = readCheckedQmxText(path, options_.sourceLanguage);
    // The language of the file loaded last sets the source code page of the
    // report lines that follow.
    report_.setSourceCodePage(options_.sourceLanguage.codePage);
    return text;
}

int Verifier::verify(VerificationCounts& counts) {
    counts_ = &counts;
    const FilePaths paths = pathsOf(options_);
    const int result =
        compareFiles([&] { return loadFile(paths.source); },
                     [&] { return loadFile(paths.translated); }, paths.source, paths.translated);
    if (result == result::NotFullyCompared || reportNeeded_)
        writeReport(paths.report);
    return result;
}

// Everything a verification finds, without writing the report: the source's
// own checks, the translation's, and their comparison. Each text is asked
// for only when its turn comes, so that a source with unsound tags is
// reported without the translation being read.
int Verifier::compareFiles(const TextLoader& loadSource, const TextLoader& loadTranslated,
                           const std::string& sourceName, const std::string& translatedName) {
    const std::string dateTime = localDateAndTime();

    progressStep();
    TaggedFile source;
    source.font = kSourceFont;
    {
        std::string text = loadSource();
        progressStep();
        loadSegments(source, std::move(text));
        source.catalog = isCatalogPath(sourceName);
    }
    report_.setCurrentFile(sourceName, *source.text);
    progressStep();
    report_.addHeader(sourceName, translatedName, dateTime);

    progressStep();
    VerificationReport::Mark mark = report_.mark();
    checkExternalTagSyntax(source, report_);
    if (report_.total() != 0) {
        report_.headSection(mark, text::VerifyExternalSource);
        report_.addLine(text::SourceNeverInvalid);
        report_.addLine(text::SourceInvalid);
        return result::NotFullyCompared;
    }
    runSourceChecks(source);

    progressStep();
    TaggedFile translated;
    translated.font = kTargetFont;
    {
        std::string text = loadTranslated();
        progressStep();
        loadSegments(translated, std::move(text));
        translated.catalog = isCatalogPath(translatedName);
    }
    report_.setCurrentFile(translatedName, *translated.text);
    progressStep();
    mark = report_.mark();
    checkExternalTagSyntax(translated, report_);
    report_.headSection(mark, text::VerifyExternalTarget);
    // Source findings count here too: the files are compared only when
    // both are sound.
    if (report_.total() != 0)
        return result::NotFullyCompared;
    int addedWithHash = 0;
    runTranslatedChecks(translated, addedWithHash);
    runComparison(source, translated, addedWithHash);

    progressStep();
    if (report_.total() != 0)
        reportNeeded_ = true;
    return result::VerificationComplete;
}

void Verifier::checkAgainstSource(std::vector<std::string> sourceLines,
                                  const std::vector<std::string>& translatedLines) {
    const FilePaths paths = pathsOf(options_);
    const auto readSource = [&] {
        std::string text = asReadFromFile(sourceLines);
        std::vector<std::string>().swap(sourceLines);
        return text;
    };
    const int result = compareFiles(
        readSource, [&] { return asReadFromFile(translatedLines); }, paths.source,
        paths.translated);
    if (result != result::VerificationComplete || report_.errors() != 0)
        throw ConversionFailure(result::TagErrors);
    // What the verifier would only warn of (a paragraph deleted, a tag
    // changed) still reaches the results, so that it is never silent.
    if (report_.alerts() + report_.warnings() != 0)
        progress_.host().appendResult(
            formatString(MessageId::TagChangesFound, report_.alerts(), report_.warnings()));
}

void Verifier::runSourceChecks(TaggedFile& source) {
    progressStep();
    VerificationReport::Mark mark = report_.mark();
    checkSourceTagValidity(source, report_);
    inventory_.preset();
    extractSourceInternalTags(source, inventory_, report_);
    report_.headSection(mark, text::VerifyValiditySource);

    progressStep();
    mark = report_.mark();
    checkExternalTagPositions(source, report_);
    report_.headSection(mark, text::VerifyPositioningSource);

    progressStep();
    mark = report_.mark();
    checkExternalTagStructure(source, report_);
    report_.headSection(mark, text::VerifyStructureSource);

    progressStep();
    reclassifyInternalTags(source);
    mark = report_.mark();
    checkInternalTagPositions(source, report_);
    report_.headSection(mark, text::VerifyInternalPositioningSource);

    progressStep();
    mark = report_.mark();
    checkInternalTagStructure(source, report_);
    report_.headSection(mark, text::VerifyInternalStructureSource);
}

void Verifier::runTranslatedChecks(TaggedFile& translated, int& addedWithHash) {
    progressStep();
    VerificationReport::Mark mark = report_.mark();
    addedWithHash = checkTranslatedTagValidity(translated, inventory_, report_);
    report_.headSection(mark, text::VerifyValidityTarget);

    progressStep();
    mark = report_.mark();
    checkExternalTagPositions(translated, report_);
    report_.headSection(mark, text::VerifyPositioningTarget);

    progressStep();
    mark = report_.mark();
    checkExternalTagStructure(translated, report_);
    report_.headSection(mark, text::VerifyStructureTarget);

    progressStep();
    mark = report_.mark();
    checkInternalTagPositions(translated, report_);
    report_.headSection(mark, text::VerifyInternalPositioningTarget);

    progressStep();
    mark = report_.mark();
    checkInternalTagStructure(translated, report_);
    report_.headSection(mark, text::VerifyInternalStructureTarget);

    progressStep();
    checkControlCharacters(translated, report_);
    const bool japaneseTarget = options_.targetLanguage.name.starts_with("Japanese");
    if (japaneseTarget)
        checkJapaneseCharacters(translated, report_);
    mark = report_.mark();
    checkCharacterForms(translated, options_.targetLanguage.codePage, japaneseTarget, report_);
    report_.headSection(mark, text::VerifyCharactersTarget);
}

void Verifier::runComparison(TaggedFile& source, TaggedFile& translated, int addedWithHash) {
    const std::vector<std::string> inventoryNotes = {text::InventoryReportNote1,
                                                     text::InventoryReportNote2};
    progressStep();
    VerificationReport::Mark mark = report_.mark();
    reportExternalTagCounts(inventory_, report_);
    if (report_.hasLinesSince(mark)) {
        report_.insertHeading(mark, text::ExternalTagsReport, inventoryNotes);
        reportNeeded_ = true;
    }

    progressStep();
    if (addedWithHash > 0) {
        mark = report_.mark();
        reportAddedExternalTags(translated, report_);
        report_.headSection(mark, text::AddedExternalTagsReport, {text::AddedExternalInfo});
    }

    progressStep();
    mark = report_.mark();
    const bool inStep = compareExternalTags(source, translated, report_);
    std::vector<std::string> addedNote;
    if (addedWithHash > 0)
        addedNote.push_back(formatText(text::AddedWithSyntaxNote, addedWithHash));
    report_.headSection(mark, text::ComparingExternalTags, addedNote);
    // Once the external tags are out of step, no segments correspond any
    // more: the comparison ends here.
    if (!inStep)
        return;

    progressStep();
    mark = report_.mark();
    reportInternalTagCounts(inventory_, report_);
    if (report_.hasLinesSince(mark)) {
        report_.insertHeading(mark, text::InternalTagsReport, inventoryNotes);
        reportNeeded_ = true;
    }

    // The inventory has served; its memory goes before the internal tags of
    // both files are numbered for their comparison.
    inventory_ = TagInventory();

    progressStep();
    mark = report_.mark();
    compareInternalTags(source, translated, report_);
    report_.headSection(mark, text::ComparingInternalTags);
}

void Verifier::writeReport(const std::string& path) {
    report_.addCountsAndClosing();
    if (!options_.writeReports)
        return;
    report_.write(path, options_.rtfPageSize);
    // Where to look: the report stands beside the translated file.
    progress_.host().appendResult(formatString(MessageId::ReportWritten, path.c_str()));
}

void Verifier::checkTranslatedTags(const std::vector<std::string>& lines) {
    TaggedFile file;
    file.font = kTargetFont;
    loadSegments(file, joinLines(lines));
    progressStep();

    const auto addHeading = [this](std::string_view heading) {
        report_.insertHeading(report_.mark(), heading);
    };
    report_.addLine(std::string(70, '-') + "\n");
    report_.addLine(text::BackwardReportTitle);
    report_.addLine(std::string(text::BackwardDateTime) + localDateAndTime() + "\n");
    report_.addLine(std::string(text::BackwardSourceFile) + pathsOf(options_).translated);
    report_.addLine(std::string(68, '-') + "\n");
    addHeading(text::VerifyExternalTags);

    checkExternalTagSyntax(file, report_);
    progressStep();
    if (report_.total() != 0)
        throw ConversionFailure(result::TagErrors);

    addHeading(text::VerifyValidityOfTags);
    checkSourceTagValidity(file, report_);
    progressStep();
    extractSourceInternalTags(file, inventory_, report_);
    progressStep();

    addHeading(text::VerifyPositioningOfExternalTags);
    checkExternalTagPositions(file, report_);
    progressStep();

    addHeading(text::VerifyStructureOfExternalTags);
    checkExternalTagStructure(file, report_);
    progressStep();
    inventory_.preset();
    progressStep();

    addHeading(text::VerifyPositioningOfInternalTags);
    checkInternalTagPositions(file, report_);
    progressStep();

    addHeading(text::VerifyStructureOfInternalTags);
    checkInternalTagStructure(file, report_);
    checkControlCharacters(file, report_);
    progressStep();

    if (report_.total() != 0)
        throw ConversionFailure(result::TagErrors);
}

namespace {

// The JSON and JUnit reports the options ask for, beside the .CMP report:
// written for a clean file too, so that a build server sees it passed.
void writeMachineReports(const ConversionOptions& options, const Verifier& verifier, int result) {
    if (options.machineReports == 0 || !options.writeReports)
        return;
    const FilePaths paths = pathsOf(options);
    const VerificationReport& report = verifier.report();
    VerificationSummary summary;
    summary.source = paths.source;
    summary.translated = paths.translated;
    summary.complete = result == result::VerificationComplete;
    summary.errors = report.errors();
    summary.alerts = report.alerts();
    summary.warnings = report.warnings();
    summary.sourceCodePage = options.sourceLanguage.codePage;
    summary.targetCodePage = options.targetLanguage.codePage;
    const std::string base = paths.report.substr(0, paths.report.size() - kReportExtension.size());
    if ((options.machineReports & kJsonReport) != 0)
        writeWholeFile(base + ".json", verificationJson(summary, report.findings()));
    if ((options.machineReports & kJunitReport) != 0)
        writeWholeFile(base + ".junit.xml", verificationJunit(summary, report.findings()));
}

} // namespace

ConversionResult verifyFile(const ConversionOptions& options, ConversionHost& host,
                            VerificationCounts& counts) {
    return resultOf([&] {
        counts = {};
        Verifier verifier(options, host);
        const int code = verifier.verify(counts);
        writeMachineReports(options, verifier, code);
        return static_cast<ResultCode>(code);
    });
}

} // namespace quillex
