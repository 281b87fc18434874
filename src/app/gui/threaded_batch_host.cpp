// ThreadedBatchHost: the batch host that a batch on a worker thread talks to.
#include "app/gui/threaded_batch_host.h"

#include <QMetaObject>
#include <QObject>

namespace quillex {
namespace {

// Added to the summary when the user confirmed Cancel but the batch had
// already done all its files (the last one past its last check for Cancel).
constexpr const char* kCancelCameTooLate =
    "\n\nCancel came too late: the batch had already dealt with every file.";

} // namespace

ThreadedBatchHost::ThreadedBatchHost(BatchHost& windowHost, QObject& windowContext)
    : windowHost_(windowHost), windowContext_(windowContext) {
    flushTimer_.setInterval(kFlushIntervalMs);
    QObject::connect(&flushTimer_, &QTimer::timeout, &windowContext_, [this] { flush(); });
    flushTimer_.start();
}

// Runs `call` on the window's thread and waits for it: the worker's data it
// refers to stays alive meanwhile, so it may capture by reference. What the
// worker gathered before goes to the window first.
template <typename Call> void ThreadedBatchHost::runAndWait(Call&& call) {
    waitWhilePaused();
    QMetaObject::invokeMethod(
        &windowContext_,
        [this, &call] {
            flush();
            call();
        },
        Qt::BlockingQueuedConnection);
}

void ThreadedBatchHost::waitWhilePaused() const {
    std::unique_lock lock(mutex_);
    resumed_.wait(lock, [this] { return !paused_; });
}

void ThreadedBatchHost::pause() {
    const std::lock_guard lock(mutex_);
    paused_ = true;
}

void ThreadedBatchHost::resume(bool cancel) {
    {
        const std::lock_guard lock(mutex_);
        cancelled_.store(cancel);
        paused_ = false;
    }
    resumed_.notify_all();
}

bool ThreadedBatchHost::isCancelled() const {
    waitWhilePaused();
    return cancelled_.load();
}

void ThreadedBatchHost::flush() {
    std::vector<std::string> lines;
    std::optional<std::pair<int, int>> ranges;
    std::optional<std::pair<int, int>> progress;
    std::optional<FileStart> fileStart;
    {
        const std::lock_guard lock(mutex_);
        lines.swap(lines_);
        ranges.swap(ranges_);
        progress.swap(progress_);
        fileStart.swap(fileStart_);
    }
    resumed_.notify_all();
    if (ranges)
        windowHost_.setProgressRanges(ranges->first, ranges->second);
    if (fileStart)
        windowHost_.fileStarted(fileStart->number, fileStart->count, fileStart->path);
    if (progress)
        windowHost_.setProgress(progress->first, progress->second);
    for (const std::string& line : lines)
        windowHost_.appendResult(line);
}

std::vector<std::string> ThreadedBatchHost::chooseFiles(const std::string& title,
                                                        const std::string& filter,
                                                        const std::string& startDirectory) {
    std::vector<std::string> files;
    runAndWait([&] { files = windowHost_.chooseFiles(title, filter, startDirectory); });
    return files;
}

bool ThreadedBatchHost::confirmBatch(BatchKind kind, const std::string& title,
                                     const std::string& countLine, BatchDirectories& directories) {
    bool confirmed = false;
    runAndWait([&] { confirmed = windowHost_.confirmBatch(kind, title, countLine, directories); });
    return confirmed;
}

Answer ThreadedBatchHost::ask(const std::string& question, bool withCancel) {
    Answer answer = Answer::Cancel;
    runAndWait([&] { answer = windowHost_.ask(question, withCancel); });
    return answer;
}

Answer ThreadedBatchHost::askOverwrite(const std::string& question, bool withCancel) {
    Answer answer = Answer::Cancel;
    runAndWait([&] { answer = windowHost_.askOverwrite(question, withCancel); });
    return answer;
}

void ThreadedBatchHost::fileStarted(int number, int count, const std::string& path) {
    waitWhilePaused();
    const std::lock_guard lock(mutex_);
    fileStart_ = FileStart{number, count, path};
}

void ThreadedBatchHost::batchEnded(const BatchReport& report) {
    runAndWait([&] { windowHost_.batchEnded(report); });
}

void ThreadedBatchHost::setProgressRanges(int fileMaximum, int batchMaximum) {
    waitWhilePaused();
    const std::lock_guard lock(mutex_);
    ranges_ = {fileMaximum, batchMaximum};
}

// A progress step is where a paused batch stops until the user has answered.
void ThreadedBatchHost::setProgress(int fileValue, int batchValue) {
    waitWhilePaused();
    const std::lock_guard lock(mutex_);
    progress_ = {fileValue, batchValue};
}

// A batch that prints faster than the window takes lines waits for the
// next flush rather than pile them up.
void ThreadedBatchHost::appendResult(const std::string& line) {
    waitWhilePaused();
    std::unique_lock lock(mutex_);
    resumed_.wait(lock, [this] { return lines_.size() < kMostWaitingLines; });
    lines_.push_back(line);
}

// The summary box waits for OK before the batch goes on (to the ancillary
// question of a forward batch). A summary that is no error box while Cancel
// is set means the batch ended before Cancel could stop it.
void ThreadedBatchHost::showSummary(const std::string& text, bool isError) {
    std::string summary = text;
    if (!isError && isCancelled())
        summary += kCancelCameTooLate;
    runAndWait([&] { windowHost_.showSummary(summary, isError); });
}

} // namespace quillex
