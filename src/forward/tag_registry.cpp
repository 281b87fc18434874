// Tag numbering and the tag maps.
#include "forward/tag_registry.h"

#include <cstdint>

namespace quillex {

std::string_view TagRegistry::markupTag(std::string_view markup, TagCounter counter,
                                        const std::function<std::string(int)>& make) {
    if (const std::string_view* known = knownTag(markup))
        return *known;
    return enter(markup, make(nextNumber(counter)));
}

std::string_view TagRegistry::markupTag(std::string_view markup,
                                        const std::function<std::string()>& make) {
    if (const std::string_view* known = knownTag(markup))
        return *known;
    return enter(markup, make());
}

int TagRegistry::nextNumber(TagCounter counter) {
    return ++counters_[static_cast<std::size_t>(counter)];
}

const std::string_view* TagRegistry::knownTag(std::string_view markup) const {
    const auto found = knownTags_.find(markup);
    return found == knownTags_.end() ? nullptr : &found->second;
}

std::string_view TagRegistry::keptText(std::string_view text) {
    const auto at = reinterpret_cast<std::uintptr_t>(text.data());
    const auto first = reinterpret_cast<std::uintptr_t>(stable_.data());
    if (at >= first && at - first <= stable_.size() && text.size() <= stable_.size() - (at - first))
        return text;
    return texts_.keep(text);
}

std::string_view TagRegistry::keptKey(const TagMap& map, std::string_view text) {
    const auto found = map.find(text);
    return found != map.end() ? found->first : keptText(text);
}

// Each text is kept once: a markup or tag that some map already holds is
// viewed where it is, and a tag that stands for itself is one text.
std::string_view TagRegistry::enter(std::string_view markup, std::string_view tag) {
    // Most tags entered again (block headings, the fixed tags of index
    // markers) are in both maps as they are: nothing changes.
    const auto known = knownTags_.find(markup);
    if (known != knownTags_.end() && known->second == tag) {
        const auto replacement = tagReplacements_.find(tag);
        if (replacement != tagReplacements_.end() && replacement->second == markup)
            return replacement->first;
    }
    const std::string_view keptMarkup = known != knownTags_.end() ? known->first : keptText(markup);
    const std::string_view keptTag = tag == markup ? keptMarkup : keptKey(tagReplacements_, tag);
    knownTags_.insert_or_assign(keptMarkup, keptTag);
    tagReplacements_.insert_or_assign(keptTag, keptMarkup);
    return keptTag;
}

std::string_view TagRegistry::enterReplacement(std::string_view tag, std::string_view markup) {
    const std::string_view keptTag = keptKey(tagReplacements_, tag);
    const std::string_view keptMarkup = markup == tag ? keptTag : keptKey(knownTags_, markup);
    tagReplacements_.insert_or_assign(keptTag, keptMarkup);
    return keptTag;
}

namespace {

template <class Text> std::string joined(std::span<const Text> items) {
    std::size_t size = 0;
    for (const Text& item : items)
        size += item.size() + std::string_view(kMarkupSeparator).size();
    std::string markup;
    markup.reserve(size);
    for (const Text& item : items) {
        markup += item;
        markup += kMarkupSeparator;
    }
    return markup;
}

} // namespace

std::string joinedMarkup(std::span<const std::string> items) {
    return joined(items);
}

std::string joinedMarkup(std::span<const std::string_view> items) {
    return joined(items);
}

} // namespace quillex
