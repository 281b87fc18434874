// Pieces that come back untranslated keep the skeleton's bytes.
//
// A filled piece is laid out anew: text cut at 74 columns with soft returns,
// declarations written from what the ancillary text says of them. Interleaf
// reads that as it reads the skeleton, but users keep their documents under
// version control, and a document that changed on every line hides the
// translation. So the backward conversion also fills a copy of the pieces
// from the QMX that the forward conversion makes of the skeleton itself (the
// file as it was handed out, not translated), with the declarations left as
// they are. A piece whose translation fills it with the same lines was not
// translated, and its range of the skeleton stays byte for byte.
#pragma once

#include "forward/document_piece.h"

#include <string>
#include <vector>

namespace quillex::backward {

// The QMX lines as a translated file hands them back: each cut at its line
// ends, blank lines dropped.
std::vector<std::string> asReadBack(std::vector<std::string> lines);

// A copy of every piece, to be filled on the side. Its lines view those of
// `pieces` (DocumentPiece::viewingCopy), which must outlive the copy: copying
// the texts would hold the skeleton's text a second time.
PieceList copyOfPieces(const PieceList& pieces);

// Unfills every piece of `pieces` whose lines are those of the same piece of
// `untranslated` (the copy filled from the skeleton's own QMX). Pieces that
// write the text of one key between them keep the skeleton's bytes together
// or not at all: pieces of the same key (a master table in the body hands
// the text after it on), and a piece whose text is filed under another's key
// (the text after a header or footer in the body) with the pieces back to
// the one that writes it. An empty `untranslated` changes nothing.
void keepUntranslatedPieces(PieceList& pieces, const PieceList& untranslated);

} // namespace quillex::backward
