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

// Calls `visit(from, size)` for each item of `line`: runs of text and whole
// tags, in order.
template <class Visit> void visitItems(const std::string& line, Visit visit) {
    std::size_t runStart = 0;
    std::size_t i = 0;
    while ((i = line.find('<', i)) != std::string::npos) {
        if (i > runStart)
            visit(runStart, i - runStart);
        const std::size_t end = tagEnd(line, i);
        visit(i, end - i);
        i = runStart = end;
    }
    if (line.size() > runStart)
        visit(runStart, line.size() - runStart);
}

} // namespace

// The items are counted first, so that the list is made once at its size:
// it is the largest structure of the run.
std::vector<std::string> splitItems(const std::vector<std::string>& lines) {
    std::size_t count = 0;
    for (const std::string& line : lines)
        visitItems(line, [&](std::size_t, std::size_t) { ++count; });
    std::vector<std::string> items;
    items.reserve(count);
    for (const std::string& line : lines)
        visitItems(line, [&](std::size_t from, std::size_t size) {
            std::string& item = items.emplace_back(line, from, size);
            if (item.size() > 1 && item[0] == '<' && item[1] == '#')
                item.erase(1, 1);
        });
    return items;
}

} // namespace quillex::backward
