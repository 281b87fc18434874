// ProgressBudget: the progress units one per-file run owes the batch.
//
// Every run of a file moves the bars by exactly its kind's number of steps.
// A step posts one progress message and then checks for Cancel; whatever the
// run has not used up when it ends is posted to the batch bar only.
#pragma once

#include "conversion/conversion_host.h"
#include "conversion/result_code.h"

namespace quillex {

class ProgressBudget {
  public:
    ProgressBudget(ConversionHost& host, int steps) : host_(host), remaining_(steps) {}
    ~ProgressBudget() { finish(); }
    ProgressBudget(const ProgressBudget&) = delete;
    ProgressBudget& operator=(const ProgressBudget&) = delete;

    // Posts one step; throws `cancelCode` when the user has cancelled.
    void step(ResultCode cancelCode = result::Cancelled) {
        if (remaining_ > 0) {
            host_.progressStep(false, false);
            --remaining_;
        }
        if (host_.isCancelled())
            throw ConversionFailure(cancelCode);
    }

    // Posts the steps left over, moving the batch bar only.
    void finish() {
        for (; remaining_ > 0; --remaining_)
            host_.progressStep(true, false);
    }

    int remaining() const { return remaining_; }
    ConversionHost& host() { return host_; }

  private:
    ConversionHost& host_;
    int remaining_;
};

} // namespace quillex
