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
#include "forward/tag_registry.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quillex {

class ConversionHost;

class ItemConverter {
  public:
    ItemConverter(TagRegistry& registry, const ClassTable& classes, BodyExtensions& extensions,
                  const BodySettings& settings, ConversionHost* host);

    // Takes the items by value: an item left unchanged moves into the
    // result rather than being copied.
    std::vector<std::string> convert(std::vector<std::string> items);

  private:
    void findParagraphEnds(const std::vector<std::string>& items);
    void convertItem(std::string& item);
    void convertComponent();
    bool hideComponent(const std::string& start, const TagAttributes& attributes,
                       const ClassInformation* information, bool sub);
    void openComponent(const std::string& start, const TagAttributes& attributes,
                       const ClassInformation* information, bool sub);
    std::span<const std::string> componentItems(bool sub);
    std::size_t subcomponentEnd(std::size_t start) const;
    void collectSharedItems(std::span<const std::string> removed);
    void closeSubcomponent();

    std::string fontTag(const std::string& item);
    std::string markerTag(const std::string& item);
    std::string pageTag(const std::string& item);
    std::string autonumberTag(const std::string& item);
    std::string referenceTag(const std::string& item);
    void emit(std::string item);
    void warn(const std::string& line) const;

    TagRegistry& registry_;
    const ClassTable& classes_;
    BodyExtensions& extensions_;
    BodySettings settings_;
    ConversionHost* host_;

    // State of one walk.
    std::vector<std::string>* items_ = nullptr;
    // Files are below 4 GB, so item indexes fit 32 bits (half the room).
    std::vector<std::uint32_t> nextParagraphEnd_;
    std::size_t position_ = 0;
    std::vector<std::string> out_;
    bool pageOpen_ = false;
    bool previousParagraphIsPrefix_ = false;
    std::vector<const char*> openSubcomponents_; // their closing tags
};

// The items of a paragraph are followed by this mark; rule 2 drops it.
bool isDroppedItem(const std::string& item);

// A font change ("<F26>", "<F0>"): "<F" and a font number. "<FJ>" is none
// (it ends a line that stays justified, a control like "<HR>"), nor is a
// "<Frame" that a micro-document's text holds as a plain tag.
bool isFontChange(const std::string& item);

} // namespace quillex
