// The file-level work of 'quillex xliff export' and 'quillex xliff import':
// reading the inputs, and writing outputs that appear only when complete.
#pragma once

#include "xliff/xliff_export.h"

#include <string>
#include <vector>

namespace quillex::xliff {

// Exports the QMX files `inputs` into one XLIFF document at `output`.
// Throws std::runtime_error (and FileError) naming the file at fault; nothing
// is written then.
void exportToXliff(const std::vector<std::string>& inputs, const std::string& output,
                   const ExportSettings& settings);

// Imports the XLIFF document `input`: writes each of its QMX files into
// `outputFolder` (ending with "/"). Either every file is written or none.
// Returns the paths written. Throws XliffError, ImportError or FileError.
std::vector<std::string> importFromXliff(const std::string& input, const std::string& outputFolder,
                                         const std::string& targetLanguage = {});

} // namespace quillex::xliff
