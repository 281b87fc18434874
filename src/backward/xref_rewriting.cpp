// Cross-reference variables written back.
#include "backward/xref_rewriting.h"

#include "backward/interleaf_characters.h"
#include "backward/text_conversion.h"
#include "conversion/result_code.h"
#include "foundation/hex_digit.h"
#include "qmx/interleaf_markup.h"
#include "qmx/qmx_tags.h"

#include <optional>
#include <string_view>

namespace quillex::backward {
namespace {

constexpr std::string_view kTagPattern = "variable-tag \"\"";
constexpr std::string_view kSuffixPattern = "var-suffix \"\"";

void appendDoublingBackslashes(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '\\')
            out += '\\';
        out += c;
    }
}

// Japanese text: printable ASCII as it is, everything else as escapes of
// its codes; control characters are dropped.
std::string japaneseSuffixText(std::string_view line) {
    std::string text;
    std::optional<unsigned char> lead;
    for (char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (lead) {
            if (std::string escape = doubleByteEscape(*lead, byte); !escape.empty())
                text += escape + '\\';
            lead.reset();
        } else if (byte >= 0x20 && byte < 0x7F) {
            appendDoublingBackslashes(text, std::string_view(&c, 1));
        } else if (isShiftJisLeadByte(byte)) {
            lead = byte;
        } else if (byte >= 0x80) {
            text += singleByteEscape(byte) + '\\';
        }
    }
    return text;
}

// Western text: its text conversion, character codes as escapes.
std::string westernSuffixText(std::string_view line, const BackwardContext& context) {
    std::string text;
    for (const std::string& part : convertText(line, context, true)) {
        if (qmx::is(part, qmx::Markup::CharacterCode))
            text += codeToEscape(part, true);
        else
            appendDoublingBackslashes(text, part);
    }
    return text;
}

// What one translated line adds to the suffix; external tags add nothing.
std::string suffixPart(const std::string& line, const BackwardContext& context) {
    if (isCharacterCodeLine(line))
        return codeToEscape(characterCodeTag(line), true);
    if (line == "<:ldq>")
        return "\\^?";
    if (qmx::isInternal(line))
        return codeToEscape(internalCodeTag(line, context), true);
    if (line.starts_with('<'))
        return {};
    return context.japaneseTarget ? japaneseSuffixText(line) : westernSuffixText(line, context);
}

// A double quote inside the Lisp value is a backslash and a doubled quote.
std::string escapedQuotes(std::string_view suffix) {
    std::string text;
    for (char c : suffix) {
        if (c == '"')
            text += "\\\"\"";
        else
            text += c;
    }
    return text;
}

// Where the suffix that starts at `start` ends: at the first double quote
// that no escape takes, read as the forward conversion reads the suffix.
std::size_t endOfSuffix(std::string_view lisp, std::size_t start) {
    std::size_t i = start;
    while (i < lisp.size() && lisp[i] != '"') {
        if (lisp[i] != '\\' || i + 1 == lisp.size()) {
            ++i;
            continue;
        }
        const std::string_view escape = lisp.substr(i + 1, 2);
        if (escape == "^?" || escape == "\"\"") {
            i += 3;
        } else if (lisp[i + 1] == 'x' || lisp[i + 1] == 'X') {
            for (i += 2; i < lisp.size() && hexDigitValue(lisp[i]) >= 0; ++i) {
            }
            if (i < lisp.size() && lisp[i] == '\\')
                ++i;
        } else {
            i += lisp[i + 1] == '\\' ? 2 : 1;
        }
    }
    return i;
}

// `markup` with the suffix of its variable replaced; everything around the
// suffix, the quotes that close it included, stays as it was.
std::string withSuffix(std::string_view markup, const std::string& suffix) {
    const std::size_t tag = markup.find(kTagPattern);
    const std::size_t found =
        tag == std::string_view::npos ? tag : markup.find(kSuffixPattern, tag + kTagPattern.size());
    if (found == std::string_view::npos)
        throw ConversionFailure(result::ParserError);
    const std::size_t start = found + kSuffixPattern.size();
    const std::size_t end = endOfSuffix(markup, start);
    return std::string(markup.substr(0, start)) + escapedQuotes(suffix) +
           std::string(markup.substr(end));
}

} // namespace

std::vector<std::string> convertCrossReferenceVariable(std::span<const std::string> block,
                                                       const BackwardContext& context) {
    const std::size_t length = blockLength(block, "</xrv>");
    const std::string_view* markup = context.replacementOf(block.front());
    if (markup == nullptr)
        throw ConversionFailure(result::ParserError);
    std::string suffix;
    for (const std::string& line : block.subspan(1, length - 2))
        suffix += suffixPart(line, context);
    return expandReplacement(withSuffix(*markup, suffix));
}

} // namespace quillex::backward
