// PageBatchHost: the batch host of a batch page, on the window's thread.
//
// It shows the dialogs a batch needs (open files, the confirmation dialog,
// questions, the summary) through UserDialogs and fills the page's bars and
// results list. The batch itself runs on a worker thread and reaches this
// host through ThreadedBatchHost.
#pragma once

#include "app/batch_host.h"
#include "app/gui/user_dialogs.h"

#include <QStringList>

#include <optional>

namespace quillex {

class BatchPage;
class UserDialogs;

class PageBatchHost : public BatchHost {
  public:
    PageBatchHost(BatchPage& page, UserDialogs& dialogs);

    std::vector<std::string> chooseFiles(const std::string& title, const std::string& filter,
                                         const std::string& startDirectory) override;
    bool confirmBatch(BatchKind kind, const std::string& title, const std::string& countLine,
                      BatchDirectories& directories) override;
    Answer ask(const std::string& question, bool withCancel) override;
    // Yes to All and No to All answer every later overwrite question of
    // the batch (one host serves one batch).
    Answer askOverwrite(const std::string& question, bool withCancel) override;
    void fileStarted(int number, int count, const std::string& path) override;
    void batchEnded(const BatchReport& report) override;
    void setProgressRanges(int fileMaximum, int batchMaximum) override;
    void setProgress(int fileValue, int batchValue) override;
    void appendResult(const std::string& line) override;
    // The summary also goes into the results list, with an icon that says
    // whether files failed.
    void showSummary(const std::string& text, bool isError) override;
    // The cancel flag lives with the worker thread's host.
    bool isCancelled() const override { return false; }
    void clearCancel() override {}

    // The batch takes these files instead of showing the open-file dialog
    // (none: the dialog shows).
    void chooseFilesWith(const QStringList& files) { files_ = files; }

    // From now on every dialog is answered at once, as Cancel or No, without
    // showing anything: the window is going away and the batch must end.
    void closeDown() { closingDown_ = true; }

  private:
    BatchPage& page_;
    UserDialogs& dialogs_;
    bool closingDown_ = false;
    std::optional<Answer> overwriteForAll_;
    QStringList files_;
    // Files failed or verified with findings.
    bool findings_ = false;
};

} // namespace quillex
