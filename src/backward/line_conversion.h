// Line conversion: translated lines turned back into Interleaf markup.
//
// Each element (one tag or one run of text, after the item split) becomes the
// Interleaf lines it stands for: tags mostly by looking their exact text up
// in the tag replacements that the re-parse of the skeleton rebuilt, text by
// the character conversion. Frames anchored inside the lines are split off
// and filed under their own key, for the pieces that follow them.
#pragma once

#include "backward/backward_context.h"
#include "backward/segmentation.h"

#include <string>
#include <vector>

namespace quillex::backward {

// Converts `lines` in place. Frames met in them file the lines after them in
// `segments`. The Japanese target flag of `context` flips at each western-
// font tag. Throws a parser-error ConversionFailure for an internal tag with
// no replacement.
void convertSegment(std::vector<std::string>& lines, BackwardContext& context,
                    SegmentMap& segments);

} // namespace quillex::backward
