// Building the units of an XLIFF file from the lines of a QMX file.
#include "xliff/xliff_export.h"

#include "xliff/language_codes.h"
#include "xliff/qmx_line.h"
#include "xliff/translation_memory.h"

#include <stdexcept>

namespace quillex::xliff {

XliffFile exportQmx(const QmxSource& source, const ExportSettings& settings) {
    XliffFile file;
    file.original = source.name;
    file.container = source.container;
    file.sourceLanguage = source.language;
    file.targetLanguage = settings.targetLanguage;
    file.letterPaper = settings.letterPaper;
    const int codePage = codePageOfLanguage(source.language);
    const std::vector<bool> heldBack = heldBackLines(source.lines, settings.heldBack);
    int number = 0;
    for (const std::string& line : source.lines) {
        ++number;
        const auto parts = splitQmxLine(line);
        if (!parts)
            throw std::runtime_error("line " + std::to_string(number) +
                                     ": the angle brackets do not balance; run the verifier on "
                                     "the file");
        XliffUnit unit;
        unit.id = number;
        unit.prefix = parts->prefix;
        unit.source = contentFromQmx(std::string_view(line).substr(parts->prefix.size()), codePage);
        unit.translate = holdsDocumentText(*parts) && hasTranslatableText(unit.source) &&
                         !heldBack[static_cast<std::size_t>(number - 1)];
        file.units.push_back(std::move(unit));
    }
    if (settings.memory) {
        const PrefillCounts counts = prefillFromMemory(file, *settings.memory);
        if (settings.prefilled != nullptr) {
            settings.prefilled->inContext += counts.inContext;
            settings.prefilled->exact += counts.exact;
        }
    }
    return file;
}

} // namespace quillex::xliff
