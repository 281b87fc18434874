// ConversionContext: what the conversions of one file's tables, frames,
// formats, index markers and variables share: the tag registry with its two
// maps, the class table, the settings and the results list for warnings.
#pragma once

#include "conversion/conversion_host.h"
#include "forward/body_settings.h"
#include "forward/class_information.h"
#include "forward/tag_registry.h"
#include "foundation/string_table.h"

namespace quillex {

struct ConversionContext {
    TagRegistry& registry;
    const ClassTable& classes;
    BodySettings settings;
    ConversionHost* host = nullptr;

    const CharacterSettings& characters() const { return settings.characters; }

    // Adds string `id`, formatted with `args`, to the results list, unless
    // warnings are off (the backward conversion's re-parse).
    template <typename... Args> void warn(MessageId id, Args... args) const {
        if (settings.warn)
            addResult(id, args...);
    }

    // Adds string `id` to the results list whatever the warning setting: the
    // index length warnings, which also concern the merge of a translation.
    template <typename... Args> void addResult(MessageId id, Args... args) const {
        if (host != nullptr)
            host->appendResult(formatString(id, args...));
    }
};

} // namespace quillex
