// BatchHost: everything the batch runner needs from a front end.
//
// The runner holds the batch logic; a front end (window, terminal, test)
// implements these dialogs, bars and lists. Every call is made on the thread
// that runs the batch.
#pragma once

#include "app/batch_kind.h"
#include "conversion/conversion_host.h"

#include <string>
#include <vector>

namespace quillex {

// The directories of the confirmation dialog. For a forward batch: the
// folder of the chosen files, the QMX & ORG folder and the folder that gets a
// copy of the QMX files. For backward and verify: the folder of the source
// QMX & ORG files, and the folder of the chosen translated files (where the
// output or the reports go).
struct BatchReport;

struct BatchDirectories {
    std::string chosenFiles;
    std::string org;
    std::string translated;
};

class BatchHost {
  public:
    virtual ~BatchHost() = default;

    // The multi-select open-file dialog; an empty list means Cancel.
    virtual std::vector<std::string> chooseFiles(const std::string& title,
                                                 const std::string& filter,
                                                 const std::string& startDirectory) = 0;

    // The confirmation dialog of the kind: `countLine` says how many files;
    // the host may change `directories` and must only return true with
    // directories that validateBatchDirectories accepts. False means Cancel.
    virtual bool confirmBatch(BatchKind kind, const std::string& title,
                              const std::string& countLine, BatchDirectories& directories) = 0;

    virtual Answer ask(const std::string& question, bool withCancel) = 0;
    // The question before an existing output is replaced. A host may offer
    // answers that hold for the rest of the batch; by default it is a
    // question like any other.
    virtual Answer askOverwrite(const std::string& question, bool withCancel) {
        return ask(question, withCancel);
    }

    // The batch starts on file `number` (from 1) of `count`.
    virtual void fileStarted(int number, int count, const std::string& path) {
        (void)number;
        (void)count;
        (void)path;
    }
    // The batch has ended (run to its end or stopped); its summary follows.
    virtual void batchEnded(const BatchReport& report) { (void)report; }

    virtual void setProgressRanges(int fileMaximum, int batchMaximum) = 0;
    virtual void setProgress(int fileValue, int batchValue) = 0;
    virtual void appendResult(const std::string& line) = 0;

    // The summary box at the end (or the final box of a stopped batch).
    virtual void showSummary(const std::string& text, bool isError) = 0;

    virtual bool isCancelled() const = 0;
    virtual void clearCancel() = 0;

    // Makes the output folders of `directories` that the user named and
    // that do not exist yet; called once the batch's files are accepted,
    // before anything is written. Returns why a folder could not be made.
    virtual std::string makeOutputFolders(BatchKind kind, const BatchDirectories& directories) {
        (void)kind;
        (void)directories;
        return {};
    }

    // Set while a batch runs; a window refuses page changes and closing.
    virtual void setBusy(bool busy) { (void)busy; }
};

// The rules of the confirmation dialogs: the directories must exist, a
// forward batch may not write into the folder of its source files (15050),
// and verify needs two different folders (15040). Returns the message to show,
// or an empty string when the directories are acceptable.
std::string validateBatchDirectories(BatchKind kind, const BatchDirectories& directories);

} // namespace quillex
