// Translated lines as the text of attribute values.
#include "backward/value_text.h"

#include "backward/interleaf_characters.h"
#include "backward/text_conversion.h"
#include "qmx/qmx_tags.h"

namespace quillex::backward {

std::string valueText(std::string_view line, const BackwardContext& context) {
    std::string text;
    for (const std::string& part : convertText(line, context, true))
        text += part;
    return text;
}

std::string valueContribution(std::string_view line, const BackwardContext& context) {
    if (isCharacterCodeLine(line))
        return convertCode(line);
    if (qmx::isInternal(line))
        return std::string(internalCodeTag(line, context));
    if (!line.starts_with('<'))
        return valueText(line, context);
    return {};
}

} // namespace quillex::backward
