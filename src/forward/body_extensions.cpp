// The defaults of the body conversion's extension points.
#include "forward/body_extensions.h"

namespace quillex {
namespace {

std::size_t nextPieceOf(const PieceList& pieces, std::size_t first, PieceKind kind) {
    for (std::size_t i = first + 1; i < pieces.size(); ++i)
        if (pieces[i]->kind == kind)
            return i;
    return pieces.size();
}

} // namespace

std::size_t BodyExtensions::layOutTable(PieceList& pieces, std::size_t first, ItemList&) {
    return nextPieceOf(pieces, first, PieceKind::EndOfTable);
}

std::size_t BodyExtensions::layOutFrame(PieceList& pieces, std::size_t first, ItemList&) {
    return nextPieceOf(pieces, first, PieceKind::TextAfterFrame);
}

std::optional<ItemList> BodyExtensions::convertIndexMarker(std::string_view) {
    return std::nullopt;
}

std::optional<ItemList> BodyExtensions::convertVariable(std::span<const std::string_view>,
                                                        const TagAttributes&) {
    return std::nullopt;
}

void BodyExtensions::collectSharedItem(std::string_view) {}
void BodyExtensions::noteAutonumberReference(std::string_view) {}
void BodyExtensions::collectSharedClass(const std::string&) {}

} // namespace quillex
