// The body conversion, step by step.
#include "forward/body_converter.h"

#include "forward/anchored_blocks.h"
#include "forward/body_layout.h"
#include "forward/font_balancing.h"
#include "forward/item_conversion.h"
#include "forward/page_breaks.h"
#include "qmx/line_joiner.h"
#include "qmx/qmx_tags.h"
#include "qmx/quote_converter.h"

#include <string_view>

namespace quillex {

BodyConverter::BodyConverter(TagRegistry& registry, const ClassTable& classes,
                             BodyExtensions& extensions, const BodySettings& settings,
                             AnalysisNotes* notes)
    : registry_(registry), classes_(classes), extensions_(extensions), settings_(settings),
      notes_(notes) {}

ItemList BodyConverter::layOut(PieceList& pieces) {
    return layOutBody(pieces, extensions_);
}

ItemList BodyConverter::convertItems(ItemList items) {
    items = placePageBreaks(std::move(items));
    items = ItemConverter(registry_, classes_, extensions_, settings_, notes_)
                .convert(std::move(items));
    openFirstPage(items);
    items = moveAnchoredBlocks(items, registry_, settings_.markerPlaceholders);
    items = balanceFonts(items);
    return giveStrayTextAParagraph(std::move(items));
}

// Text that no component start opens (text before a document's first
// component, in a cell without one, after a table) would stand on the line
// of a structure tag, where translated text has no place. It gets a
// paragraph tag of its own that stands for no markup at all, so that
// nothing is written back for the tag and the text keeps its place.
ItemList BodyConverter::giveStrayTextAParagraph(ItemList items) {
    std::vector<std::size_t> stray; // the items that need a paragraph tag before them
    bool textAllowed = true;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (isExternalTag(items[i])) {
            textAllowed = qmx::has(items[i], qmx::TakesText);
        } else if (!textAllowed && !items[i].empty()) {
            stray.push_back(i);
            textAllowed = true;
        }
    }
    if (stray.empty())
        return items;
    const std::string_view tag = registry_.markupTag(
        "", TagCounter::Paragraph, [](int n) { return "<ps \"\" " + std::to_string(n) + ">"; });
    ItemList result;
    result.reserve(items.size() + stray.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (next < stray.size() && stray[next] == i) {
            result.push_back(tag);
            ++next;
        }
        result.push_back(items[i]);
    }
    return result;
}

// Paragraphs, tables and frames of the body stand on a page. A document
// whose body has no page mark of its own gets one that stands for no markup
// at all (nothing is written back for it), so that its QMX text has the page
// context it needs.
void BodyConverter::openFirstPage(ItemList& items) const {
    if (items.empty() || qmx::is(items.front(), qmx::Tag::Page))
        return;
    const std::string_view page = registry_.enterReplacement("<page \"\">", "");
    const std::string_view end = registry_.enterSelf("</page>");
    items.insert(items.begin(), page);
    items.push_back(end);
}

QmxLines BodyConverter::toLines(const ItemList& items) const {
    QmxLines lines;
    joinItemsIntoLines(items, settings_.characters.smartQuotes, lines);
    return lines;
}

QmxLines BodyConverter::convert(PieceList& pieces) {
    return toLines(convertItems(layOut(pieces)));
}

} // namespace quillex
