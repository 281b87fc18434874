// Building the units of an XLIFF file from the lines of a QMX file.
#include "xliff/xliff_export.h"

#include "xliff/language_codes.h"
#include "xliff/qmx_line.h"
#include "xliff/translation_memory.h"
#include "xliff/unicode_codes.h"
#include "xliff/unit_notes.h"

#include <stdexcept>

namespace quillex::xliff {
namespace {

constexpr const char* kNeedsTranslation = "needs-translation";

} // namespace

XliffFile exportQmx(const QmxSource& source, const ExportSettings& settings) {
    XliffFile file;
    file.original = source.name;
    file.container = source.container;
    file.sourceLanguage = source.language;
    file.targetLanguage = settings.targetLanguage;
    file.letterPaper = settings.letterPaper;
    const int codePage = codePageOfLanguage(source.language);
    UnitContextTracker context(codePage);
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
        // Which lines hold text is decided before character tags become
        // characters: a line of hard spaces alone has nothing to translate.
        const UnitContent tagged =
            contentFromQmx(std::string_view(line).substr(parts->prefix.size()), codePage);
        const bool hasText = hasTranslatableText(tagged);
        UnicodeContent content = withUnicodeCharacters(tagged, codePage);
        unit.source = std::move(content.content);
        unit.textCharacters = std::move(content.textCharacters);
        unit.translate =
            holdsDocumentText(*parts) && hasText && !heldBack[static_cast<std::size_t>(number - 1)];
        UnitContext names = context.next(unit.prefix, hasText);
        unit.resname = std::move(names.resname);
        unit.note = std::move(names.note);
        if (unit.translate && settings.targets == Targets::Copy) {
            unit.target = unit.source;
            unit.targetState = kNeedsTranslation;
        }
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
