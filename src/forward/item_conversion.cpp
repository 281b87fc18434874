// Item conversion: the walk and the rules for single items.
#include "forward/item_conversion.h"

#include "forward/analysis_notes.h"
#include "forward/attributes.h"
#include "forward/document_piece.h"
#include "foundation/string_table.h"
#include "qmx/character_code.h"
#include "qmx/escape_run.h"
#include "qmx/interleaf_markup.h"
#include "qmx/qmx_tags.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace quillex {
namespace {

constexpr char kEscape = 27;
constexpr std::string_view kJustifiedLineEnd = "<FJ>";

const std::array<std::pair<std::string_view, std::string_view>, 10> kFixedTags = {{
    {"<<", "<:lt>"},
    {">", "<:gt>"},
    {"<Tab>", "<:t>"},
    {"<Tab.>", "<:t.>"},
    {"<Tab->", "<:t->"},
    {"<Tab_>", "<:t_>"},
    {"<Tab-dash>", "<:t-d>"},
    {"<HR>", "<:hr>"},
    {"<SP>", "<:hs>"},
    {"<F0>", "<:/fc>"},
}};

const std::string_view* fixedTag(std::string_view item) {
    for (const auto& [interleaf, qmx] : kFixedTags)
        if (item == interleaf)
            return &qmx;
    return nullptr;
}

// An Interleaf tag that no rule knows (an "<End Sub>" without its start, a
// component start the file wrote without quotes). The QMX tags that earlier
// steps put among the items have lower-case names ("<tb 1>", "</af>");
// Interleaf's own begin with a capital, a digit or a sign.
bool isForeignMarkup(std::string_view item) {
    if (item.size() < 2 || item[0] != '<')
        return false;
    const char c = item[1];
    return c != ':' && c != '/' && !(c >= 'a' && c <= 'z');
}

// What a reference or autonumber is called in messages: its tag.
std::string referenceName(const TagAttributes& attributes, std::string_view item) {
    for (const char* name : {"Tag", "Name"})
        if (auto value = attributes.value(name))
            return std::string(unquoted(*value));
    return std::string(item);
}

} // namespace

bool isFontChange(std::string_view item) {
    return qmx::isFontCall(item, '0');
}

bool isDroppedItem(std::string_view item) {
    return item == "<SR>" || item == "<Comment>" || item == kEndOfParagraphMark;
}

ItemConverter::ItemConverter(TagRegistry& registry, const ClassTable& classes,
                             BodyExtensions& extensions, const BodySettings& settings,
                             AnalysisNotes* notes)
    : registry_(registry), classes_(classes), extensions_(extensions), settings_(settings),
      notes_(notes) {}

ItemList ItemConverter::convert(ItemList items) {
    // A soft return is layout, never content: gone before any rule looks at
    // which items stand next to each other (a subcomponent and its font, the
    // items of a prefix, an empty font run).
    std::erase(items, std::string_view("<SR>"));
    items_ = &items;
    out_.clear();
    out_.reserve(items.size());
    pageOpen_ = false;
    previousParagraphIsPrefix_ = false;
    openSubcomponents_.clear();

    findParagraphEnds(items);

    position_ = 0;
    while (position_ < items.size()) {
        const std::string_view item = items[position_];
        if (qmx::is(item, qmx::Markup::Component))
            convertComponent();
        else
            convertItem(item);
    }
    if (pageOpen_)
        emit("</page>");
    items_ = nullptr;
    return std::move(out_);
}

// Where each component's paragraph ends, found once for the whole list: the
// next end-of-paragraph mark at the same depth of micro-documents. The marks
// of the paragraphs inside a frame's micro-document ("<tr " to "</tr>")
// anchored in a paragraph do not end that paragraph. The walk goes from the
// end, keeping the next mark of each open depth.
void ItemConverter::findParagraphEnds(const ItemList& items) {
    const auto none = static_cast<std::uint32_t>(items.size());
    paragraphEnds_.clear();
    std::vector<std::uint32_t> nextMark{none}; // innermost depth last
    for (std::size_t i = items.size(); i-- > 0;) {
        const std::string_view item = items[i];
        if (!item.starts_with('<')) // only markup counts
            continue;
        if (qmx::begins(item, qmx::Tag::TextRegion) && nextMark.size() > 1)
            nextMark.pop_back(); // back outside the micro-document
        if (item == kEndOfParagraphMark)
            nextMark.back() = static_cast<std::uint32_t>(i);
        if (qmx::is(item, qmx::Markup::Component))
            paragraphEnds_.push_back({static_cast<std::uint32_t>(i), nextMark.back()});
        if (item == "</tr>")
            nextMark.push_back(none); // the items before are inside it
    }
    std::reverse(paragraphEnds_.begin(), paragraphEnds_.end());
}

std::size_t ItemConverter::paragraphEnd(std::size_t start) const {
    const auto found =
        std::lower_bound(paragraphEnds_.begin(), paragraphEnds_.end(), start,
                         [](const ParagraphEnd& end, std::size_t at) { return end.start < at; });
    if (found == paragraphEnds_.end() || found->start != start)
        throw std::logic_error("a paragraph end asked for an item that starts no component");
    return found->end;
}

void ItemConverter::emit(std::string_view item) {
    if (!item.empty())
        out_.push_back(item);
}

void ItemConverter::emitText(const std::string& text) {
    if (!text.empty())
        out_.push_back(registry_.keep(text));
}

