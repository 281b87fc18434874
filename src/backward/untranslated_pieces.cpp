// Finding the pieces that come back as the skeleton gave them.
#include "backward/untranslated_pieces.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <string_view>
#include <unordered_map>

namespace quillex::backward {
namespace {

// The markup a piece that carries text keeps when its text is written by
// another piece.
constexpr std::array<std::string_view, 3> kMarkupAlone = {">", "<End Table>",
                                                          "<!End Declarations>"};

// Pieces whose range holds text of the body that the translation files
// under a key.
bool carriesKeyedText(PieceKind kind) {
    return kind == PieceKind::EndOfDeclarations || kind == PieceKind::TextAfterFrame ||
           kind == PieceKind::EndOfTable;
}

// A piece that carries text but was filled with its own markup alone: the
// text of its range (after a header or footer in the body, or a master
// table) is written by the piece whose key it was filed under.
bool handsItsTextOn(const DocumentPiece& piece) {
    return piece.filled && carriesKeyedText(piece.kind) && piece.lines.size() == 1 &&
           std::find(kMarkupAlone.begin(), kMarkupAlone.end(), piece.lines.front()) !=
               kMarkupAlone.end();
}

// Pieces that keep the skeleton's bytes together or not at all.
class PieceGroups {
  public:
    explicit PieceGroups(std::size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), std::size_t{0});
    }
    std::size_t groupOf(std::size_t piece) {
        while (parent_[piece] != piece)
            piece = parent_[piece] = parent_[parent_[piece]];
        return piece;
    }
    void join(std::size_t a, std::size_t b) { parent_[groupOf(a)] = groupOf(b); }

  private:
    std::vector<std::size_t> parent_;
};

// Pieces of one key write its text between them; a piece that hands its
// text on goes with every piece back to the nearest one that wrote text of
// its own key, among which is the piece that writes its text.
PieceGroups groupsOf(const PieceList& pieces) {
    PieceGroups groups(pieces.size());
    std::unordered_map<std::string_view, std::size_t> firstWithKey;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const DocumentPiece& piece = *pieces[i];
        if (!piece.qmxTag.empty()) {
            const auto [first, added] = firstWithKey.emplace(piece.qmxTag, i);
            if (!added)
                groups.join(i, first->second);
        }
        if (!handsItsTextOn(piece))
            continue;
        for (std::size_t j = i; j-- > 0;) {
            groups.join(i, j);
            const DocumentPiece& before = *pieces[j];
            if (before.filled && carriesKeyedText(before.kind) && !handsItsTextOn(before))
                break;
        }
    }
    return groups;
}

} // namespace

std::vector<std::string> asReadBack(std::vector<std::string> lines) {
    // A byte test, not find_first_of: that looks each byte up in the set
    // of line ends with a call of its own.
    const auto lineEnd = [](char c) { return c == '\r' || c == '\n'; };
    // Most files have no line to cut or drop: they are handed back as they are.
    const auto changes = [&](const std::string& line) {
        return line.empty() || std::any_of(line.begin(), line.end(), lineEnd);
    };
    if (std::none_of(lines.begin(), lines.end(), changes))
        return lines;
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const std::string& line : lines) {
        for (auto start = line.begin(); start != line.end();) {
            const auto end = std::find_if(start, line.end(), lineEnd);
            if (end != start)
                out.emplace_back(start, end);
            start = end == line.end() ? end : end + 1;
        }
    }
    return out;
}

PieceList copyOfPieces(const PieceList& pieces) {
    PieceList copy;
    copy.reserve(pieces.size());
    for (const auto& piece : pieces)
        copy.push_back(piece->viewingCopy());
    return copy;
}

void keepUntranslatedPieces(PieceList& pieces, const PieceList& untranslated) {
    if (untranslated.size() != pieces.size())
        return;
    PieceGroups groups = groupsOf(pieces);
    std::vector<bool> translated(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i]->filled && pieces[i]->lines != untranslated[i]->lines)
            translated[groups.groupOf(i)] = true;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (!translated[groups.groupOf(i)])
            pieces[i]->filled = false;
}

} // namespace quillex::backward
