// Piece filling: every piece of the re-parsed skeleton gets the Interleaf
// lines of its translation.
//
// A piece is looked up by its key (the QMX tag the forward conversion gave
// it) in the segment map; what is found is converted by the rule of the
// piece's kind. A piece with nothing filed under its key keeps the lines the
// re-parse gave it, so its range of the skeleton stays as it was. The
// declarations (formats, streams, classes) are filled only when the file's
// ancillary text could be used.
#pragma once

#include "backward/backward_context.h"
#include "backward/segmentation.h"
#include "forward/class_information.h"
#include "forward/document_piece.h"

namespace quillex::backward {

struct FillSettings {
    bool styleMode = false;
    bool ancillaryUsable = false;
    // Declare the classes of the QMX small-caps and western-font tags that
    // the translation uses and the document lacks.
    bool addQmxClasses = true;
};

// Fills the lines of `pieces` from `segments`, then adds the two classes of
// the QMX small-caps and western-font tags when the document lacks them and
// `settings` asks for them.
// Throws a parser-error ConversionFailure for a class the table lacks.
void fillPieces(PieceList& pieces, SegmentMap& segments, const ClassTable& classes,
                const FillSettings& settings, BackwardContext& context);

} // namespace quillex::backward