void ItemConverter::warn(const std::string& line) const {
    if (notes_ != nullptr)
        notes_->warn(line);
}

// The rules for everything but component starts; the first that matches
// applies. Advances past the item.
void ItemConverter::convertItem(std::string_view item) {
    ++position_;
    // Every rule but the last looks at markup, ">" or an escape run: plain
    // text (most items) goes straight through.
    if (item.empty() || (item.front() != '<' && item.front() != '>' && item.front() != kEscape)) {
        emit(item);
        return;
    }
    const CharacterSettings& characters = settings_.characters;
    if (isDroppedItem(item))
        return;
    if (qmx::is(item, qmx::Markup::CharacterCode)) {
        emitText(convertCharacterCodes(item, CodeContext::Body, characters.smartQuotes,
                                       characters.japaneseSource));
    } else if (const std::string_view* fixed = fixedTag(item)) {
        emit(*fixed);
    } else if (item == kJustifiedLineEnd) {
        emit(markerTag(item)); // a control like "<HR>", with no QMX tag of its own
    } else if (isFontChange(item)) {
        // A font that another font change replaces at once sets no text: it
        // takes no tag (and no number), as the translation cannot keep it.
        if (position_ < items_->size() && isFontChange((*items_)[position_]))
            return;
        emit(fontTag(item));
    } else if (qmx::is(item, qmx::Markup::PageBreak)) {
        if (pageOpen_)
            emit("</page>");
        emit(pageTag(item));
        pageOpen_ = true;
    } else if (qmx::begins(item, qmx::Tag::ObjectName) ||
               qmx::begins(item, qmx::Tag::InlineSharedFrame)) {
        extensions_.collectSharedItem(item);
        emit(item);
    } else if (qmx::is(item, qmx::Markup::Autonumber)) {
        emit(autonumberTag(item));
    } else if (qmx::is(item, qmx::Markup::Reference)) {
        emit(referenceTag(item));
    } else if (qmx::is(item, qmx::Markup::IndexEntry)) {
        if (auto marker = extensions_.convertIndexMarker(item)) {
            for (const std::string_view part : *marker)
                emit(part);
        } else {
            emit(item);
        }
    } else if (item.starts_with(kEscape)) {
        emitText(convertEscapeRun(item));
    } else if (item == "<End Sub>" && !openSubcomponents_.empty()) {
        closeSubcomponent();
    } else if (isForeignMarkup(item)) {
        emit(markerTag(item));
    } else {
        emit(item);
    }
}

// Markup that has no tag of its own in QMX ("<FJ>", foreign tags) becomes a
// marker that stands for its exact text, like an autonumber reference
// without value: the translator keeps it and the backward conversion writes
// the markup back as it was. Raw Interleaf markup never reaches the QMX text.
std::string_view ItemConverter::markerTag(std::string_view item) {
    return registry_.markupTag(item, TagCounter::Autonumber,
                               [](int n) { return "<:crmk " + std::to_string(n) + ">"; });
}

// A subcomponent's end closes the innermost open one; the "<F0>" that
// follows it belongs to the end.
void ItemConverter::closeSubcomponent() {
    emit(openSubcomponents_.back());
    openSubcomponents_.pop_back();
    if (position_ < items_->size() && (*items_)[position_] == "<F0>")
        ++position_;
}

std::string_view ItemConverter::fontTag(std::string_view item) {
    return registry_.markupTag(item, TagCounter::Font,
                               [](int n) { return "<:fc " + std::to_string(n) + ">"; });
}

std::string_view ItemConverter::pageTag(std::string_view item) {
    const std::string label =
        convertAttributeContent(firstUnnamedValue(item), settings_.characters);
    return registry_.markupTag(item, [&] { return "<page \"" + label + "\">"; });
}

std::string_view ItemConverter::autonumberTag(std::string_view item) {
    extensions_.noteAutonumberReference(item);
    auto marker = [](int n) { return "<:crmk " + std::to_string(n) + ">"; };
    if (settings_.autonumbersAsMarkers)
        return registry_.enter(item, marker(registry_.nextNumber(TagCounter::Autonumber)));
    return registry_.markupTag(item, TagCounter::Autonumber, [&](int n) {
        if (auto value = TagAttributes::parse(item).value("Value"))
            return "<:an " + convertAttributeText(*value, settings_.characters) + " " +
                   std::to_string(n) + ">";
        return marker(n);
    });
}

std::string_view ItemConverter::referenceTag(std::string_view item) {
    if (const std::string_view* known = registry_.knownTag(item))
        return *known;
    const TagAttributes attributes = TagAttributes::parse(item);
    std::string tag;
    auto value = attributes.value("Value");
    if (!value)
        value = attributes.value("Page Value");
    if (value) {
        tag = "<:xr " + convertAttributeText(*value, settings_.characters) + " " +
              std::to_string(registry_.nextNumber(TagCounter::CrossReference)) + ">";
    } else if (auto result = attributes.value("Result")) {
        tag = "<:axr " + std::to_string(registry_.nextNumber(TagCounter::AttributeReference)) + ">";
        if (unquoted(*result).size() > 2)
            warn(formatString(MessageId::AttributeReference,
                              referenceName(attributes, item).c_str()));
    } else {
        tag = "<:xr " + std::to_string(registry_.nextNumber(TagCounter::CrossReference)) + ">";
    }
    return registry_.enter(item, tag);
}

} // namespace quillex
