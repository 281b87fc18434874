// TagRegistry: the numbering of QMX tags in one converted file, and the two
// tag maps that record which Interleaf markup each tag stands for.
//
// Markup tags (paragraph starts, font changes, references ...) stand for one
// exact markup text: the same markup met again gets the tag already made for
// it, and no number is used up. Structure tags (tables, rows, cells, frames
// ...) take a new number every time. Every tag made is entered in both maps:
// known tags (markup text to tag) and tag replacements (tag to markup text),
// which the backward conversion uses to put the markup back.
//
// The registry keeps each markup and tag text once, in its text store, and
// both maps hold views of them. The store also keeps the other texts the
// conversion of the file makes (keep()), so that the lists of items can
// hold views of them too.
#pragma once

#include "foundation/text_store.h"

#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillex {

// One counter per tag kind; a new tag takes the counter plus one.
enum class TagCounter : std::size_t {
    Paragraph,               // <ps "%s" %d>
    ReadOnly,                // <r "%s" %d>, <:r "%s" %d>
    Shared,                  // <v "%s" %d>, <:v "%s" %d>
    Prefix,                  // <pn "%s" %d>, <:pn "%s" %d>
    Hidden,                  // <cnmk %d>, <:cnmk %d>
    Font,                    // <:fc %d>
    Autonumber,              // <:an %s %d>, <:crmk %d>
    CrossReference,          // <:xr %s %d>, <:xr %d>
    AttributeReference,      // <:axr %d>
    FontSubcomponent,        // <:cs "%s" %d>
    Subcomponent,            // <:sc "%s" %d>
    ConditionalSubcomponent, // <:cns %s %d>
    Variable,                // <xrv "%s" %d>
    Table,                   // <tb %d>
    Row,                     // <row %d>, <hrow %d>, <rrow "%s" %d>
    Cell,                    // <ct %d>, <ctart %d>
    Frame,                   // <af %d>, <:iaf %d>
    TextString,              // <ts %d>
    ChartLabel,              // <tl %d>
    MicroDocument,           // <tr %d>
    Footnote,                // <fn %s %d>
    SharedFrame,             // <:saf "%s" %d>
    IndexMarker,             // <imk %d>
    Count
};

class TagRegistry {
  public:
    // Looked up by exact text, never walked in order: hashed. Keys and
    // values view texts the registry keeps.
    using TagMap = std::unordered_map<std::string_view, std::string_view>;

    TagRegistry(TagMap& knownTags, TagMap& tagReplacements)
        : knownTags_(knownTags), tagReplacements_(tagReplacements) {}
    TagRegistry(const TagRegistry&) = delete;
    TagRegistry& operator=(const TagRegistry&) = delete;

    // The tag made for `markup` before, or a new one: `make` gets the next
    // number of `counter`; the new tag is entered in both maps.
    std::string_view markupTag(std::string_view markup, TagCounter counter,
                               const std::function<std::string(int)>& make);

    // The same for a markup tag without number (a page label).
    std::string_view markupTag(std::string_view markup, const std::function<std::string()>& make);

    // The next number of a structure tag's counter.
    int nextNumber(TagCounter counter);

    // The tag already made for `markup`; none when there is none.
    const std::string_view* knownTag(std::string_view markup) const;

    // Enters `tag` for `markup` in both maps; returns the kept tag.
    std::string_view enter(std::string_view markup, std::string_view tag);
    // Enters a tag that stands for itself.
    std::string_view enterSelf(std::string_view tag) { return enter(tag, tag); }
    // Records only that `tag` stands for `markup` (a second written form of
    // a tag already known under its markup).
    // Returns the kept tag.
    std::string_view enterReplacement(std::string_view tag, std::string_view markup);

    // A copy of `text` that lives as long as the registry.
    std::string_view keep(std::string_view text) { return texts_.keep(text); }

    // Texts that stay where they are as long as the registry: markup and
    // tags found in them are held as views, without a copy (the parsed
    // source, which the conversion keeps).
    void viewTextsIn(std::string_view stable) { stable_ = stable; }

    TagMap& knownTags() { return knownTags_; }
    TagMap& tagReplacements() { return tagReplacements_; }

  private:
    // The text of a key of `map` equal to `text`, or a kept copy.
    std::string_view keptKey(const TagMap& map, std::string_view text);

    // `text` itself when it lies in the stable texts, else a kept copy.
    std::string_view keptText(std::string_view text);

    TagMap& knownTags_;
    TagMap& tagReplacements_;
    TextStore texts_;
    std::string_view stable_;
    std::array<int, static_cast<std::size_t>(TagCounter::Count)> counters_{};
};

// Markup that spans several Interleaf items is kept as one text: each item
// followed by five line feeds.
inline constexpr const char* kMarkupSeparator = "\n\n\n\n\n";

// The markup text of several items: each followed by the separator.
std::string joinedMarkup(std::span<const std::string> items);
std::string joinedMarkup(std::span<const std::string_view> items);

} // namespace quillex
