// The batch runner.
#include "app/batch_runner.h"

#include "app/batch_files.h"
#include "app/file_guard.h"

#include "backward/backward_converter.h"
#include "conversion/result_code.h"
#include "forward/ancillary_file.h"
#include "forward/forward_converter.h"
#include "forward/forward_outputs.h"
#include "foundation/ascii_case.h"
#include "foundation/file_error.h"
#include "foundation/folder_lock.h"
#include "foundation/local_date_time.h"
#include "foundation/output_file.h"
#include "foundation/string_table.h"
#include "foundation/text_file.h"
#include "verifier/verifier.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <new>
#include <optional>
#include <thread>

namespace quillex {
namespace {

constexpr std::chrono::milliseconds kLockPoll{200};

// The outputs a file of the batch gives, as one key: the same key for two
// files means one would overwrite the other's outputs (and the ancillary
// file would hold its section twice). Forward and backward outputs are named
// by the bare name and the kind of file; a verification report stands beside
// its translated file, so only the same file twice clashes there.
std::string outputKey(BatchKind kind, const std::string& file) {
    if (kind == BatchKind::Verify)
        return std::filesystem::absolute(file).lexically_normal().string();
    const bool style = kind == BatchKind::Backward ? upperCaseAscii(extensionOf(file)) == ".CAT"
                                                   : endsWithSty(file);
    return upperCaseAscii(bareName(file)) + (style ? ".STY" : ".DOC");
}

// A refusal naming two files of the batch whose outputs would clash; empty
// when there are none. Checked before anything is written.
std::string findOutputClash(BatchKind kind, const std::vector<std::string>& files) {
    std::map<std::string, const std::string*> seen;
    for (const std::string& file : files) {
        const auto [at, added] = seen.emplace(outputKey(kind, file), &file);
        if (!added)
            return "'" + *at->second + "' and '" + file +
                   "' would write the same output files; put them in separate batches";
    }
    return {};
}

// In a list of more than one name, the first and last are exchanged when the
// first sorts at or after the last (without regard to case).
void exchangeFirstAndLast(std::vector<std::string>& names) {
    if (names.size() > 1 && upperCaseAscii(names.front()) >= upperCaseAscii(names.back()))
        std::swap(names.front(), names.back());
}

} // namespace

// The ConversionHost that a per-file routine sees: progress steps move the
// runner's bars; results, questions and Cancel go to the batch host.
class BatchRunner::FileHost : public ConversionHost {
  public:
    explicit FileHost(BatchRunner& runner) : runner_(runner) {}

    void progressStep(bool skipFileBar, bool skipBatchBar) override {
        if (!skipFileBar)
            ++runner_.fileProgress_;
        if (!skipBatchBar)
            ++runner_.batchProgress_;
        runner_.host_.setProgress(runner_.fileProgress_, runner_.batchProgress_);
    }
    void appendResult(const std::string& line) override { runner_.host_.appendResult(line); }
    bool isCancelled() const override { return runner_.host_.isCancelled(); }
    Answer ask(const std::string& question, bool withCancel) override {
        return runner_.host_.ask(question, withCancel);
    }

