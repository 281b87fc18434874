// TagRegistry: the numbering of QMX tags in one converted file, and the two
// tag maps that record which Interleaf markup each tag stands for.
//
// Markup tags (paragraph starts, font changes, references ...) stand for one
// exact markup text: the same markup met again gets the tag already made for
// it, and no number is used up. Structure tags (tables, rows, cells, frames
// ...) take a new number every time. Every tag made is entered in both maps:
// known tags (markup text to tag) and tag replacements (tag to markup text),
// which the backward conversion uses to put the markup back.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
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
    // Looked up by exact text, never walked in order: hashed.
    using TagMap = std::unordered_map<std::string, std::string>;

    TagRegistry(TagMap& knownTags, TagMap& tagReplacements)
        : knownTags_(knownTags), tagReplacements_(tagReplacements) {}

    // The tag made for `markup` before, or a new one: `make` gets the next
    // number of `counter`; the new tag is entered in both maps.
    std::string markupTag(const std::string& markup, TagCounter counter,
                          const std::function<std::string(int)>& make);

    // The same for a markup tag without number (a page label).
    std::string markupTag(const std::string& markup, const std::function<std::string()>& make);

    // The next number of a structure tag's counter.
    int nextNumber(TagCounter counter);

    // The tag already made for `markup`; null when there is none.
    const std::string* knownTag(const std::string& markup) const;

    // Enters `tag` for `markup` in both maps.
    void enter(const std::string& markup, const std::string& tag);
    // Enters a tag that stands for itself.
    void enterSelf(const std::string& tag) { enter(tag, tag); }
    // Records only that `tag` stands for `markup` (a second written form of
    // a tag already known under its markup).
    void enterReplacement(const std::string& tag, const std::string& markup) {
        tagReplacements_[tag] = markup;
    }

    TagMap& knownTags() { return knownTags_; }
    TagMap& tagReplacements() { return tagReplacements_; }

  private:
    TagMap& knownTags_;
    TagMap& tagReplacements_;
    std::array<int, static_cast<std::size_t>(TagCounter::Count)> counters_{};
};

// Markup that spans several Interleaf items is kept as one text: each item
// followed by five line feeds.
inline constexpr const char* kMarkupSeparator = "\n\n\n\n\n";

// The markup text of several items: each followed by the separator.
std::string joinedMarkup(std::span<const std::string> items);

} // namespace quillex
