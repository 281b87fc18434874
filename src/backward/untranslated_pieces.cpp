// Finding the pieces that come back as the skeleton gave them.
#include "backward/untranslated_pieces.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace quillex::backward {

std::vector<std::string> asReadBack(const std::vector<std::string>& lines) {
    constexpr std::string_view kLineEnds = "\r\n";
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const std::string& line : lines) {
        for (std::size_t start = 0; start < line.size();) {
            const std::size_t end = std::min(line.find_first_of(kLineEnds, start), line.size());
            if (end > start)
                out.emplace_back(line, start, end - start);
            start = end + 1;
        }
    }
    return out;
}

PieceList copyOfPieces(const PieceList& pieces) {
    PieceList copy;
    copy.reserve(pieces.size());
    for (const auto& piece : pieces)
        copy.push_back(std::make_unique<DocumentPiece>(*piece));
    return copy;
}

void keepUntranslatedPieces(PieceList& pieces, const PieceList& untranslated) {
    if (untranslated.size() != pieces.size())
        return;
    std::vector<bool> asGiven(pieces.size());
    std::unordered_set<std::string_view> translatedKeys;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const DocumentPiece& piece = *pieces[i];
        asGiven[i] = piece.lines == untranslated[i]->lines;
        if (piece.filled && !asGiven[i] && !piece.qmxTag.empty())
            translatedKeys.insert(piece.qmxTag);
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        DocumentPiece& piece = *pieces[i];
        if (piece.filled && asGiven[i] && !translatedKeys.contains(piece.qmxTag))
            piece.filled = false;
    }
}

} // namespace quillex::backward
