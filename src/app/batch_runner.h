// The batch runner: one batch of files through a per-file routine.
//
// It asks the host for the files and the directories, snapshots the settings
// into ConversionOptions, runs the per-file routine of the batch kind once per
// file, turns each result code into lines of the results list, drives the two
// progress bars, honours Cancel and ends with a summary.
#pragma once

#include "app/batch_host.h"
#include "app/result_messages.h"
#include "app/settings_store.h"
#include "backward/ancillary_text.h"
#include "conversion/result_code.h"
#include "forward/ancillary_collector.h"
#include "foundation/folder_lock.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillex {

// The per-file routines of the three kinds. A routine gives its result (the
// code, and the lines that say why); only std::bad_alloc may pass through it.
struct PerFileRoutines {
    std::function<ConversionResult(const ConversionOptions&, AncillaryCollector&, ConversionHost&)>
        forward;
    std::function<ConversionResult(const ConversionOptions&, backward::BatchAncillaryText&,
                                   ConversionHost&)>
        backward;
    std::function<ConversionResult(const ConversionOptions&, ConversionHost&, VerificationCounts&)>
        verify;

    // The routines built into this program.
    static PerFileRoutines builtIn();
};

struct BatchReport {
    bool started = false; // false when the batch ended before its first file
    std::string refusal;  // why the directories were refused, if they were
    bool busy = false;    // refused because another batch writes into its folders
    int files = 0;
    int attempted = 0;
    int failed = 0;
    int skipped = 0;              // of the failed: kept by the overwrite question (No)
    int tagChanges = 0;           // verify: files with findings
    VerificationCounts findings;  // verify: the findings of all its files
    bool stopped = false;         // a result code stopped the batch
    bool ancillaryFailed = false; // a file error while writing the ancillary file
    int converted() const { return attempted - failed; }
};

class BatchRunner {
  public:
    BatchRunner(BatchHost& host, Settings& settings,
                PerFileRoutines routines = PerFileRoutines::builtIn());

    // Runs one batch. `settings` gives the options and receives the
    // directories to remember.
    BatchReport run(BatchKind kind);

    // The lines of the first line of a stopped batch, the underscores.
    static const std::string& underscoreLine();

    // Whether a batch waits while another one writes into its folders (the
    // default) or gives up at once.
    void setWaitForFolders(bool wait) { waitForFolders_ = wait; }

    // A file the front end writes for the batch (the results list), refused
    // with the batch's own outputs when it meets one of its files.
    void alsoWrites(const std::string& path, const std::string& role) {
        extraOutputs_.emplace_back(path, role);
    }

    // Whether a verification whose existing report the overwrite question
    // keeps still checks the file (and leaves its reports unwritten) rather
    // than skipping it.
    void setCheckWhenReportKept(bool check) { checkWhenReportKept_ = check; }

  private:
    class FileHost;

    std::vector<std::string> orderFiles(BatchKind kind, std::vector<std::string> files) const;
    BatchDirectories initialDirectories(BatchKind kind, const std::string& chosenFolder) const;
    void rememberDirectories(BatchKind kind, const BatchDirectories& directories);
    int checkOverwrite(BatchKind kind, ConversionOptions& options);
    std::string filesMeet(BatchKind kind, const std::vector<std::string>& files,
                          const ConversionOptions& options) const;
    ConversionResult runRoutine(BatchKind kind, ConversionOptions& options, FileHost& fileHost,
                                VerificationCounts& counts);
    int runFile(BatchKind kind, ConversionOptions& options, FileHost& fileHost,
                VerificationCounts& counts);
    void reportEffect(const ResultEffect& effect);
    void stopBatch(BatchKind kind, const ResultEffect& effect, const BatchReport& report);
    void showSummary(BatchKind kind, const BatchReport& report);
    bool offerAncillaryFile(const ConversionOptions& options);
    void removeStaleOutputs(BatchKind kind, const ConversionOptions& options);
    std::optional<std::string> lockOutputFolders(BatchKind kind, const ConversionOptions& options,
                                                 std::vector<FolderLock>& locks);
    static std::vector<std::string> outputFolders(BatchKind kind, const ConversionOptions& options);

    BatchHost& host_;
    Settings& settings_;
    PerFileRoutines routines_;
    AncillaryCollector collector_;
    backward::BatchAncillaryText backwardAncillary_;
    int fileProgress_ = 0;
    int batchProgress_ = 0;
    bool waitForFolders_ = true;
    bool checkWhenReportKept_ = false;
    std::string keptReport_; // the existing report that kept this file's reports unwritten
    std::vector<std::pair<std::string, std::string>> extraOutputs_; // path, role
};

} // namespace quillex
