// Item split of translated QMX lines.
#include "backward/item_split.h"

#include "conversion/result_code.h"

namespace quillex::backward {
namespace {

// The end (one past the ">") of the tag that starts at `start`; nested tags
// inside raise the depth. Throws when the line ends first.
std::size_t tagEnd(const std::string& line, std::size_t start) {
    int depth = 0;
    for (std::size_t i = start; i < line.size(); ++i) {
        if (line[i] == '<')
            ++depth;
        else if (line[i] == '>' && --depth == 0)
            return i + 1;
    }
    throw ConversionFailure(result::ParserError);
}

void splitLine(const std::string& line, std::vector<std::string>& items) {
    std::size_t runStart = 0;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] != '<') {
            ++i;
            continue;
        }
        if (i > runStart)
            items.push_back(line.substr(runStart, i - runStart));
        const std::size_t end = tagEnd(line, i);
        std::string tag = line.substr(i, end - i);
        if (tag.size() > 1 && tag[1] == '#')
            tag.erase(1, 1);
        items.push_back(std::move(tag));
        i = runStart = end;
    }
    if (line.size() > runStart)
        items.push_back(line.substr(runStart));
}

} // namespace

std::vector<std::string> splitItems(const std::vector<std::string>& lines) {
    std::vector<std::string> items;
    items.reserve(lines.size() * 2);
    for (const std::string& line : lines)
        splitLine(line, items);
    return items;
}

} // namespace quillex::backward
