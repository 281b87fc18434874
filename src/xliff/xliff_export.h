// QMX files to XLIFF: one file element per QMX file, one unit per line.
#pragma once

#include "xliff/held_back_units.h"
#include "xliff/qmx_source.h"
#include "xliff/xliff_document.h"

#include <memory>
#include <string>

namespace quillex::xliff {

// What the units to translate get as targets: none, or a copy of the source
// marked state="needs-translation" (tools that segment only units with a
// target, such as OmegaT, need one).
enum class Targets { None, Copy };
struct TranslationMemory;
struct PrefillCounts;

struct ExportSettings {
    std::string targetLanguage = "French"; // as the settings spell it
    bool letterPaper = false;              // the paper of an RTF file written back
    Targets targets = Targets::None;
    HeldBackText heldBack; // text exported translate="no"
    // Where targets are pre-filled from (export --tm), or nothing.
    std::shared_ptr<const TranslationMemory> memory;
    // Where the units pre-filled from it are added up, or nothing.
    PrefillCounts* prefilled = nullptr;
};

// The XLIFF file of one QMX file. Throws std::runtime_error naming the line
// whose angle brackets do not balance.
XliffFile exportQmx(const QmxSource& source, const ExportSettings& settings);

} // namespace quillex::xliff
