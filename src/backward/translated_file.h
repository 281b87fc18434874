// Reading and checking the translated QMX file of a backward run.
//
// The first line tells the container: a file whose first line does not begin
// with "<qmx" is read as RTF, whatever its extension. The four header lines
// must be those the forward conversion wrote; they also set the source
// language, the quotes and the read-only setting that the rest of the run
// uses.
#pragma once

#include "conversion/conversion_options.h"

#include <string>
#include <vector>

namespace quillex::backward {

struct TranslatedFile {
    std::vector<std::string> lines; // every line, line ends removed
    bool currentVersion = false;    // line 1 begins with <qmx "I2.00">
};

// Reads `path` and checks its header lines. Sets the source language, smart
// quotes and read-only components of `options` from them. Throws a
// ConversionFailure with the code of the first failed check (8, 5000 to
// 5080, 6000, 6020, 6040, 7000, 7010), the RTF reader's codes, or FileError.
TranslatedFile readTranslatedFile(const std::string& path, ConversionOptions& options);

} // namespace quillex::backward
