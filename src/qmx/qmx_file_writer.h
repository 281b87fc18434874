// Saving QMX lines in the container the settings choose: ANSI text or RTF.
#pragma once

#include "conversion/conversion_options.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class OutputFile;

// Saves `lines` to `path`; RTF gets the page size and the code pages of the
// source and target languages from `options`. Throws FileError.
void saveQmxFile(const std::string& path, const std::vector<std::string>& lines,
                 QmxFileFormat format, const ConversionOptions& options);

// Writes the same file into `file`, which the caller commits when every
// output of the run is complete.
void writeQmxFile(OutputFile& file, const std::vector<std::string>& lines, QmxFileFormat format,
                  const ConversionOptions& options);
void writeQmxFile(OutputFile& file, std::span<const std::string_view> lines, QmxFileFormat format,
                  const ConversionOptions& options);

} // namespace quillex
