// Page number streams and autonumber streams.
//
// Prefix and suffix texts are written without the double quotes that
// surround them in the declaration: the backward conversion quotes the
// translated text itself when it writes the declaration again. The stream
// name of <pgfmt "%s"> is quoted like every other name argument, which is
// the form the tag check of QMX files knows.
#include "forward/stream_conversion.h"

#include "forward/attributes.h"
#include "forward/shared_items.h"
#include "qmx/visible_length.h"

namespace quillex {
namespace {

constexpr int kLevels = 20;

// An attribute value that holds text: not missing, not empty, not a blank.
bool holdsText(const std::optional<std::string>& value) {
    if (!value)
        return false;
    const std::string_view text = unquoted(*value);
    return !text.empty() && text != " ";
}

std::size_t visibleLengthOf(const std::string& text, const ConversionContext& context) {
    return visibleLength(text, context.characters().japaneseSource);
}

} // namespace

std::string_view blockHeading(const std::string& name, TagRegistry& registry) {
    return registry.enterSelf("<bb \"" + name + "\">");
}

ItemList pageNumberStreamBlock(DocumentPiece& declaration, const ConversionContext& context) {
    if (declaration.lines.empty())
        return {};
    const TagAttributes attributes = TagAttributes::parse(declaration.lines.front());
    const auto name = attributes.value("Name");
    const auto first = attributes.value("Page # Prefix");
    const auto second = attributes.value("Page # Prefix Two");
    if (!name || (!holdsText(first) && !holdsText(second)))
        return {};

    TagRegistry& registry = context.registry;
    const std::string streamName = convertAttributeText(*name, context.characters());
    const std::string_view tag =
        registry.enter(declaration.lines.front(), "<pgfmt \"" + streamName + "\">");
    declaration.qmxTag = tag;

    ItemList block{blockHeading("Page Number Stream Format", registry), tag};
    auto addPrefix = [&](const std::optional<std::string>& value, const char* heading) {
        if (!value)
            return;
        std::string text = convertAttributeText(*value, context.characters(), true);
        const std::size_t length = visibleLengthOf(text, context);
        if (length > kPagePrefixWarningLength) {
            context.warn(MessageId::PageNumberPrefixLength, streamName.c_str(), text.c_str(),
                         static_cast<int>(length));
            context.warn(MessageId::MaximumLengthHint, kPagePrefixLimit);
        }
        block.push_back(blockHeading(heading, registry));
        block.push_back(registry.keep(text));
    };
    addPrefix(first, "Prefix1");
    addPrefix(second, "Prefix2");
    block.push_back(registry.enterSelf("</pgfmt>"));
    return block;
}

ItemList autonumberStreamBlock(DocumentPiece& declaration, const ConversionContext& context) {
    if (declaration.lines.empty())
        return {};
    const std::string_view tagText = declaration.lines.front();
    const TagAttributes attributes = TagAttributes::parse(tagText);
    const std::string streamName = autonumberStreamName(tagText);
    TagRegistry& registry = context.registry;

    ItemList levels;
    for (int level = 1; level <= kLevels; ++level) {
        for (const char* part : {"Prefix", "Suffix"}) {
            const std::string name = "Level " + std::to_string(level) + " " + part;
            const auto value = attributes.value(name);
            if (!value || *value == " " || *value == "\"\"")
                continue;
            std::string text = convertAttributeText(*value, context.characters(), true);
            const std::size_t length = visibleLengthOf(text, context);
            if (length > kAutonumberTextWarningLength) {
                context.warn(MessageId::AutonumberPartLength, name.c_str(), streamName.c_str(),
                             static_cast<int>(length));
                context.warn(MessageId::MaximumLengthHint, kAutonumberTextLimit);
            }
            levels.push_back(blockHeading(name, registry));
            levels.push_back(registry.keep(text));
        }
    }
    if (levels.empty())
        return {};

    const std::string_view tag = registry.enter(tagText, "<anfmt \"" + streamName + "\">");
    declaration.qmxTag = tag;
    ItemList block{blockHeading("Autonumber Stream Format", registry), tag};
    block.insert(block.end(), levels.begin(), levels.end());
    block.push_back(registry.enterSelf("</anfmt>"));
    return block;
}

} // namespace quillex
