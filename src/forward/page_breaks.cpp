// Placing page breaks between paragraphs.
#include "forward/page_breaks.h"

#include "forward/document_piece.h"

#include <algorithm>
#include <utility>

namespace quillex {
namespace {

bool isPageBreak(const std::string& item) {
    return item.starts_with("<|");
}

// Marks are not inserted while walking; each is recorded with the position
// of the item it must precede, and one merge at the end places them all.
std::vector<std::string> mergeMoves(std::vector<std::string> items,
                                    std::vector<std::pair<std::size_t, std::string>> moves) {
    if (moves.empty())
        return items;
    std::stable_sort(moves.begin(), moves.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> merged;
    merged.reserve(items.size() + moves.size());
    std::size_t move = 0;
    for (std::size_t i = 0; i <= items.size(); ++i) {
        for (; move < moves.size() && moves[move].first == i; ++move)
            merged.push_back(std::move(moves[move].second));
        if (i < items.size())
            merged.push_back(std::move(items[i]));
    }
    return merged;
}

} // namespace

std::vector<std::string> placePageBreaks(std::vector<std::string> items) {
    std::vector<std::string> kept;
    kept.reserve(items.size());
    std::vector<std::pair<std::size_t, std::string>> moves;
    bool firstSeen = false;
    bool inTable = false;
    std::size_t tableStart = 0;
    int rows = 0;
    int microDocuments = 0;
    bool paragraphEndSeen = false;
    std::size_t afterParagraphEnd = 0;

    for (std::string& item : items) {
        if (isPageBreak(item)) {
            if (!firstSeen) {
                firstSeen = true;
                moves.emplace_back(0, std::move(item));
            } else if (inTable) {
                if (rows == 0)
                    moves.emplace_back(tableStart, std::move(item));
            } else if (paragraphEndSeen) {
                moves.emplace_back(afterParagraphEnd, std::move(item));
            }
            continue;
        }
        if (item.starts_with("<tb ")) {
            inTable = true;
            tableStart = kept.size();
            rows = 0;
        } else if (item == "</tb>") {
            inTable = false;
        } else if (item.starts_with("<row ") && inTable) {
            ++rows;
        } else if (item.starts_with("<tr ")) {
            ++microDocuments;
        } else if (item == "</tr>" && microDocuments > 0) {
            --microDocuments;
        } else if (item == kEndOfParagraphMark && microDocuments == 0) {
            paragraphEndSeen = true;
            afterParagraphEnd = kept.size() + 1;
        }
        kept.push_back(std::move(item));
    }
    return mergeMoves(std::move(kept), std::move(moves));
}

} // namespace quillex
