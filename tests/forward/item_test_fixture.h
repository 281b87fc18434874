// A fixture for the item conversion and component rule tests: tag maps, a
// class table, extensions that record what they are handed, and the
// conversion of an item list.
#pragma once

#include "forward/analysis_notes.h"
#include "forward/body_converter.h"
#include "forward/item_conversion.h"
#include "forward_test_support.h"

#include <gtest/gtest.h>

namespace quillex::testing {

class RecordingExtensions : public BodyExtensions {
  public:
    std::vector<std::string> sharedItems;
    std::vector<std::string> autonumbers;
    std::vector<std::string> sharedClasses;
    void collectSharedItem(std::string_view item) override { sharedItems.emplace_back(item); }
    void noteAutonumberReference(std::string_view item) override { autonumbers.emplace_back(item); }
    void collectSharedClass(const std::string& name) override { sharedClasses.push_back(name); }
};

using Items = std::vector<std::string>;

inline const std::string EOP = "<Comment, QMX End-of-paragraph>";
inline const std::string SEP = "\n\n\n\n\n";

class ItemTest : public ::testing::Test {
  protected:
    Items convert(const Items& items) {
        return strings(
            ItemConverter(registry, classes, extensions, settings, &notes).convert(views(items)));
    }
    // Steps 2 to 6 over the items: the QMX lines they become.
    Items lines(const Items& items) {
        BodyConverter body(registry, classes, extensions, settings, &notes);
        return body.toLines(body.convertItems(views(items))).strings();
    }
    void declareClass(const std::string& tag) {
        classes.add(firstQuotedValue(tag), readClassInformation(TagAttributes::parse(tag)));
    }
    std::string replacement(const std::string& tag) const {
        const auto found = replacements.find(tag);
        return found == replacements.end() ? "(none)" : std::string(found->second);
    }

    TagRegistry::TagMap known;
    TagRegistry::TagMap replacements;
    TagRegistry registry{known, replacements};
    ClassTable classes;
    RecordingExtensions extensions;
    BodySettings settings;
    AnalysisNotes notes; // the warnings of the conversions
};

} // namespace quillex::testing
