// Declarations adapted to the translation: the language named in class,
// component, font change and index declarations becomes the target
// language, page declarations turn hyphenation off when the translation is
// not to be hyphenated, and the two classes that the QMX small-caps and
// western-font tags refer to are declared where the document lacks them.
#pragma once

#include "backward/backward_context.h"
#include "forward/document_piece.h"

#include <string>
#include <vector>

namespace quillex::backward {

// Rewrites the declaration lines among `lines` (a page declaration's, or a
// class declaration's with its contents) for the target language and
// hyphenation; nothing happens when the two languages are the same and the
// translation keeps its hyphenation. Lines between <Comment, QMX No Change>
// and <Comment, QMX End of No Change> (markup put back unchanged) are
// passed over; `noChangeDepth` counts the open ones and lives as long as
// the file's conversion, since such a stretch may span pieces. A line is
// written again only when one of its properties changed.
void rewriteDeclarations(std::vector<std::string>& lines, const BackwardContext& context,
                         int& noChangeDepth);

// Declares the classes "QMXSmallCaps" and "QMXWesternFont" unless the
// document does: each font declaration before the first class declaration
// gets a font "Times 10.2" under the first free name "F%d", and the first
// class declaration is preceded by the missing classes, which use that font
// (F0 when the document declares no fonts). To be called after the pieces
// have been filled.
void addQmxClasses(PieceList& pieces, bool smallCapsDeclared, bool westernFontDeclared);

} // namespace quillex::backward
