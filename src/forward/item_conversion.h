// Item conversion: every Interleaf tag of the body becomes its QMX tag.
//
// One walk over the laid-out items. Component starts follow the component
// rules (a paragraph tag, or a read-only, shared, prefix or hidden component
// behind one tag, or an inline subcomponent); font changes, page breaks,
// autonumbers and cross-references become numbered markup tags; character
// codes, tabs, "<<" and ">" become text and internal tags; "<SR>" and the
// paragraph-end marks are dropped.
#pragma once

#include "forward/body_extensions.h"
#include "forward/body_settings.h"
#include "forward/class_information.h"
#include "forward/item_list.h"
#include "forward/tag_registry.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillex {

class AnalysisNotes;

class ItemConverter {
  public:
    ItemConverter(TagRegistry& registry, const ClassTable& classes, BodyExtensions& extensions,
                  const BodySettings& settings, AnalysisNotes* notes);

    // The converted items: an item left unchanged is its view, a text the
    // conversion makes is kept by the tag registry.
    ItemList convert(ItemList items);

  private:
    // What a component start tag says. Documents repeat a few start tags
    // thousands of times, so each distinct text is read once.
    struct ComponentStart {
        std::string name;
        TagAttributes attributes;
        const ClassInformation* information = nullptr;
        bool sub = false;
    };
    const ComponentStart& componentStart(std::string_view start);

    void findParagraphEnds(const ItemList& items);
    // The end of the paragraph of the component that starts at `start`.
    std::size_t paragraphEnd(std::size_t start) const;
    void convertItem(std::string_view item);
    void convertComponent();
    bool hideComponent(std::string_view start, const TagAttributes& attributes,
                       const ClassInformation* information, bool sub);
    void openComponent(std::string_view start, const TagAttributes& attributes,
                       const ClassInformation* information, bool sub);
    std::span<const std::string_view> componentItems(bool sub);
    std::size_t subcomponentEnd(std::size_t start);
    void collectSharedItems(std::span<const std::string_view> removed);
    void closeSubcomponent();

    std::string_view fontTag(std::string_view item);
    std::string_view markerTag(std::string_view item);
    std::string_view pageTag(std::string_view item);
    std::string_view autonumberTag(std::string_view item);
    std::string_view referenceTag(std::string_view item);
    // Adds an item that stays valid (a view of the input, a constant, a text
    // the registry keeps); an empty one adds nothing.
    void emit(std::string_view item);
    // Adds a text the conversion made, kept by the registry.
    void emitText(const std::string& text);
    void warn(const std::string& line) const;

    TagRegistry& registry_;
    const ClassTable& classes_;
    BodyExtensions& extensions_;
    BodySettings settings_;
    AnalysisNotes* notes_;

    // State of one walk.
    const ItemList* items_ = nullptr;
    // Where the paragraph of each component start ends, by the start's
    // index, in index order: only component starts ask, and keeping an end
    // for every item would hold one more number per item while both lists
    // are alive. Files are below 4 GB, so indexes fit 32 bits.
    struct ParagraphEnd {
        std::uint32_t start;
        std::uint32_t end;
    };
    std::vector<ParagraphEnd> paragraphEnds_;
    std::size_t position_ = 0;
    ItemList out_;
    bool pageOpen_ = false;
    bool previousParagraphIsPrefix_ = false;
    std::vector<const char*> openSubcomponents_; // their closing tags
    // Keyed by views of the start tags in the items, which outlive the walk.
    std::unordered_map<std::string_view, ComponentStart> starts_;
};

// The items of a paragraph are followed by this mark; rule 2 drops it.
bool isDroppedItem(std::string_view item);

// A font change ("<F26>", "<F0>"): "<F" and a font number. "<FJ>" is none
// (it ends a line that stays justified, a control like "<HR>"), nor is a
// "<Frame" that a micro-document's text holds as a plain tag.
bool isFontChange(std::string_view item);

} // namespace quillex
