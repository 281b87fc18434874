// ConversionContext: what the conversions of one file's tables, frames,
// formats, index markers and variables share: the tag registry with its two
// maps, the class table, the settings and the notes for warnings.
#pragma once

#include "forward/analysis_notes.h"
#include "forward/body_settings.h"
#include "forward/class_information.h"
#include "forward/tag_registry.h"
#include "foundation/string_table.h"

namespace quillex {

struct ConversionContext {
    TagRegistry& registry;
    const ClassTable& classes;
    BodySettings settings;
    AnalysisNotes* notes = nullptr;

    const CharacterSettings& characters() const { return settings.characters; }

    // Notes string `id`, formatted with `args`, as a warning about the source.
    template <typename... Args> void warn(MessageId id, Args... args) const {
        if (notes != nullptr)
            notes->warn(formatString(id, args...));
    }

    // Notes string `id` as concerning the translation too: the index length
    // warnings, which also concern the merge of a translation.
    template <typename... Args> void notice(MessageId id, Args... args) const {
        if (notes != nullptr)
            notes->notice(formatString(id, args...));
    }
};

} // namespace quillex
