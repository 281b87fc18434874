// Quote pairing.
#include "qmx/quote_converter.h"

#include <string_view>

namespace quillex {
namespace {

constexpr std::string_view kGermanOpen = "<:glq>";
constexpr std::string_view kEnglishOpen = "<:ldq>";
constexpr std::string_view kEnglishClose = "<:rdq>";

// Walks the line as the conversion does and calls `closing(i)` for each
// straight quote at `i` that closes an English quotation; stops early when
// `closing` returns false.
template <class Closing> void walkQuotes(std::string_view text, Closing closing) {
    int openEnglish = 0;
    int openGerman = 0;
    int tagDepth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') {
            if (tagDepth == 0 && text.substr(i).starts_with(kGermanOpen)) {
                ++openGerman;
            } else if (tagDepth == 0 && text.substr(i).starts_with(kEnglishOpen)) {
                if (openGerman > 0)
                    --openGerman;
                else
                    ++openEnglish;
            }
            ++tagDepth;
        } else if (c == '>' && tagDepth > 0) {
            --tagDepth;
        } else if (c == '"' && tagDepth == 0 && openEnglish > 0) {
            --openEnglish;
            if (!closing(i))
                return;
        }
    }
}

} // namespace

std::string convertQuotesInLine(const std::string& line) {
    std::string out;
    out.reserve(line.size());
    std::size_t copied = 0;
    walkQuotes(line, [&](std::size_t quote) {
        out.append(line, copied, quote - copied);
        out += kEnglishClose;
        copied = quote + 1;
        return true;
    });
    out.append(line, copied);
    return out;
}

// Most lines hold no quote to change (the quotes of tags stay): those are
// only read, not rebuilt.
void convertQuotesOf(std::string& line) {
    bool changes = false;
    walkQuotes(line, [&](std::size_t) { return !(changes = true); });
    if (changes)
        line = convertQuotesInLine(line);
}

void convertQuotes(std::vector<std::string>& lines) {
    for (std::string& line : lines)
        convertQuotesOf(line);
}

} // namespace quillex
