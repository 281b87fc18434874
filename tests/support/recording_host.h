// A ConversionHost for tests: it records results lines, questions and
// progress steps, answers every question the same way and can cancel after a
// given number of steps.
#pragma once

#include "conversion/conversion_host.h"

#include <string>
#include <vector>

namespace quillex::testing {

class RecordingHost : public ConversionHost {
  public:
    std::vector<std::string> results;
    std::vector<std::string> questions;
    int steps = 0;      // every progress step
    int fileSteps = 0;  // steps that move the file bar
    int batchSteps = 0; // steps that move the batch bar
    int cancelAfterSteps = -1;
    bool cancelled = false;
    Answer answer = Answer::Yes;

    void progressStep(bool skipFileBar, bool skipBatchBar) override {
        ++steps;
        fileSteps += skipFileBar ? 0 : 1;
        batchSteps += skipBatchBar ? 0 : 1;
        if (cancelAfterSteps >= 0 && steps >= cancelAfterSteps)
            cancelled = true;
    }
    void appendResult(const std::string& line) override { results.push_back(line); }
    bool isCancelled() const override { return cancelled; }
    Answer ask(const std::string& question, bool) override {
        questions.push_back(question);
        return answer;
    }
};

} // namespace quillex::testing
