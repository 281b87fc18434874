// ThreadedBatchHost: the batch host that a batch on a worker thread talks to.
#include "app/gui/threaded_batch_host.h"

#include <QMetaObject>
#include <QObject>

namespace quillex {

ThreadedBatchHost::ThreadedBatchHost(BatchHost& windowHost, QObject& windowContext)
    : windowHost_(windowHost), windowContext_(windowContext) {}

// Runs `call` on the window's thread and waits for it: the worker's data it
// refers to stays alive meanwhile, so it may capture by reference.
template <typename Call> void ThreadedBatchHost::runAndWait(Call&& call) {
    QMetaObject::invokeMethod(&windowContext_, std::forward<Call>(call),
                              Qt::BlockingQueuedConnection);
}

// Queues `call` on the window's thread; it must capture by value.
template <typename Call> void ThreadedBatchHost::post(Call&& call) {
    QMetaObject::invokeMethod(&windowContext_, std::forward<Call>(call), Qt::QueuedConnection);
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

void ThreadedBatchHost::setProgressRanges(int fileMaximum, int batchMaximum) {
    BatchHost* host = &windowHost_;
    post([host, fileMaximum, batchMaximum] { host->setProgressRanges(fileMaximum, batchMaximum); });
}

void ThreadedBatchHost::setProgress(int fileValue, int batchValue) {
    BatchHost* host = &windowHost_;
    post([host, fileValue, batchValue] { host->setProgress(fileValue, batchValue); });
}

void ThreadedBatchHost::appendResult(const std::string& line) {
    BatchHost* host = &windowHost_;
    post([host, line] { host->appendResult(line); });
}

// The summary box waits for OK before the batch goes on (to the ancillary
// question of a forward batch).
void ThreadedBatchHost::showSummary(const std::string& text, bool isError) {
    runAndWait([&] { windowHost_.showSummary(text, isError); });
}

} // namespace quillex
