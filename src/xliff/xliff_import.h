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
// untranslated one's in the source's; tags are written as exported. A code
// whose text a tool changed is written as the source has it, with a line in
// `warnings`; so is a character the code page lacks when `missing` says to
// write the nearest one. Throws ImportError listing every damaged unit.
std::vector<std::string> importQmxLines(const XliffFile& file,
                                        const std::string& targetLanguage = {},
                                        std::vector<std::string>* warnings = nullptr,
                                        MissingCharacters missing = MissingCharacters::Problem);

// `source` (the export of the source QMX file) with the translations of
// `translated` (the XLIFF a tool gave back): what is not translatable (the
// prefixes, the units not to translate, the source text and its codes, the
// container and the languages) comes from the source; so does the text of a
// unit the export held back (translate="no" in `translated`). Throws XliffError when
// the two do not have the same units.
XliffFile withTranslationsOf(XliffFile source, const XliffFile& translated);

} // namespace quillex::xliff
