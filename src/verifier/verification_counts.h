// The findings of one verification, counted by level, as the batch runner
// reports them.
#pragma once

namespace quillex {

struct VerificationCounts {
    int errors = 0;
    int alerts = 0;
    int warnings = 0;

    bool any() const { return errors != 0 || alerts != 0 || warnings != 0; }
};

} // namespace quillex
