// Index markers.
#include "forward/index_markers.h"

#include "conversion/result_code.h"
#include "forward/attributes.h"
#include "qmx/visible_length.h"

#include <array>

namespace quillex {
namespace {

// Heading values that stand for "no entry", in the languages Interleaf
// writes them (the last one is Japanese in Shift-JIS).
constexpr std::array<std::string_view, 4> kEmptyEntryPlaceholders = {
    "\"**Empty**\"", "\"**Leer**\"", "\"**Vide**\"", "\"**\x82\xC8\x82\xB5**\""};

// An attribute without a name of its own: a bare or quoted word.
bool isUnnamed(std::string_view name) {
    return name.starts_with("QMX_PROPERTY");
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(from, start)) != std::string::npos;) {
        result.append(text, start, found - start);
        result += to;
        start = found + from.size();
    }
    result.append(text, start);
    text = std::move(result);
}

} // namespace

bool isEmptyEntryPlaceholder(std::string_view value) {
    for (std::string_view placeholder : kEmptyEntryPlaceholders)
        if (value == placeholder)
            return true;
    return false;
}

std::string convertIndexText(std::string_view value, const ConversionContext& context) {
    const std::size_t first = value.find('"');
    const std::size_t last = value.rfind('"');
    std::string text;
    if (first == std::string_view::npos) {
        // An unquoted value (Sort String = hsort) is taken whole; the
        // attribute parse has trimmed it, and an empty one is a blank.
        if (value != " ")
            text = value;
    } else if (last > first) {
        // A doubled quote inside the value stands for one.
        const std::string_view inner = value.substr(first + 1, last - first - 1);
        for (std::size_t i = 0; i < inner.size(); ++i) {
            text += inner[i];
            if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"')
                ++i;
        }
    }
    replaceAll(text, "<<#", "<#");
    std::string converted = convertAttributeContent(text, context.characters(), true);
    const std::size_t length = visibleLength(converted, context.characters().japaneseSource);
    if (length > kIndexTextLimit)
        throw ConversionFailure(result::IndexMarkerTooLong);
    if (length > kIndexTextWarningLength) {
        context.notice(MessageId::LongMarker);
        context.notice(MessageId::TranslationProblemsHint);
    }
    return converted;
}

// Headings are the attributes without a name of their own whose value is
// quoted; sort and see texts are named. Every text is converted (and so
// checked for its length); the first heading decides whether the marker has
// an entry, and a marker without any heading has none. The other items keep
// the tag's order.
std::vector<std::string> convertIndexMarker(std::string_view tag, ConversionContext& context) {
    const TagAttributes attributes = TagAttributes::parse(tag);
    std::string firstHeading;
    bool headingSeen = false;
    bool noEntry = false;
    std::vector<std::string> later;
    for (const auto& [name, value] : attributes.pairs()) {
        if (name.starts_with("Sort")) {
            later.push_back("<ss>");
            later.push_back(convertIndexText(value, context));
        } else if (name.starts_with("See")) {
            later.push_back("<sa>");
            later.push_back(convertIndexText(value, context));
        } else if (isUnnamed(name) && value.starts_with('"')) {
            if (!headingSeen) {
                headingSeen = true;
                noEntry = isEmptyEntryPlaceholder(value);
                if (!noEntry)
                    firstHeading = convertIndexText(value, context);
            } else {
                later.push_back("<il>");
                later.push_back(convertIndexText(value, context));
            }
        }
    }
    if (!headingSeen || noEntry)
        return {};

    const std::string blockTag =
        "<imk " + std::to_string(context.registry.nextNumber(TagCounter::IndexMarker)) + ">";
    context.registry.enter(tag, blockTag);
    std::vector<std::string> items{blockTag, "<ie>", std::move(firstHeading)};
    for (std::string& item : later)
        items.push_back(std::move(item));
    items.push_back("</imk>");
    for (const char* fixed : {"<ie>", "<il>", "<ss>", "<sa>", "</imk>"})
        context.registry.enterSelf(fixed);
    return items;
}

} // namespace quillex
