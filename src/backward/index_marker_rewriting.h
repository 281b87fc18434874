// Index markers written back: the translated headings, sort and see texts
// of an <imk> block put into the marker's "<Index" tag.
#pragma once

#include "backward/backward_context.h"

#include <span>
#include <string>
#include <vector>

namespace quillex::backward {

// Index entries have at most this many levels.
inline constexpr std::size_t kIndexLevels = 6;

// A translated index marker block (`block` begins with its opening line,
// <imk %d> or <imk>, and runs at least to </imk>) as one line: the marker's
// "<Index" tag from the skeleton (the replacement of <imk %d>) with each
// heading, "Sort" and first "See" value replaced by the translated text of
// its level, quoted, or for <imk> a new "<Index" tag of the translated
// headings and sort texts. The texts follow <ie> (the first level), each
// <il> (the next level), and <ss> and <sa> (the sort and see texts of the
// current level). A level that the translation does not have ends the
// heading walk: its heading and the later ones are dropped. A sort or see
// text that the translation has emptied is written as an empty value; one
// that it does not have keeps the skeleton's value. Throws a parser-error
// ConversionFailure when <imk %d> has no replacement or an internal tag
// stands for no character code, an unexpected-end one when </imk> is
// missing.
std::vector<std::string> convertIndexMarker(std::span<const std::string> block,
                                            const BackwardContext& context);

} // namespace quillex::backward
