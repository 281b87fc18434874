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

// An XLIFF document read and checked for import: the QMX lines of each of
// its files, ready to be written. What is not translatable comes from the
// source QMX file of each (the file of the same name in the source folder),
// not from the XLIFF. Nothing is written until write().
class PreparedImport {
  public:
    // Reads `input` and the sources in `sourceFolder` (ending with "/") and
    // rebuilds each file's lines. Throws XliffError, ImportError or
    // FileError naming the file at fault.
    PreparedImport(const std::string& input, const std::string& sourceFolder,
                   const std::string& targetLanguage = {},
                   MissingCharacters missing = MissingCharacters::Problem);

    // The names of the QMX files it writes ("chapter4.TXT").
    std::vector<std::string> names() const;
    // The source QMX files it read.
    const std::vector<std::string>& sources() const { return sources_; }
    // The codes whose text a tool had changed and which were restored from
    // the source, and the characters written as the nearest the code page
    // has, one line each naming the file and the unit.
    const std::vector<std::string>& warnings() const { return warnings_; }

    // Writes each QMX file into `outputFolder` (ending with "/"): every file
    // is complete before any takes the place of an older one. Returns the
    // paths written.
    std::vector<std::string> write(const std::string& outputFolder) const;

  private:
    std::vector<XliffFile> files_;
    std::vector<std::vector<std::string>> contents_;
    std::vector<std::string> sources_;
    std::vector<std::string> warnings_;
    std::string targetLanguage_;
};

// Imports the XLIFF document `input` into `outputFolder`: PreparedImport,
// then write. Either every file is written or none.
std::vector<std::string> importFromXliff(const std::string& input, const std::string& sourceFolder,
                                         const std::string& outputFolder,
                                         const std::string& targetLanguage = {});

} // namespace quillex::xliff
