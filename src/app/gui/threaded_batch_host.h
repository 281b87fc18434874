// ThreadedBatchHost: the batch host that a batch on a worker thread talks to.
//
// Every call is carried out by another host (the page's) on the window's
// thread. Dialogs and questions block the worker until the user has answered;
// progress and results lines are queued without waiting, in order with the
// dialogs. The cancel flag is an atomic that the window sets and the worker
// polls.
#pragma once

#include "app/batch_host.h"

#include <atomic>

class QObject;

namespace quillex {

class ThreadedBatchHost : public BatchHost {
  public:
    // `windowContext` lives on the window's thread; calls are run there.
    ThreadedBatchHost(BatchHost& windowHost, QObject& windowContext);

    std::vector<std::string> chooseFiles(const std::string& title, const std::string& filter,
                                         const std::string& startDirectory) override;
    bool confirmBatch(BatchKind kind, const std::string& title, const std::string& countLine,
                      BatchDirectories& directories) override;
    Answer ask(const std::string& question, bool withCancel) override;
    void setProgressRanges(int fileMaximum, int batchMaximum) override;
    void setProgress(int fileValue, int batchValue) override;
    void appendResult(const std::string& line) override;
    void showSummary(const std::string& text, bool isError) override;
    bool isCancelled() const override { return cancelled_.load(); }
    void clearCancel() override { cancelled_.store(false); }

    // Called on the window's thread when the user confirms or denies Cancel.
    void setCancelled(bool cancelled) { cancelled_.store(cancelled); }

  private:
    template <typename Call> void runAndWait(Call&& call);
    template <typename Call> void post(Call&& call);

    BatchHost& windowHost_;
    QObject& windowContext_;
    std::atomic<bool> cancelled_{false};
};

} // namespace quillex
