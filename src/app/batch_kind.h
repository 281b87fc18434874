// The three kinds of batch and what distinguishes them.
#pragma once

namespace quillex {

enum class BatchKind { Forward, Backward, Verify };

struct BatchKindInfo {
    const char* name;         // "forward", "backward", "verify"
    int fileDialogTitleId;    // title of the open-file dialog
    int filterIdRtf;          // file filter when QMX files are RTF
    int filterIdText;         // file filter when QMX files are text
    const char* confirmTitle; // title of the confirmation dialog
    int confirmLineId;        // "%d ... File(s) will be ..." line of that dialog
    int stepsPerFile;         // progress units of one file
    int beforeFileLineId;     // "Converting %s" or "Verifying %s"
};

const BatchKindInfo& batchKindInfo(BatchKind kind);

} // namespace quillex
