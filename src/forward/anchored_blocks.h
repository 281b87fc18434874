// Moving anchored blocks behind their paragraph.
//
// A frame, a footnote or an index marker anchored inside a paragraph is a
// block of QMX lines (from its start tag to its end tag). Each line of a QMX
// file is one external tag with its text, so such a block cannot stay in
// the middle of the paragraph's line: it moves to just before the next line
// start, and an inline anchor stands where it was.
#pragma once

#include "conversion/conversion_options.h"
#include "forward/item_list.h"
#include "forward/tag_registry.h"

#include <string_view>

namespace quillex {

// Moves every "<af " ... "</af>", "<fn " ... "</fn>" and "<imk " ...
// "</imk>" block to just before the next line start after it (the end of the
// list when there is none), keeping blocks in document order. A frame leaves
// an anchor made from its start tag with "<:" for "<" (entered in both tag
// maps); an index marker leaves one too when `markerPlaceholders` says Insert; a
// footnote's anchor is already in the text. Cell frames ("<ctart " ...
// "</ctart>") stay where they are. Throws 6 for a block without its start.
// With IndexMarkersOnly, frames and footnotes stay where they are too (the
// ancillary text, whose frames are blocks of their own).
enum class AnchoredBlocks { All, IndexMarkersOnly };
ItemList moveAnchoredBlocks(const ItemList& items, TagRegistry& registry,
                            MarkerPlaceholders markerPlaceholders,
                            AnchoredBlocks which = AnchoredBlocks::All);

// True for an item that begins a QMX line of its own kind: a paragraph,
// prefix, read-only, shared, variable, table or hidden-component tag, or the
// end of a format, page, cell or micro-document.
bool isLineStart(std::string_view item);

} // namespace quillex
