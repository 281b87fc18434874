// Attribute values as QMX text.
#include "forward/attribute_text.h"

#include "forward/attributes.h"
#include "qmx/character_code.h"
#include "qmx/escape_run.h"

namespace quillex {

std::string convertAttributeText(std::string_view value, const CharacterSettings& settings,
                                 bool withQuoteTags) {
    const std::string_view inner = unquoted(value);
    std::string text;
    text.reserve(inner.size());
    for (std::size_t i = 0; i < inner.size(); ++i) {
        text += inner[i];
        if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"')
            ++i;
    }
    return convertAttributeContent(text, settings, withQuoteTags);
}

std::string convertAttributeContent(std::string_view text, const CharacterSettings& settings,
                                    bool withQuoteTags) {
    const CodeContext context = withQuoteTags ? CodeContext::Body : CodeContext::FrameOrCell;
    return convertCharacterCodes(convertEscapeRun(text), context, settings.smartQuotes,
                                 settings.japaneseSource);
}

} // namespace quillex
