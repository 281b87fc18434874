// The header lines that open every QMX file and the ancillary file, and the
// closing line.
#pragma once

#include "conversion/conversion_options.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillex {

inline constexpr const char* kQmxIdentifierLine = "<qmx \"I2.00\">";
inline constexpr const char* kQmxClosingLine = "</qmx>";

// What the first line of a file says it is: the QMX version this edition
// writes, another version of it, the first version ("<tfi>"), the QMX of the
// other publishing system ("<qmx \"F..." or "<tf>"), or no QMX at all.
enum class FirstLine { Current, OtherVersion, FirstVersion, OtherSystem, NotQmx };
FirstLine kindOfFirstLine(std::string_view line);

// The four header lines: format identifier, source language, quotes setting
// and read-only setting.
std::vector<std::string> qmxHeaderLines(const ConversionOptions& options);

// Puts the header in front of `body` and the closing line behind it.
std::vector<std::string> wrapInQmxHeader(const ConversionOptions& options,
                                         std::vector<std::string> body);

} // namespace quillex
