// The prefixes of page-number streams and the level texts of autonumber
// streams written back: the stream's declaration as it stood in the skeleton
// (the markup of the block's opening tag) with the translated texts put
// into its properties.
#pragma once

#include "backward/backward_context.h"

#include <span>
#include <string>
#include <vector>

namespace quillex::backward {

// A translated <pgfmt "%s"> block (`block` begins with its opening line and
// runs at least to </pgfmt>) as its page-number stream declaration: the
// text after <bb "Prefix1"> goes into "Page # Prefix", the text after
// <bb "Prefix2"> into "Page # Prefix Two", each quoted; a prefix the
// declaration does not have is dropped. One line.
std::vector<std::string> convertPageNumberFormat(std::span<const std::string> block,
                                                 const BackwardContext& context);

// A translated <anfmt "%s"> block as its autonumber stream declaration: the
// text after each <bb "Level %d Prefix"> or <bb "Level %d Suffix"> goes into
// the property that the heading names. One line.
std::vector<std::string> convertAutonumberFormat(std::span<const std::string> block,
                                                 const BackwardContext& context);

// Both throw a parser-error ConversionFailure when the opening line has no
// replacement or an internal tag stands for no character code, and an
// unexpected-end one when the closing line is missing.

} // namespace quillex::backward
