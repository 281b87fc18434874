// Cutting QMX lines into fixed prefix, text runs and internal tags.
#include "xliff/qmx_line.h"
#include "qmx/qmx_tags.h"

#include <algorithm>
#include <array>

namespace quillex::xliff {
namespace {

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
    return qmx::pairNameOf(tag);
}

TagRole roleOf(std::string_view tag) {
    switch (qmx::carriageOf(tag)) {
    case qmx::Carriage::Character:
        return TagRole::Literal;
    case qmx::Carriage::Begin:
        return TagRole::Opening;
    case qmx::Carriage::End:
        return TagRole::Closing;
    case qmx::Carriage::Fixed:
    case qmx::Carriage::Placeholder:
        break;
    }
    return TagRole::Lone;
}

char literalCharacter(std::string_view tag) {
    return qmx::literalCharacter(tag);
}

std::optional<std::string_view> literalTagFor(char c) {
    const std::string_view tag = qmx::literalTagFor(c);
    if (tag.empty())
        return std::nullopt;
    return tag;
}

} // namespace quillex::xliff
