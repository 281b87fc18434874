// Quote pairing.
#include "qmx/quote_converter.h"

#include <string_view>

namespace quillex {
namespace {

constexpr std::string_view kGermanOpen = "<:glq>";
constexpr std::string_view kEnglishOpen = "<:ldq>";
constexpr std::string_view kEnglishClose = "<:rdq>";

} // namespace

std::string convertQuotesInLine(const std::string& line) {
    std::string out;
    out.reserve(line.size());
    int openEnglish = 0;
    int openGerman = 0;
    int tagDepth = 0;
    const std::string_view text(line);
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
            out += kEnglishClose;
            continue;
        }
        out.push_back(c);
    }
    return out;
}

void convertQuotes(std::vector<std::string>& lines) {
    for (std::string& line : lines)
        line = convertQuotesInLine(line);
}

} // namespace quillex
