// The Interleaf ASCII text of a filled piece: its lines laid out the way the
// format expects, which kinds of piece are written back at all, and where a
// long text line is cut.
//
// Markup lines are written as they are, text lines are cut into chunks of
// at most 74 bytes, and most lines end with a soft return ("<SR>"), which
// the format reads as nothing, as it reads the line feeds between chunks.
#pragma once

#include "forward/document_piece.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillex::backward {

// Whether pieces of `kind` replace their range of the skeleton. Frames,
// headers, footers and the other diagram containers keep their skeleton
// text; their translatable contents are pieces of their own.
bool isWrittenBack(PieceKind kind);

// The text that replaces the piece's range, line ends as single line feeds.
std::string layOutPiece(const DocumentPiece& piece, bool japaneseTarget);

// `text` cut into chunks of at most 74 bytes. A cut never separates a
// backslash from what it escapes (a character, or "x"/"X" with its hex
// digits), never falls inside a "<#...>" character code, and for a Japanese
// target never inside a double-byte character (pairs counted from the start
// of the text): it moves left to the start of that unit. A unit longer than
// a whole chunk stays whole.
std::vector<std::string_view> cutTextLine(std::string_view text, bool japaneseTarget);

} // namespace quillex::backward
