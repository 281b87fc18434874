// Saving QMX lines in the container the settings choose: ANSI text or RTF.
#pragma once

#include "qmx/conversion_options.h"

#include <string>
#include <vector>

namespace quillex {

enum class QmxFileFormat { Text, Rtf };

// Saves `lines` to `path`; RTF gets the page size and the code pages of the
// source and target languages from `options`. Throws FileError.
void saveQmxFile(const std::string& path, const std::vector<std::string>& lines,
                 QmxFileFormat format, const ConversionOptions& options);

} // namespace quillex
