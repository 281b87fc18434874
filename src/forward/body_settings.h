// The settings that shape the body conversion, taken from the batch's
// options.
#pragma once

#include "conversion/conversion_options.h"
#include "forward/attribute_text.h"

namespace quillex {

struct BodySettings {
    CharacterSettings characters;
    ReadOnlyComponents readOnlyComponents = ReadOnlyComponents::DontTranslate;
    MarkerPlaceholders markerPlaceholders = MarkerPlaceholders::Insert;
    // Every autonumber reference becomes a marker (the ancillary text of
    // headers, footers and formats).
    bool autonumbersAsMarkers = false;

    static BodySettings from(const ConversionOptions& options, bool japaneseSource) {
        BodySettings settings;
        settings.characters.smartQuotes = options.smartQuotes == SmartQuotes::AsTags;
        settings.characters.japaneseSource = japaneseSource;
        settings.readOnlyComponents = options.readOnlyComponents;
        settings.markerPlaceholders = options.markerPlaceholders;
        return settings;
    }
};

} // namespace quillex
