// Cross-reference variables.
#include "forward/xref_variables.h"

#include "forward/document_piece.h"
#include "forward/single_item_rules.h"
#include "qmx/visible_length.h"

#include <cctype>

namespace quillex {
namespace {

constexpr std::string_view kTagPattern = "variable-tag \"\"";
constexpr std::string_view kSuffixPattern = "var-suffix \"\"";

bool isHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// The suffix from `start` to the next double quote, its escapes read.
std::string readSuffix(std::string_view lisp, std::size_t start, bool smartQuotes) {
    std::string suffix;
    std::size_t i = start;
    while (i < lisp.size() && lisp[i] != '"') {
        const char c = lisp[i];
        if (c == '\t' || c == '\n' || c == '\r') {
            ++i;
        } else if (c != '\\') {
            suffix += c;
            ++i;
        } else if (lisp.substr(i + 1, 2) == "^?") {
            suffix += smartQuotes ? "<:ldq>" : "\"";
            i += 3;
        } else if (lisp.substr(i + 1, 2) == "\"\"") {
            suffix += '"';
            i += 3;
        } else if (i + 1 < lisp.size() && (lisp[i + 1] == 'x' || lisp[i + 1] == 'X')) {
            suffix += "<#";
            for (i += 2; i < lisp.size() && isHexDigit(lisp[i]); ++i)
                suffix += lisp[i];
            if (i < lisp.size() && lisp[i] == '\\')
                ++i;
            suffix += '>';
        } else if (i + 1 < lisp.size() && lisp[i + 1] == '\\') {
            suffix += '\\';
            i += 2;
        } else {
            suffix += c;
            ++i;
        }
    }
    return suffix;
}

} // namespace

std::optional<CrossReferenceVariable> readCrossReferenceVariable(std::string_view lisp,
                                                                 bool smartQuotes) {
    const std::size_t tag = lisp.find(kTagPattern);
    if (tag == std::string_view::npos)
        return std::nullopt;
    const std::size_t nameStart = tag + kTagPattern.size();
    const std::size_t suffix = lisp.find(kSuffixPattern, nameStart);
    if (suffix == std::string_view::npos)
        return std::nullopt;
    CrossReferenceVariable variable;
    const std::size_t nameEnd = lisp.find('"', nameStart);
    variable.name = std::string(lisp.substr(nameStart, nameEnd - nameStart));
    variable.suffix = readSuffix(lisp, suffix + kSuffixPattern.size(), smartQuotes);
    return variable;
}

std::optional<ItemList> convertCrossReferenceVariable(std::span<const std::string_view> component,
                                                      const TagAttributes& attributes,
                                                      ConversionContext& context) {
    const std::optional<std::string> lisp = attributes.value("Lisp");
    if (!lisp)
        return std::nullopt;
    const CharacterSettings& characters = context.characters();
    const auto variable = readCrossReferenceVariable(*lisp, characters.smartQuotes);
    if (!variable)
        return std::nullopt;

    std::span<const std::string_view> items = component;
    if (!items.empty() && items.back() == kEndOfParagraphMark)
        items = items.first(items.size() - 1);
    const std::string display = joinSingleItems(items, ItemSource::Body, characters);
    const std::string_view tag =
        context.registry.markupTag(joinedMarkup(items), TagCounter::Variable, [&](int number) {
            return "<xrv \"" + display + "\" " + std::to_string(number) + ">";
        });
    const std::string_view end = context.registry.enterSelf("</xrv>");

    ItemList converted{tag};
    if (!variable->suffix.empty()) {
        std::string suffix = convertAttributeContent(variable->suffix, characters, true);
        const std::size_t length = visibleLength(suffix, characters.japaneseSource);
        if (length > kSuffixWarningLength) {
            context.warn(MessageId::CrossReferenceSuffixLength, variable->name.c_str(),
                         static_cast<int>(length));
            context.warn(MessageId::MaximumLengthHint, kSuffixLimit);
        }
        converted.push_back(context.registry.keep(suffix));
    }
    converted.push_back(end);
    return converted;
}

} // namespace quillex
