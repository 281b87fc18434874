// Cross-reference variables written back: the translated suffix of an
// <xrv "%s" %d> block put into the "var-suffix" of the variable's "Lisp"
// attribute, with the escapes the variable's text uses.
#pragma once

#include "backward/backward_context.h"

#include <span>
#include <string>
#include <vector>

namespace quillex::backward {

// A translated variable block (`block` begins with its opening line and runs
// at least to </xrv>) as the Interleaf lines of the variable's component:
// its markup from the skeleton (the replacement of the opening line) with
// the suffix between the quotes after "var-suffix" replaced by the
// translated one, cut into its items. In the suffix, characters with codes
// become "\x"/"\X" escapes closed by a backslash, <:ldq> becomes "\^?",
// backslashes are doubled and double quotes written as a backslash and two
// double quotes. Throws a parser-error ConversionFailure when the opening
// line has no replacement, the replacement defines no suffix, or an internal
// tag stands for no character code; an unexpected-end one when </xrv> is
// missing.
std::vector<std::string> convertCrossReferenceVariable(std::span<const std::string> block,
                                                       const BackwardContext& context);

} // namespace quillex::backward
