// Pseudo-translation of QMX files: every text run changed the way pseudo-
// translation tools do it, tags untouched, so that a document's round trip
// can be tried before a translation is paid for. Letters become accented
// letters the target code page has, brackets mark where each unit's text
// starts and ends, and filler lengthens the text (30% by default) to show
// where a longer translation will not fit. A line whose text has a length
// limit grows only as far as the limit allows.
#pragma once

#include "xliff/qmx_source.h"

#include <string>
#include <vector>

namespace quillex::xliff {

struct PseudoSettings {
    std::string targetLanguage = "French";
    int expansionPercent = 30;
    bool letterPaper = false; // the paper of an RTF file
};

// The pseudo-translated lines of `source`. Throws std::runtime_error naming
// the line whose text the target code page cannot hold.
std::vector<std::string> pseudoTranslate(const QmxSource& source, const PseudoSettings& settings);

// Pseudo-translates the QMX file `input` into `outputFolder` (ending with
// "/"), under the same name and in the same container. Returns the path
// written.
std::string pseudoTranslateFile(const std::string& input, const std::string& outputFolder,
                                const PseudoSettings& settings);

} // namespace quillex::xliff
