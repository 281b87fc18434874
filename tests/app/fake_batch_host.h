// A scripted BatchHost that records everything the runner shows.
#pragma once

#include "app/batch_host.h"

#include <deque>
#include <string>
#include <vector>

namespace quillex::testing {

class FakeBatchHost : public BatchHost {
  public:
    std::vector<std::string> files;
    BatchDirectories directories; // used when nonempty
    bool confirm = true;
    std::deque<Answer> answers; // answers to questions, in order (default Yes)
    bool cancelled = false;

    std::vector<std::string> questions;
    std::vector<std::string> results;
    std::vector<std::string> summaries;
    std::vector<bool> summaryIsError;
    int fileMaximum = 0;
    int batchMaximum = 0;
    int fileValue = 0;
    int batchValue = 0;
    bool busy = false;

    std::vector<std::string> chooseFiles(const std::string&, const std::string&,
                                         const std::string&) override {
        return files;
    }
    bool confirmBatch(BatchKind, const std::string&, const std::string&,
                      BatchDirectories& chosen) override {
        if (!directories.org.empty())
            chosen.org = directories.org;
        if (!directories.translated.empty())
            chosen.translated = directories.translated;
        return confirm;
    }
    Answer ask(const std::string& question, bool) override {
        questions.push_back(question);
        if (answers.empty())
            return Answer::Yes;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void setProgressRanges(int file, int batch) override {
        fileMaximum = file;
        batchMaximum = batch;
    }
    void setProgress(int file, int batch) override {
        fileValue = file;
        batchValue = batch;
    }
    void appendResult(const std::string& line) override { results.push_back(line); }
    void showSummary(const std::string& text, bool isError) override {
        summaries.push_back(text);
        summaryIsError.push_back(isError);
    }
    bool isCancelled() const override { return cancelled; }
    void clearCancel() override { cancelled = false; }
    void setBusy(bool value) override { busy = value; }

    bool hasResult(const std::string& line) const {
        for (const std::string& result : results)
            if (result == line)
                return true;
        return false;
    }
};

// A host whose user presses Cancel at the `cancelAt`-th batch progress step.
struct CancellingBatchHost : FakeBatchHost {
    explicit CancellingBatchHost(int step) : cancelAt(step) {}
    int steps = 0;
    int cancelAt;
    void setProgress(int file, int batch) override {
        FakeBatchHost::setProgress(file, batch);
        if (batch > 0 && ++steps >= cancelAt)
            cancelled = true;
    }
};

} // namespace quillex::testing
