// Laying out the body: the source lines of the body pieces end to end, with
// tables and frames converted in their places, as one list of items.
#pragma once

#include "forward/body_extensions.h"
#include "forward/document_piece.h"

#include <string>
#include <vector>

namespace quillex {

// The QMX tag of the body: it counts as frame 0.
inline constexpr const char* kBodyFrameTag = "<af 0>";

// Walks the pieces from the end of declarations on. The end-of-declarations
// piece, the text after a frame and the end of a table contribute their
// lines without the first (the closing token); a table or a frame is laid
// out by `extensions`. The end-of-declarations piece gets the tag <af 0>.
ItemList layOutBody(PieceList& pieces, BodyExtensions& extensions);

} // namespace quillex
