// The catalog of a style file: the body of its .CAT file.
//
// For each shared item the style declares and documents of the batch use
// (they are converted before the style files), the item's tag and the paths
// of those documents: an autonumber stream as <anfmt "%s"> ... </anfmt>, a
// variable or prefix class as <vfmt "%s"> or <pnfmt "%s">, a shared frame
// as <saf "%s">, a shared named object as <tn "%s">, each path a line of
// its own.
#pragma once

#include "forward/ancillary_collector.h"
#include "forward/document_piece.h"
#include "forward/tag_registry.h"

#include <string>
#include <vector>

namespace quillex {

std::vector<std::string> catalogBody(const PieceList& pieces, const AncillaryCollector& collector,
                                     TagRegistry& registry);

} // namespace quillex
