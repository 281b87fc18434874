// Page-number and autonumber stream declarations written back.
#include "backward/format_rewriting.h"

#include "backward/declaration.h"
#include "backward/text_conversion.h"
#include "backward/value_text.h"
#include "conversion/result_code.h"

#include <optional>
#include <string_view>

namespace quillex::backward {
namespace {

// The property whose text follows a block heading line, none for any other
// line.
using HeadingProperty = std::optional<std::string> (*)(std::string_view line);

std::optional<std::string> pagePrefixProperty(std::string_view line) {
    if (line == "<bb \"Prefix1\">")
        return "Page # Prefix";
    if (line == "<bb \"Prefix2\">")
        return "Page # Prefix Two";
    return std::nullopt;
}

// <bb "Level 1 Prefix"> names its property itself.
std::optional<std::string> autonumberLevelProperty(std::string_view line) {
    constexpr std::string_view kHeading = "<bb \"";
    if (!line.starts_with("<bb \"Level"))
        return std::nullopt;
    const std::size_t end = line.find("\">", kHeading.size());
    return std::string(line.substr(kHeading.size(), end - kHeading.size()));
}

// Walks the block to its closing line, collecting the text after each
// heading and storing it, quoted, in the heading's property.
std::vector<std::string> convertFormat(std::span<const std::string> block,
                                       std::string_view closingLine, HeadingProperty propertyOf,
                                       const BackwardContext& context) {
    const std::size_t length = blockLength(block, closingLine);
    const std::string_view* markup = context.replacementOf(block.front());
    if (markup == nullptr)
        throw ConversionFailure(result::ParserError);
    Declaration declaration = Declaration::parse(*markup);

    std::optional<std::string> filling;
    std::string value;
    auto store = [&] {
        if (filling)
            if (Property* property = declaration.find(*filling))
                property->value = quotedValue(value);
        value.clear();
    };
    for (const std::string& line : block.subspan(1, length - 2)) {
        if (std::optional<std::string> property = propertyOf(line)) {
            store();
            filling = std::move(property);
        } else if (filling) {
            value += valueContribution(line, context);
        }
    }
    store();
    return {declaration.write()};
}

} // namespace

std::vector<std::string> convertPageNumberFormat(std::span<const std::string> block,
                                                 const BackwardContext& context) {
    return convertFormat(block, "</pgfmt>", pagePrefixProperty, context);
}

std::vector<std::string> convertAutonumberFormat(std::span<const std::string> block,
                                                 const BackwardContext& context) {
    return convertFormat(block, "</anfmt>", autonumberLevelProperty, context);
}

} // namespace quillex::backward
