// Laying out the body.
#include "forward/body_layout.h"

#include <iterator>

namespace quillex {
namespace {

// Once laid out, a body text piece keeps only its first line (its token),
// so that the views of its lines are not held twice through the body
// conversion (their texts stay where they are).
void appendLinesAfterFirst(DocumentPiece& piece, ItemList& items) {
    if (piece.lines.size() <= 1)
        return;
    items.insert(items.end(), piece.lines.begin() + 1, piece.lines.end());
    piece.lines.keepFirst(1);
}

std::size_t firstBodyPiece(const PieceList& pieces) {
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i]->kind == PieceKind::EndOfDeclarations)
            return i;
    return pieces.size();
}

// About as many items as the body pieces have lines, and a tag a piece:
// reserved at once, the list is not held twice while it grows.
std::size_t itemEstimate(const PieceList& pieces, std::size_t first) {
    std::size_t count = 0;
    for (std::size_t i = first; i < pieces.size(); ++i)
        count += pieces[i]->lines.size() + 1;
    return count;
}

} // namespace

// Declarations come before the end-of-declarations piece and are the
// business of the format conversion, so the walk starts there.
ItemList layOutBody(PieceList& pieces, BodyExtensions& extensions) {
    ItemList items;
    std::size_t i = firstBodyPiece(pieces);
    items.reserve(itemEstimate(pieces, i));
    while (i < pieces.size()) {
        DocumentPiece& piece = *pieces[i];
        std::size_t next = i + 1;
        switch (piece.kind) {
        case PieceKind::EndOfDeclarations:
            appendLinesAfterFirst(piece, items);
            piece.qmxTag = kBodyFrameTag;
            break;
        case PieceKind::Frame:
            next = extensions.layOutFrame(pieces, i, items);
            break;
        case PieceKind::TableStart:
            next = extensions.layOutTable(pieces, i, items);
            break;
        case PieceKind::TextAfterFrame:
        case PieceKind::EndOfTable:
            appendLinesAfterFirst(piece, items);
            break;
        default:
            break;
        }
        i = next > i ? next : i + 1;
    }
    return items;
}

} // namespace quillex
