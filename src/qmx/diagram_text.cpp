// Unescaping of diagram strings.
#include "qmx/diagram_text.h"

#include <cctype>

namespace quillex {
namespace {

bool isLineOrTab(char c) {
    return c == '\t' || c == '\n' || c == '\r';
}

// True when `count` hexadecimal digits follow `pos` in `text`.
bool hexDigitsAt(std::string_view text, std::size_t pos, std::size_t count) {
    if (text.size() - pos < count)
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[pos + i])))
            return false;
    return true;
}

} // namespace

std::string unescapeDiagramText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (isLineOrTab(c))
            continue;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos == text.size()) {
            out += c; // a trailing backslash escapes nothing: keep it
            break;
        }
        const char next = text[pos++];
        if (next == '<') {
            out += "<:lt>";
        } else if (next == '>') {
            out += "<:gt>";
        } else if (next == 'x' && hexDigitsAt(text, pos, 2)) {
            out.append("<#").append(text.substr(pos, 2)).append(">");
            pos += 2;
        } else if (next == 'X' && hexDigitsAt(text, pos, 4)) {
            out.append("<#").append(text.substr(pos, 4)).append(">");
            pos += 4;
        } else if (!isLineOrTab(next)) {
            out += next; // backslash, blank and every other character
        }
    }
    return out;
}

} // namespace quillex
