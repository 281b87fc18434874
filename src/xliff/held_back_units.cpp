// Finding the lines whose text is held back from translation.
#include "xliff/held_back_units.h"

#include "xliff/qmx_line.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quillex::xliff {
namespace {

constexpr std::string_view kParagraphOpening = "<ps \"";
constexpr std::array<std::string_view, 2> kIndexHeadings = {"<ie>", "<il>"};
constexpr std::string_view kSortKey = "<ss>";
constexpr std::string_view kIndexMarkerEnd = "</imk>";
constexpr std::string_view kHardReturn = "<:hr>";

// The class a paragraph tag names: "code" for <ps "code" 3>.
std::optional<std::string_view> paragraphClass(std::string_view tag) {
    if (!tag.starts_with(kParagraphOpening))
        return std::nullopt;
    const std::string_view rest = tag.substr(kParagraphOpening.size());
    const std::size_t close = rest.find('"');
    if (close == std::string_view::npos)
        return std::nullopt;
    return rest.substr(0, close);
}

bool ofHeldBackClass(const std::vector<QmxItem>& items, std::size_t prefixLength,
                     const std::vector<std::string>& classes) {
    if (classes.empty())
        return false;
    std::size_t at = 0;
    for (const QmxItem& item : items) {
        if (at >= prefixLength)
            break;
        at += item.text.size();
        const auto name = paragraphClass(item.text);
        if (name && std::find(classes.begin(), classes.end(), *name) != classes.end())
            return true;
    }
    return false;
}

} // namespace

std::vector<bool> heldBackLines(const std::vector<std::string>& lines, const HeldBackText& rules) {
    std::vector<bool> held(lines.size(), false);
    // The text of the index heading a sort key belongs to: the last <ie> or
    // <il> line of the same marker.
    std::string_view heading;
    bool inMarker = false;      // a heading was seen and its marker has not ended
    bool paragraphHeld = false; // the paragraph of the last line is of a held class
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const auto items = splitQmxItems(line);
        const auto parts = splitQmxLine(line);
        if (!items || !parts)
            continue; // export refuses such a line; count skips it
        const std::string_view prefix = parts->prefix;
        const std::string_view text = line.substr(prefix.size());
        if (std::find(kIndexHeadings.begin(), kIndexHeadings.end(), prefix) !=
            kIndexHeadings.end()) {
            heading = text;
            inMarker = true;
        } else if (prefix == kIndexMarkerEnd) {
            inMarker = false;
        } else if (prefix == kSortKey && rules.sortKeysLikeEntries && inMarker && heading == text) {
            held[i] = true;
        }
        // A line that starts with a hard return continues the paragraph of
        // the line before.
        if (prefix != kHardReturn)
            paragraphHeld = ofHeldBackClass(*items, prefix.size(), rules.classes);
        if (paragraphHeld)
            held[i] = true;
    }
    return held;
}

std::vector<std::string> classesOfList(const std::string& list) {
    std::vector<std::string> classes;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        std::string_view name = std::string_view(list).substr(start, comma - start);
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
        if (!name.empty())
            classes.emplace_back(name);
        start = comma + 1;
    }
    return classes;
}

} // namespace quillex::xliff
