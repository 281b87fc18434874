// The backward conversion of one translated QMX file.
//
// The translated file carries only text and tags; the layout comes from the
// ORG skeleton that the forward conversion saved. The skeleton is parsed
// again with the forward conversion's own code, which rebuilds its pieces
// (each with its exact range of the skeleton and its key tag) and the tag
// replacements; the translated lines are filed under the key tags, turned
// back into Interleaf markup, and each piece's range of the skeleton is
// replaced by its translation. Nothing reaches the output folder before the
// output is complete.
#pragma once

#include "backward/ancillary_text.h"
#include "conversion/conversion_host.h"
#include "conversion/conversion_options.h"
#include "conversion/result_code.h"

#include <string>
#include <vector>

namespace quillex::backward {

// Progress units the run takes itself. With the skeleton's analysis's (a
// forward file's 10) and the tag check's 9, a backward file moves the bars by
// the 25 units its batch kind counts.
inline constexpr int kBackwardOwnSteps = 6;

// The backward per-file routine. `ancillary` is the batch's: the first file
// reads the ancillary file into it, later files reuse it.
// Gives its result: the code, and the lines of a file error.
ConversionResult convertBack(const ConversionOptions& options, BatchAncillaryText& ancillary,
                             ConversionHost& host);

} // namespace quillex::backward
