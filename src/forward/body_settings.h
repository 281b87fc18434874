// The settings that shape the body conversion, taken from the batch's
// options.
#pragma once

#include "conversion/conversion_options.h"
#include "forward/attribute_text.h"

namespace quillex {

struct BodySettings {
    CharacterSettings characters;
    bool readOnlyComponents = true;  // READ_ONLY_COMPONENTS = 1: hide them behind tags
    bool markerPlaceholders = false; // MARKER_PLACEHOLDERS = 1: no anchors for index markers
    // Every autonumber reference becomes a marker (the ancillary text of
    // headers, footers and formats).
    bool autonumbersAsMarkers = false;
    // Warnings go to the results list (cleared for a re-parse).
    bool warn = true;

    static BodySettings from(const ConversionOptions& options, bool japaneseSource) {
        BodySettings settings;
        settings.characters.smartQuotes = options.smartQuotes != 0;
        settings.characters.japaneseSource = japaneseSource;
        settings.readOnlyComponents = options.readOnlyComponents != 0;
        settings.markerPlaceholders = options.markerPlaceholders != 0;
        return settings;
    }
};

} // namespace quillex
