// What the batch runner does with each per-file result code: the lines it
// appends to the results list, whether the file counts as failed, and whether
// the batch stops (with the message of its final box).
#pragma once

#include "app/batch_kind.h"
#include "foundation/message_id.h"
#include "verifier/verification_counts.h"

#include <string>
#include <vector>

namespace quillex {

struct ResultEffect {
    std::vector<std::string> lines; // appended in order, then one empty line
    bool fails = false;
    bool stops = false;
    MessageId finalBoxId =
        MessageId::None; // message box shown when the batch stops ("%d file(s) ...")
};

ResultEffect resultEffect(int code, BatchKind kind, const VerificationCounts& counts = {});

} // namespace quillex
