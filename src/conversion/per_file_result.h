// resultOf: where the failures of a per-file routine become its result.
//
// Inside a routine a refusal travels as a ConversionFailure and a file that
// cannot be read or written as a FileProblem; the routine's entry turns both
// into the one ConversionResult the batch runner reads (the code, and the
// lines that say why). Only memory exhaustion passes through, to the
// runner's boundary.
#pragma once

#include "conversion/result_code.h"
#include "foundation/file_error.h"

#include <utility>

namespace quillex {

// Runs `run` (which returns the routine's code when it runs to its end).
template <class Run> ConversionResult resultOf(Run&& run) {
    try {
        return {std::forward<Run>(run)(), {}};
    } catch (const ConversionFailure& failure) {
        return {failure.code(), {}};
    } catch (const FileProblem& problem) {
        return {result::FileError, problem.resultLines()};
    }
}

} // namespace quillex