  private:
    BatchRunner& runner_;
};

PerFileRoutines PerFileRoutines::builtIn() {
    PerFileRoutines routines;
    routines.forward = convertFile;
    routines.verify = verifyFile;
    routines.backward = backward::convertBack;
    return routines;
}

std::string validateBatchDirectories(BatchKind kind, const BatchDirectories& directories) {
    for (const std::string* folder : {&directories.org, &directories.translated}) {
        if (!directoryExists(*folder))
            return formatString(MessageId::PathDoesNotExist);
    }
    if (kind == BatchKind::Forward) {
        for (const std::string* folder : {&directories.org, &directories.translated}) {
            if (sameDirectory(*folder, directories.chosenFiles))
                return formatString(MessageId::QmxFolderIsSourceFolder,
                                    directories.chosenFiles.c_str());
        }
    }
    if (kind == BatchKind::Verify && sameDirectory(directories.org, directories.translated))
        return formatString(MessageId::FoldersMustDiffer);
    return {};
}

BatchRunner::BatchRunner(BatchHost& host, Settings& settings, PerFileRoutines routines)
    : host_(host), settings_(settings), routines_(std::move(routines)) {}

const std::string& BatchRunner::underscoreLine() {
    static const std::string line(84, '_');
    return line;
}

std::vector<std::string> BatchRunner::orderFiles(BatchKind kind,
                                                 std::vector<std::string> files) const {
    if (kind != BatchKind::Forward)
        return files;
    std::vector<std::string> documents;
    std::vector<std::string> styles;
    for (std::string& file : files)
        (endsWithSty(file) ? styles : documents).push_back(std::move(file));
    exchangeFirstAndLast(documents);
    exchangeFirstAndLast(styles);
    documents.insert(documents.end(), std::make_move_iterator(styles.begin()),
                     std::make_move_iterator(styles.end()));
    return documents;
}

BatchDirectories BatchRunner::initialDirectories(BatchKind kind,
                                                 const std::string& chosenFolder) const {
    BatchDirectories directories;
    directories.chosenFiles = chosenFolder;
    directories.org = settings_.paths.orgFiles;
    directories.translated =
        kind == BatchKind::Forward ? settings_.paths.translatedFiles : chosenFolder;
    return directories;
}

void BatchRunner::rememberDirectories(BatchKind kind, const BatchDirectories& directories) {
    if (settings_.paths.duringSession == 0)
        return;
    const auto remember = [](std::string& slot, const std::string& folder) {
        if (directoryExists(folder))
            slot = SettingsStore::withTrailingSlash(folder);
    };
    if (kind == BatchKind::Forward)
        remember(settings_.paths.sourceFiles, directories.chosenFiles);
    else
        remember(settings_.paths.translatedFiles, directories.chosenFiles);
    remember(settings_.paths.orgFiles, directories.org);
    if (kind == BatchKind::Forward)
        remember(settings_.paths.translatedFiles, directories.translated);
}

// Temporary files that killed runs left in the folders this batch writes are
// removed before it starts, with a results line for each folder.
void BatchRunner::removeStaleOutputs(BatchKind kind, const ConversionOptions& options) {
    for (const std::string& folder : outputFolders(kind, options))
        if (const int removed = removeStaleTemporaryFiles(folder); removed > 0)
            host_.appendResult(
                formatString(MessageId::StaleTemporaryFilesRemoved, removed, folder.c_str()));
}

// Locks the folders the batch writes, waiting (with a results line, and as
// long as the user does not cancel) while another batch holds one, unless
// told not to wait. Returns why the batch cannot start, or nothing.
std::optional<std::string> BatchRunner::lockOutputFolders(BatchKind kind,
                                                          const ConversionOptions& options,
                                                          std::vector<FolderLock>& locks) {
    for (const std::string& folder : outputFolders(kind, options)) {
        bool told = false;
        for (;;) {
            bool busy = false;
            FolderLock lock = FolderLock::tryLock(folder, busy);
            if (lock.held())
                locks.push_back(std::move(lock));
            if (!busy)
                break;
            if (!waitForFolders_)
                return "another batch is writing into " + folder + "; try again when it has ended";
            if (!told)
                host_.appendResult(formatString(MessageId::WaitingForFolder, folder.c_str()));
            told = true;
            if (host_.isCancelled())
                return std::string();
            std::this_thread::sleep_for(kLockPoll);
        }
    }
    return std::nullopt;
}

// The folders a batch writes: a verification report goes beside the
// translated file, everything else into the ORG and translated folders.
std::vector<std::string> BatchRunner::outputFolders(BatchKind kind,
                                                    const ConversionOptions& options) {
    std::vector<std::string> folders = {options.orgDirectory, options.translatedDirectory};
    if (kind == BatchKind::Verify)
        folders = {options.sourceDirectory};
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    std::erase(folders, std::string());
    return folders;
}

// Asks before overwriting each existing output of the file; returns 0 to go
// on, 3 to skip the file (No) or 2 to end the batch (Cancel).
int BatchRunner::checkOverwrite(BatchKind kind, ConversionOptions& options) {
    if (options.overwriteFiles == OverwriteFiles::AlwaysOverwrite)
        return result::Success;
    std::vector<std::string> outputs;
    if (kind == BatchKind::Forward) {
        outputs = forwardOutputs(options).all();
    } else if (kind == BatchKind::Verify) {
        outputs = verificationReports(options);
    } else {
        const char* extension = upperCaseAscii(options.extension) == ".CAT" ? ".STY" : ".DOC";
        outputs.push_back(options.translatedDirectory + options.baseName + extension);
    }
    for (const std::string& output : outputs) {
        if (!std::filesystem::exists(output))
            continue;
        const bool withCancel = outputs.size() > 1;
        const Answer answer = host_.askOverwrite(
            formatString(withCancel ? MessageId::OverwriteOrCancelBatch : MessageId::Overwrite,
                         output.c_str()),
            withCancel);
        // A kept report does not keep the file from being checked: the
        // findings still count, only the reports are not written.
        if (answer == Answer::No && kind == BatchKind::Verify && checkWhenReportKept_) {
            options.writeReports = false;
            keptReport_ = output;
            return result::Success;
        }
        if (answer == Answer::No)
            return result::Skipped;
        if (answer == Answer::Cancel)
            return result::CancelledBatch;
    }
    return result::Success;
}

// Why the batch may not start because an output would replace one of its
// inputs, or two outputs are one file (the results file included); empty
// when none meet. Checked before any folder is made or file written.
std::string BatchRunner::filesMeet(BatchKind kind, const std::vector<std::string>& files,
                                   const ConversionOptions& options) const {
    FileGuard guard;
    guardBatchFiles(kind, files, options, guard);
    for (const auto& [path, role] : extraOutputs_)
        guard.writes(path, role);
    return guard.refusal();
}

ConversionResult BatchRunner::runRoutine(BatchKind kind, ConversionOptions& options,
                                         FileHost& fileHost, VerificationCounts& counts) {
    switch (kind) {
    case BatchKind::Forward:
        return routines_.forward(options, collector_, fileHost);
    case BatchKind::Backward:
        return routines_.backward(options, backwardAncillary_, fileHost);
    case BatchKind::Verify:
        return routines_.verify(options, fileHost, counts);
    }
    return {result::Unexpected, {}};
}

// The per-file wrapper: reports the lines of the routine's result and gives
// its code. Memory exhaustion is the one failure that arrives thrown; any
// other exception is a fault of the program, which stops the batch.
int BatchRunner::runFile(BatchKind kind, ConversionOptions& options, FileHost& fileHost,
                         VerificationCounts& counts) {
    try {
        const ConversionResult outcome = runRoutine(kind, options, fileHost, counts);
        for (const std::string& line : outcome.lines)
            host_.appendResult(line);
        return outcome.code;
    } catch (const std::bad_alloc&) {
        return result::OutOfMemory;
    } catch (const std::exception& error) {
        if (options.parserDiagnostics)
            host_.appendResult(std::string("Exception! ") + error.what());
        return result::Unexpected;
    }
}

void BatchRunner::reportEffect(const ResultEffect& effect) {
    for (const std::string& line : effect.lines)
        host_.appendResult(line);
    host_.appendResult("");
}

void BatchRunner::stopBatch(BatchKind kind, const ResultEffect& effect, const BatchReport& report) {
    const int steps = batchKindInfo(kind).stepsPerFile;
    batchProgress_ = steps * report.files;
    host_.setProgress(fileProgress_, batchProgress_);
    host_.appendResult(underscoreLine());
    host_.appendResult("");
    host_.appendResult(formatString(MessageId::BatchCancelled));
    host_.appendResult(underscoreLine());
    host_.batchEnded(report);
    host_.showSummary(formatString(effect.finalBoxId, report.converted()), true);
}

void BatchRunner::showSummary(BatchKind kind, const BatchReport& report) {
    const bool single = report.files == 1;
    std::string text;
    if (kind == BatchKind::Verify) {
        if (report.failed > 0)
            text = single ? formatString(MessageId::SummaryOneFileNotVerified)
                          : formatString(MessageId::SummaryVerifiedWithFailures, report.converted(),
                                         report.failed);
        else if (report.tagChanges > 0)
            text = single ? formatString(MessageId::SummaryFilesVerifiedWithTagChanges)
                          : formatString(MessageId::SummaryVerifiedWithTagChanges, report.files,
                                         report.tagChanges);
        else
            text = single ? formatString(MessageId::SummaryFilesVerified)
                          : formatString(MessageId::SummaryVerified, report.files);
    } else if (report.failed > 0) {
        text = single ? formatString(MessageId::SummaryOneFileFailed)
                      : formatString(MessageId::SummaryConvertedWithFailures, report.converted(),
                                     report.failed);
    } else {
        text = single ? formatString(MessageId::SummaryNoErrors)
                      : formatString(MessageId::SummaryConverted, report.converted());
    }
    host_.batchEnded(report);
    host_.showSummary(text, false);
}

// Returns true when writing the ancillary file failed somewhere: the batch
// has then failed, whatever its summary said before.
bool BatchRunner::offerAncillaryFile(const ConversionOptions& options) {
    FileHost fileHost(*this);
    bool failed = false;
    if (host_.ask(formatString(MessageId::AskCreateAncillary), false) == Answer::Yes &&
        writeAncillaryFile(options, collector_, fileHost, &failed))
        return failed;
    host_.appendResult(formatString(MessageId::NoAncillaryCreated));
    return failed;
}

BatchReport BatchRunner::run(BatchKind kind) {
    const BatchKindInfo& info = batchKindInfo(kind);
    BatchReport report;
    fileProgress_ = batchProgress_ = 0;
    collector_ = AncillaryCollector{};
    backwardAncillary_.start();
    host_.setProgress(0, 0);
    host_.setBusy(true);
    struct Idle {
        BatchHost& host;
        backward::BatchAncillaryText& ancillary;
        ~Idle() {
            ancillary.finish();
            host.clearCancel();
            host.setBusy(false);
        }
    } idle{host_, backwardAncillary_};

    // Choose the files.
    const bool rtf = settings_.options.fileFormatForQmx == QmxFileFormat::Rtf;
    const std::string startDirectory =
        settings_.paths.duringSession != 0
            ? (kind == BatchKind::Forward ? settings_.paths.sourceFiles
                                          : settings_.paths.translatedFiles)
            : std::string();
    std::vector<std::string> files =
        host_.chooseFiles(formatString(info.fileDialogTitleId),
                          formatString(rtf ? info.filterIdRtf : info.filterIdText), startDirectory);
    if (files.empty())
        return report;
    files = orderFiles(kind, std::move(files));
    report.files = static_cast<int>(files.size());
    report.refusal = findOutputClash(kind, files);
    if (!report.refusal.empty())
        return report;

    // Snapshot the options and confirm the directories.
    ConversionOptions options = makeConversionOptions(settings_);
    BatchDirectories directories = initialDirectories(kind, folderOf(files.front()));
    if (!host_.confirmBatch(kind, info.confirmTitle, formatString(info.confirmLineId, report.files),
                            directories))
        return report;
    options.sourceDirectory = SettingsStore::withTrailingSlash(directories.chosenFiles);
    options.orgDirectory = SettingsStore::withTrailingSlash(directories.org);
    options.translatedDirectory = SettingsStore::withTrailingSlash(directories.translated);
    report.refusal = filesMeet(kind, files, options);
    if (!report.refusal.empty())
        return report;
    report.refusal = host_.makeOutputFolders(kind, directories);
    if (report.refusal.empty())
        report.refusal = validateBatchDirectories(kind, directories);
    if (!report.refusal.empty())
        return report;
    rememberDirectories(kind, directories);

    std::vector<FolderLock> locks;
    if (const auto refusal = lockOutputFolders(kind, options, locks)) {
        report.refusal = *refusal; // empty when the user cancelled the wait
        report.busy = !refusal->empty();
        return report;
    }

    report.started = true;
    host_.setProgressRanges(info.stepsPerFile, info.stepsPerFile * report.files);
    host_.appendResult("");
    host_.appendResult(localDateAndTime());
    host_.appendResult("");
    for (const std::string& note : settings_.notes)
        host_.appendResult(note);
    removeStaleOutputs(kind, options);

    FileHost fileHost(*this);
    for (const std::string& file : files) {
        setFileOptions(kind, file, options);
        options.writeReports = true;
        host_.appendResult(formatString(info.beforeFileLineId, file.c_str()));
        ++report.attempted;
        host_.fileStarted(report.attempted, report.files, file);
        fileProgress_ = 0;
        host_.setProgress(fileProgress_, batchProgress_);

        VerificationCounts counts;
        int code = checkOverwrite(kind, options);
        if (code == result::Success)
            code = runFile(kind, options, fileHost, counts);
        if (!options.writeReports)
            host_.appendResult(formatString(MessageId::ReportsKept, keptReport_.c_str()));

        fileProgress_ = info.stepsPerFile;
        batchProgress_ = info.stepsPerFile * report.attempted;
        host_.setProgress(fileProgress_, batchProgress_);

        const ResultEffect effect = resultEffect(code, kind, counts);
        reportEffect(effect);
        if (effect.fails)
            ++report.failed;
        if (code == result::Skipped)
            ++report.skipped;
        if (kind == BatchKind::Verify && counts.any())
            ++report.tagChanges;
        report.findings.errors += counts.errors;
        report.findings.alerts += counts.alerts;
        report.findings.warnings += counts.warnings;
        if (effect.stops) {
            report.stopped = true;
            stopBatch(kind, effect, report);
            return report;
        }
    }

    batchProgress_ = info.stepsPerFile * report.files;
    host_.setProgress(fileProgress_, batchProgress_);
    host_.appendResult(underscoreLine());
    showSummary(kind, report);
    if (kind == BatchKind::Forward && report.converted() > 0)
        report.ancillaryFailed = offerAncillaryFile(options);
    return report;
}

} // namespace quillex
