// Placing page breaks between paragraphs.
#include "forward/page_breaks.h"

#include "forward/document_piece.h"
#include "qmx/interleaf_markup.h"
#include "qmx/qmx_tags.h"

#include <algorithm>
#include <utility>

namespace quillex {
namespace {

bool isPageBreak(std::string_view item) {
    return qmx::is(item, qmx::Markup::PageBreak);
}

// Marks are not inserted while walking; each is recorded with the position
// of the item it must precede, and one merge at the end places them all. The
// merge fills the list from the back, in place: every mark was taken out of
// the list before, so the list has room for them all.
void mergeMoves(ItemList& items, std::vector<std::pair<std::size_t, std::string_view>> moves) {
    if (moves.empty())
        return;
    std::stable_sort(moves.begin(), moves.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::size_t read = items.size();
    items.resize(items.size() + moves.size());
    std::size_t write = items.size();
    for (std::size_t move = moves.size(); move-- > 0;) {
        while (read > moves[move].first)
            items[--write] = items[--read];
        items[--write] = moves[move].second;
    }
}

} // namespace

// The walk keeps the items in place (`kept` counts those kept so far).
ItemList placePageBreaks(ItemList items) {
    std::size_t kept = 0;
    std::vector<std::pair<std::size_t, std::string_view>> moves;
    bool firstSeen = false;
    bool inTable = false;
    std::size_t tableStart = 0;
    int rows = 0;
    int microDocuments = 0;
    bool paragraphEndSeen = false;
    std::size_t afterParagraphEnd = 0;

    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view item = items[i];
        if (!item.starts_with('<')) { // text: kept where it is
            items[kept++] = item;
            continue;
        }
        if (isPageBreak(item)) {
            if (!firstSeen) {
                firstSeen = true;
                moves.emplace_back(0, item);
            } else if (inTable) {
                if (rows == 0)
                    moves.emplace_back(tableStart, item);
            } else if (paragraphEndSeen) {
                moves.emplace_back(afterParagraphEnd, item);
            }
            continue;
        }
        if (qmx::begins(item, qmx::Tag::Table)) {
            inTable = true;
            tableStart = kept;
            rows = 0;
        } else if (item == "</tb>") {
            inTable = false;
        } else if (qmx::begins(item, qmx::Tag::Row) && inTable) {
            ++rows;
        } else if (qmx::begins(item, qmx::Tag::TextRegion)) {
            ++microDocuments;
        } else if (item == "</tr>" && microDocuments > 0) {
            --microDocuments;
        } else if (item == kEndOfParagraphMark && microDocuments == 0) {
            paragraphEndSeen = true;
            afterParagraphEnd = kept + 1;
        }
        if (kept != i)
            items[kept] = item;
        ++kept;
    }
    items.resize(kept);
    mergeMoves(items, std::move(moves));
    return items;
}

} // namespace quillex
