// The host interface of the per-file routines.
//
// A converter never talks to a window or a terminal. It reports progress
// steps and results lines, and polls the cancel flag, through this interface;
// the batch runner implements it for whichever front end runs the batch.
#pragma once

#include <string>

namespace quillex {

// The answer to a question put to the user.
enum class Answer { Yes, No, Cancel };

class ConversionHost {
  public:
    virtual ~ConversionHost() = default;

    // One progress step. The file bar moves unless skipFileBar is set, the
    // batch bar unless skipBatchBar is set.
    virtual void progressStep(bool skipFileBar, bool skipBatchBar) = 0;

    // Appends one line to the results list.
    virtual void appendResult(const std::string& line) = 0;

    // True once the user has asked to cancel the batch.
    virtual bool isCancelled() const = 0;

    // Puts a question to the user: Yes/No, or Yes/No/Cancel when withCancel.
    virtual Answer ask(const std::string& question, bool withCancel) = 0;
};

} // namespace quillex
