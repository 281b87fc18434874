// The three kinds of batch and what distinguishes them.
#pragma once

#include "foundation/message_id.h"

namespace quillex {

enum class BatchKind { Forward, Backward, Verify };

struct BatchKindInfo {
    const char* name;            // "forward", "backward", "verify"
    MessageId fileDialogTitleId; // title of the open-file dialog
    MessageId filterIdRtf;       // file filter when QMX files are RTF
    MessageId filterIdText;      // file filter when QMX files are text
    const char* confirmTitle;    // title of the confirmation dialog
    MessageId confirmLineId;     // "%d ... File(s) will be ..." line of that dialog
    int stepsPerFile;            // progress units of one file
    MessageId beforeFileLineId;  // "Converting %s" or "Verifying %s"
};

const BatchKindInfo& batchKindInfo(BatchKind kind);

} // namespace quillex
