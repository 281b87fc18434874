// Laying out the body.
#include "forward/body_layout.h"

namespace quillex {
namespace {

void appendLinesAfterFirst(const DocumentPiece& piece, std::vector<std::string>& items) {
    if (piece.lines.size() > 1)
        items.insert(items.end(), piece.lines.begin() + 1, piece.lines.end());
}

std::size_t firstBodyPiece(const PieceList& pieces) {
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i]->kind == PieceKind::EndOfDeclarations)
            return i;
    return pieces.size();
}

} // namespace

// Declarations come before the end-of-declarations piece and are the
// business of the format conversion, so the walk starts there.
std::vector<std::string> layOutBody(PieceList& pieces, BodyExtensions& extensions) {
    std::vector<std::string> items;
    std::size_t i = firstBodyPiece(pieces);
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
