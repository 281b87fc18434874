// The body conversion, step by step.
#include "forward/body_converter.h"

#include "forward/anchored_blocks.h"
#include "forward/body_layout.h"
#include "forward/font_balancing.h"
#include "forward/item_conversion.h"
#include "forward/page_breaks.h"
#include "qmx/line_joiner.h"
#include "qmx/quote_converter.h"

namespace quillex {

BodyConverter::BodyConverter(TagRegistry& registry, const ClassTable& classes,
                             BodyExtensions& extensions, const BodySettings& settings,
                             ConversionHost* host)
    : registry_(registry), classes_(classes), extensions_(extensions), settings_(settings),
      host_(host) {}

std::vector<std::string> BodyConverter::layOut(PieceList& pieces) {
    return layOutBody(pieces, extensions_);
}

std::vector<std::string> BodyConverter::convertItems(std::vector<std::string> items) {
    items = placePageBreaks(std::move(items));
    items =
        ItemConverter(registry_, classes_, extensions_, settings_, host_).convert(std::move(items));
    openFirstPage(items);
    items = moveAnchoredBlocks(std::move(items), registry_, settings_.markerPlaceholders);
    return balanceFonts(std::move(items));
}

// Paragraphs, tables and frames of the body stand on a page. A document
// whose body has no page mark of its own gets one that stands for no markup
// at all (nothing is written back for it), so that its QMX text has the page
// context it needs.
void BodyConverter::openFirstPage(std::vector<std::string>& items) const {
    if (items.empty() || items.front().starts_with("<page "))
        return;
    const std::string page = "<page \"\">";
    registry_.enterReplacement(page, "");
    registry_.enterSelf("</page>");
    items.insert(items.begin(), page);
    items.push_back("</page>");
}

std::vector<std::string> BodyConverter::toLines(std::vector<std::string> items) const {
    std::vector<std::string> lines = joinItemsIntoLines(std::move(items));
    if (settings_.characters.smartQuotes)
        convertQuotes(lines);
    return lines;
}

std::vector<std::string> BodyConverter::convert(PieceList& pieces) {
    return toLines(convertItems(layOut(pieces)));
}

} // namespace quillex
