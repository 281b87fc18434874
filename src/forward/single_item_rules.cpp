// The single-item rules.
#include "forward/single_item_rules.h"

#include "forward/attributes.h"
#include "forward/document_piece.h"
#include "qmx/character_code.h"
#include "qmx/diagram_text.h"
#include "qmx/escape_run.h"
#include "qmx/interleaf_markup.h"
#include "qmx/qmx_tags.h"

#include <array>
#include <utility>

namespace quillex {
namespace {

constexpr std::string_view kParagraphEnd = "<:p>";

const std::array<std::pair<std::string_view, std::string_view>, 8> kFixedItems = {{
    {"<Tab>", "<:t>"},
    {"<Tab.>", "<:t.>"},
    {"<Tab->", "<:t->"},
    {"<Tab_>", "<:t_>"},
    {"<Tab-dash>", "<:t-d>"},
    {"<SP>", "<:hs>"},
    {"<HR>", "<:hr>"}, // a hard return keeps the words it separates apart
    {kEndOfParagraphMark, kParagraphEnd},
}};

void appendReference(std::string& text, std::string_view item, const CharacterSettings& settings) {
    const TagAttributes attributes = TagAttributes::parse(item);
    if (auto value = attributes.value("Value"))
        text += convertAttributeText(*value, settings);
    else if (auto pageValue = attributes.value("Page Value"))
        text += convertAttributeText(*pageValue, settings);
    else if (attributes.has("Result"))
        text += "<:axr>";
}

} // namespace

void appendSingleItem(std::string& text, std::string_view item, ItemSource source,
                      const CharacterSettings& settings) {
    if (item == "<<") {
        text += "<:lt>";
    } else if (item == ">") {
        text += "<:gt>";
    } else if (!item.starts_with('<')) {
        if (source == ItemSource::Diagram)
            text += convertCharacterCodes(unescapeDiagramText(item), CodeContext::FrameOrCell,
                                          settings.smartQuotes, settings.japaneseSource);
        else
            text += convertEscapeRun(item);
    } else if (qmx::is(item, qmx::Markup::CharacterCode)) {
        text += convertCharacterCodes(item, CodeContext::FrameOrCell, settings.smartQuotes,
                                      settings.japaneseSource);
    } else if (qmx::is(item, qmx::Markup::Cell)) {
        text += "<:ct>";
    } else if (qmx::begins(item, qmx::Tag::Frame)) {
        text += "<:";
        text += item.substr(1);
    } else if (qmx::begins(item, qmx::Tag::InlineSharedFrame) ||
               qmx::begins(item, qmx::Tag::InlineAnchoredFrame)) {
        text += item;
    } else if (item == "</af>") {
        if (std::string_view(text).ends_with(kParagraphEnd))
            text.resize(text.size() - kParagraphEnd.size());
        text += "<:/af>";
    } else if (qmx::is(item, qmx::Markup::Autonumber)) {
        if (auto value = TagAttributes::parse(item).value("Value"))
            text += "<:an " + convertAttributeText(*value, settings) + ">";
    } else if (qmx::is(item, qmx::Markup::Reference)) {
        appendReference(text, item, settings);
    } else {
        for (const auto& [interleaf, qmx] : kFixedItems)
            if (item == interleaf)
                text += qmx;
    }
}

std::string joinSingleItems(std::span<const std::string> items, ItemSource source,
                            const CharacterSettings& settings) {
    std::string text;
    for (const std::string& item : items)
        appendSingleItem(text, item, source, settings);
    return text;
}

std::string joinSingleItems(std::span<const std::string_view> items, ItemSource source,
                            const CharacterSettings& settings) {
    std::string text;
    for (const std::string_view item : items)
        appendSingleItem(text, item, source, settings);
    return text;
}

} // namespace quillex
