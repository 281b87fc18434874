// Frames anchored inside hidden, shared and read-only components.
//
// Such a component stands behind one tag (<v>, <r>, <cnmk>, <pn> and their
// inline forms), and the markup the tag stands for holds what the forward
// conversion made of a frame anchored inside it: the frame's tag and its
// text blocks. The skeleton keeps the frame and its texts, but the text after
// the frame belongs to the frame's own piece. So the tag is cut at each
// frame: the markup before the frame and the markup after it stand behind
// tags of their own, and the frame's tag lines stand between them, so that
// the text after the frame is filed under the frame's tag as for a frame in
// translated text.
#pragma once

#include "backward/backward_context.h"

#include <string>
#include <vector>

namespace quillex::backward {

// Cuts every hiding tag of `items` whose markup holds a frame, entering the
// parts' tags in `replacements`.
void splitHiddenFrames(std::vector<std::string>& items, TagRegistry& registry);

} // namespace quillex::backward
