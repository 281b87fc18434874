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

std::size_t BodyExtensions::layOutTable(PieceList& pieces, std::size_t first,
                                        std::vector<std::string>&) {
    return nextPieceOf(pieces, first, PieceKind::EndOfTable);
}

std::size_t BodyExtensions::layOutFrame(PieceList& pieces, std::size_t first,
                                        std::vector<std::string>&) {
    return nextPieceOf(pieces, first, PieceKind::TextAfterFrame);
}

std::optional<std::vector<std::string>> BodyExtensions::convertIndexMarker(const std::string&) {
    return std::nullopt;
}

std::optional<std::vector<std::string>>
BodyExtensions::convertVariable(std::span<const std::string>, const TagAttributes&) {
    return std::nullopt;
}

void BodyExtensions::collectSharedItem(const std::string&) {}
void BodyExtensions::noteAutonumberReference(const std::string&) {}
void BodyExtensions::collectSharedClass(const std::string&) {}

} // namespace quillex
