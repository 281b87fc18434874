// Conversion of text runs with the escape character.
#include "qmx/escape_run.h"

namespace quillex {
namespace {

constexpr char kEscape = 27;

} // namespace

std::string convertEscapeRun(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    // Knowing where the last ">" is keeps a run full of unclosed "<" linear.
    const std::size_t lastClose = text.rfind('>');
    bool literal = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == kEscape) {
            literal = !literal;
            out += "<:r27>";
            ++pos;
        } else if (c == '>') {
            out += "<:gt>";
            ++pos;
        } else if (c != '<') {
            out += c;
            ++pos;
        } else if (literal) {
            out += "<:lt>";
            ++pos;
        } else if (pos + 1 < text.size() && text[pos + 1] == '<') {
            out += "<:lt>";
            pos += 2;
        } else if (lastClose == std::string_view::npos || lastClose < pos) {
            // No tag can begin here: keep the sign as text so that it does not
            // swallow the rest of the line in QMX.
            out += "<:lt>";
            ++pos;
        } else {
            const std::size_t close = text.find('>', pos + 1);
            out.append(text, pos, close + 1 - pos);
            pos = close + 1;
        }
    }
    return out;
}

} // namespace quillex
