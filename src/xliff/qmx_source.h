// Reading a QMX file for export, count or pseudo-translation: its lines from
// ANSI text or RTF, and the language its header names.
#pragma once

#include "xliff/xliff_document.h"

#include <string>
#include <vector>

namespace quillex::xliff {

struct QmxSource {
    std::string name; // file name without folder: "chapter4.TXT"
    Container container = Container::Text;
    std::vector<std::string> lines;
    std::string language; // from the <language "..."> header line
};

// Reads `path` (RTF through the RTF reader, anything else as text). Throws
// std::runtime_error with the reason when the file is not a QMX file, and
// FileError or ConversionFailure when it cannot be read.
QmxSource readQmxSource(const std::string& path);

// `path` with its extension replaced.
std::string withExtension(const std::string& path, const std::string& extension);

} // namespace quillex::xliff
