// Cutting QMX lines into fixed prefix, text runs and internal tags.
#include "xliff/qmx_line.h"

#include <algorithm>
#include <array>

namespace quillex::xliff {
namespace {

// Internal tags that come in pairs, as <:NAME ...> ... <:/NAME>: font
// changes, inline subcomponents, frames in joined text, and the styles a
// translator may add.
constexpr std::array<std::string_view, 10> kPairedNames = {"fc", "cs", "sc", "cns", "af",
                                                           "b",  "i",  "bi", "s",   "c"};

// The tags that stand for one character of text.
struct Literal {
    std::string_view tag;
    char character;
};
constexpr std::array<Literal, 2> kLiterals = {{{"<:lt>", '<'}, {"<:gt>", '>'}}};

constexpr std::string_view kHardReturn = "<:hr>";

} // namespace

std::optional<std::vector<QmxItem>> splitQmxItems(std::string_view line) {
    std::vector<QmxItem> items;
    std::size_t textStart = 0;
    std::size_t tagStart = 0;
    int depth = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '<') {
            if (depth++ == 0) {
                if (i > textStart)
                    items.push_back({QmxItem::Kind::Text, line.substr(textStart, i - textStart)});
                tagStart = i;
            }
        } else if (line[i] == '>') {
            if (depth == 0)
                return std::nullopt;
            if (--depth == 0) {
                items.push_back({QmxItem::Kind::Tag, line.substr(tagStart, i + 1 - tagStart)});
                textStart = i + 1;
            }
        }
    }
    if (depth != 0)
        return std::nullopt;
    if (textStart < line.size())
        items.push_back({QmxItem::Kind::Text, line.substr(textStart)});
    return items;
}

std::optional<QmxLine> splitQmxLine(std::string_view line) {
    auto items = splitQmxItems(line);
    if (!items)
        return std::nullopt;
    std::size_t fixed = 0;
    while (fixed < items->size() && (*items)[fixed].kind == QmxItem::Kind::Tag &&
           isExternalTag((*items)[fixed].text))
        ++fixed;
    if (fixed == 0 && !items->empty() && (*items)[0].text == kHardReturn)
        fixed = 1;
    std::size_t prefixLength = 0;
    for (std::size_t i = 0; i < fixed; ++i)
        prefixLength += (*items)[i].text.size();
    QmxLine result;
    result.prefix = line.substr(0, prefixLength);
    result.content.assign(items->begin() + static_cast<std::ptrdiff_t>(fixed), items->end());
    return result;
}

bool isExternalTag(std::string_view tag) {
    return tag.size() >= 2 && tag[0] == '<' && tag[1] != ':';
}

std::string_view pairName(std::string_view tag) {
    std::string_view name = tag.substr(2); // after "<:"
    if (name.starts_with('/'))
        name.remove_prefix(1);
    const std::size_t end = name.find_first_of(" >");
    return name.substr(0, end);
}

TagRole roleOf(std::string_view tag) {
    if (std::any_of(kLiterals.begin(), kLiterals.end(),
                    [tag](const Literal& l) { return l.tag == tag; }))
        return TagRole::Literal;
    if (!tag.starts_with("<:"))
        return TagRole::Lone;
    const std::string_view name = pairName(tag);
    if (std::find(kPairedNames.begin(), kPairedNames.end(), name) == kPairedNames.end())
        return TagRole::Lone;
    return tag.starts_with("<:/") ? TagRole::Closing : TagRole::Opening;
}

char literalCharacter(std::string_view tag) {
    for (const Literal& l : kLiterals)
        if (l.tag == tag)
            return l.character;
    return '\0';
}

std::optional<std::string_view> literalTagFor(char c) {
    for (const Literal& l : kLiterals)
        if (l.character == c)
            return l.tag;
    return std::nullopt;
}

} // namespace quillex::xliff
