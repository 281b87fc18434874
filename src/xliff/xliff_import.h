// XLIFF back to QMX: the lines of each file, with the translated text in
// place, after checking that every unit kept its codes.
#pragma once

#include "xliff/xliff_document.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace quillex::xliff {

// Every damaged unit of a file, one line each: "unit 12 (<ps "para" 2>): the
// code <:fc 1> was deleted".
class ImportError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The QMX lines of `file`. A translated unit's text is written in the target
// language's code page (`targetLanguage`, or the file's own when empty), an
// untranslated one's in the source's; tags are written as exported. Throws
// ImportError listing every damaged unit.
std::vector<std::string> importQmxLines(const XliffFile& file,
                                        const std::string& targetLanguage = {});

} // namespace quillex::xliff
