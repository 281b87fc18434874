// ThreadedBatchHost: the batch host that a batch on a worker thread talks to.
//
// Every call is carried out by another host (the page's) on the window's
// thread. Dialogs and questions block the worker until the user has answered.
// Progress and results lines are gathered without waiting and handed to the
// window every kFlushIntervalMs (and before every dialog, so the order holds):
// however fast a batch prints, the window gets one update per interval.
// The cancel flag is an atomic that the window sets and the worker polls.
// While the window asks whether to cancel, the batch is paused: the worker
// waits at its next call here, so no new work starts before the answer.
#pragma once

#include "app/batch_host.h"

#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

class QObject;

namespace quillex {

class ThreadedBatchHost : public BatchHost {
  public:
    static constexpr int kFlushIntervalMs = 50;
    // Lines that may wait for a flush; more make the worker wait.
    static constexpr std::size_t kMostWaitingLines = 4000;

    // Both live on the window's thread; calls are run there, and the host
    // must be made there too.
    ThreadedBatchHost(BatchHost& windowHost, QObject& windowContext);

    std::vector<std::string> chooseFiles(const std::string& title, const std::string& filter,
                                         const std::string& startDirectory) override;
    bool confirmBatch(BatchKind kind, const std::string& title, const std::string& countLine,
                      BatchDirectories& directories) override;
    Answer ask(const std::string& question, bool withCancel) override;
    Answer askOverwrite(const std::string& question, bool withCancel) override;
    void fileStarted(int number, int count, const std::string& path) override;
    void batchEnded(const BatchReport& report) override;
    void setProgressRanges(int fileMaximum, int batchMaximum) override;
    void setProgress(int fileValue, int batchValue) override;
    void appendResult(const std::string& line) override;
    void showSummary(const std::string& text, bool isError) override;
    bool isCancelled() const override;
    void clearCancel() override { cancelled_.store(false); }

    // Window thread: hands what the worker gathered to the window's host.
    void flush();
    // Window thread: the user is asked whether to cancel; the worker waits
    // at its next call until resume() gives the answer.
    void pause();
    void resume(bool cancel);

  private:
    struct FileStart {
        int number;
        int count;
        std::string path;
    };

    template <typename Call> void runAndWait(Call&& call);
    void waitWhilePaused() const;

    BatchHost& windowHost_;
    QObject& windowContext_;
    std::atomic<bool> cancelled_{false};
    QTimer flushTimer_;

    // Guarded by mutex_: what waits for the next flush, and the pause.
    mutable std::mutex mutex_;
    // Signalled on resume() and on every flush.
    mutable std::condition_variable resumed_;
    bool paused_ = false;
    std::vector<std::string> lines_;
    std::optional<std::pair<int, int>> ranges_;
    std::optional<std::pair<int, int>> progress_;
    std::optional<FileStart> fileStart_;
};

} // namespace quillex
