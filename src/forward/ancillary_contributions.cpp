// One file's section of the ancillary file.
#include "forward/ancillary_contributions.h"

#include "forward/stream_conversion.h"
#include "qmx/line_joiner.h"

#include <array>

namespace quillex {
namespace {

// A list whose items are converted as they arrive: the items up to
// `converted` have become `lines`.
struct ConvertedList {
    explicit ConvertedList(ItemList& list) : items(&list) {}
    ItemList* items;
    std::size_t converted = 0;
    std::vector<std::string> lines;
};

void appendLines(std::vector<std::string>& to, const std::vector<std::string>& lines) {
    to.insert(to.end(), lines.begin(), lines.end());
}

} // namespace

std::vector<std::string> ancillarySection(const std::string& file, AncillaryLists& lists,
                                          const ItemListConversion& convert,
                                          TagRegistry& registry) {
    std::array<ConvertedList, 5> converted = {
        ConvertedList(lists.headersAndFooters), ConvertedList(lists.sharedFrames),
        ConvertedList(lists.namedObjects), ConvertedList(lists.variableFormats),
        ConvertedList(lists.prefixFormats)};
    // Converting one list may add to any list: go round until none grows.
    for (bool grown = true; grown;) {
        grown = false;
        for (ConvertedList& list : converted) {
            if (list.converted == list.items->size())
                continue;
            ItemList pending(list.items->begin() + static_cast<long>(list.converted),
                             list.items->end());
            list.converted = list.items->size();
            appendLines(list.lines, joinItemsIntoLines(convert(std::move(pending))));
            grown = true;
        }
    }

    const std::string fileTag = "<file \"" + file + "\">";
    const std::string fileEnd = "</file \"" + file + "\">";
    registry.enterSelf(fileTag);
    registry.enterSelf(fileEnd);
    std::vector<std::string> section{fileTag};
    const std::array<const char*, 5> headings = {
        "Page Header/Footer Formats", "Shared Frame Formats", "Text In Shared Named Object Formats",
        "Variable Formats", "Prefix Formats"};
    for (std::size_t i = 0; i < converted.size(); ++i) {
        section.emplace_back(blockHeading(headings[i], registry));
        appendLines(section, converted[i].lines);
    }
    section.emplace_back(blockHeading("Autonumber Stream Formats", registry));
    appendLines(section, joinItemsIntoLines(lists.autonumberStreams));
    section.emplace_back(blockHeading("Page Number Stream Formats", registry));
    appendLines(section, joinItemsIntoLines(lists.pageNumberStreams));
    section.push_back(fileEnd);
    return section;
}

void commitContribution(const AncillaryContribution& contribution, const std::string& documentPath,
                        AncillaryCollector& collector) {
    appendLines(collector.lines, contribution.lines);
    collector.files.push_back(contribution.file);
    if (contribution.registersUse)
        registerUse(contribution.used, documentPath, collector);
}

} // namespace quillex
