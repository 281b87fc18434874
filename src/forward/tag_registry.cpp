// Tag numbering and the tag maps.
#include "forward/tag_registry.h"

namespace quillex {

std::string TagRegistry::markupTag(const std::string& markup, TagCounter counter,
                                   const std::function<std::string(int)>& make) {
    if (const std::string* known = knownTag(markup))
        return *known;
    std::string tag = make(nextNumber(counter));
    enter(markup, tag);
    return tag;
}

std::string TagRegistry::markupTag(const std::string& markup,
                                   const std::function<std::string()>& make) {
    if (const std::string* known = knownTag(markup))
        return *known;
    std::string tag = make();
    enter(markup, tag);
    return tag;
}

int TagRegistry::nextNumber(TagCounter counter) {
    return ++counters_[static_cast<std::size_t>(counter)];
}

const std::string* TagRegistry::knownTag(const std::string& markup) const {
    const auto found = knownTags_.find(markup);
    return found == knownTags_.end() ? nullptr : &found->second;
}

void TagRegistry::enter(const std::string& markup, const std::string& tag) {
    knownTags_[markup] = tag;
    tagReplacements_[tag] = markup;
}

std::string joinedMarkup(std::span<const std::string> items) {
    std::string markup;
    for (const std::string& item : items) {
        markup += item;
        markup += kMarkupSeparator;
    }
    return markup;
}

} // namespace quillex
