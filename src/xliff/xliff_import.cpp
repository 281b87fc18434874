// Rebuilding QMX lines from XLIFF units and checking the translator's codes.
#include "xliff/xliff_import.h"

#include "xliff/code_page_text.h"
#include "xliff/language_codes.h"
#include "xliff/qmx_line.h"
#include "xliff/unicode_codes.h"

#include <map>
#include <optional>

namespace quillex::xliff {
namespace {

// Begin and End of one pair share an id, so a code is known by both.
using CodeKey = std::pair<CodeKind, int>;

std::string shown(const InlineCode& code) {
    return code.raw ? "bytes " + toHex(code.native) : code.native;
}

// The problems of a translated unit's codes against its source: each source
// code exactly once, no others, and each pair opened before it is closed.
// Codes may move otherwise: word order differs between languages. A code
// matched by its id whose text was changed is given the source's text back
// (the source knows it; tools differ in how well they protect it), with a
// line in `warnings`.
std::vector<std::string> codeProblems(const UnitContent& source, UnitContent& target,
                                      std::vector<std::string>& warnings) {
    std::map<CodeKey, InlineCode> expected;
    for (const InlineCode& code : codesOf(source))
        expected.emplace(CodeKey{code.kind, code.id}, code);
    std::vector<std::string> problems;
    std::map<CodeKey, std::size_t> seenAt;
    std::size_t position = 0;
    for (ContentPiece& piece : target) {
        auto* code = std::get_if<InlineCode>(&piece);
        if (code == nullptr)
            continue;
        const CodeKey key{code->kind, code->id};
        const auto it = expected.find(key);
        if (it == expected.end() || seenAt.contains(key)) {
            problems.push_back("the code " + shown(*code) + " was added");
            continue;
        }
        if (it->second.native != code->native || it->second.raw != code->raw) {
            warnings.push_back("the code " + shown(it->second) + " was changed to " + shown(*code) +
                               "; the source's code is written");
            *code = it->second;
        }
        seenAt.emplace(key, position++);
    }
    for (const auto& [key, code] : expected)
        if (!seenAt.contains(key))
            problems.push_back("the code " + shown(code) + " was deleted");
    for (const auto& [key, at] : seenAt) {
        if (key.first != CodeKind::End)
            continue;
        const auto begin = seenAt.find(CodeKey{CodeKind::Begin, key.second});
        if (begin != seenAt.end() && begin->second > at)
            problems.push_back("the codes " + shown(expected.at(begin->first)) + " and " +
                               shown(expected.at(key)) + " are in the wrong order");
    }
    return problems;
}

} // namespace

std::vector<std::string> importQmxLines(const XliffFile& file, const std::string& targetLanguage,
                                        std::vector<std::string>* warnings,
                                        MissingCharacters missing) {
    const int sourceCodePage = codePageOfLanguage(file.sourceLanguage);
    const int targetCodePage =
        codePageOfLanguage(targetLanguage.empty() ? file.targetLanguage : targetLanguage);
    std::vector<std::string> lines;
    std::string report;
    for (const XliffUnit& unit : file.units) {
        std::vector<std::string> problems;
        std::vector<std::string> restored;
        const std::string where = "unit " + std::to_string(unit.id) + " (" + unit.prefix + "): ";
        // A unit without a translation keeps its source text; so does one a
        // tool was told not to touch, and one whose target is still the copy
        // of its source that the export wrote (in the source's code page,
        // which may have characters the target's lacks).
        UnitContent content = unit.target ? withCharacterCodesAsText(*unit.target) : UnitContent{};
        const bool translated = unit.translate && !content.empty() && content != unit.source;
        if (!translated)
            content = unit.source;
        if (translated)
            problems = codeProblems(unit.source, content, restored);
        std::string line = unit.prefix;
        const int textCodePage = translated ? targetCodePage : sourceCodePage;
        if (problems.empty())
            line += qmxFromContent(withCharacterTags(content, unit.textCharacters, textCodePage),
                                   textCodePage, sourceCodePage, problems, missing, restored);
        for (const std::string& problem : problems)
            report += where + problem + "\n";
        if (warnings != nullptr)
            for (const std::string& warning : restored)
                warnings->push_back(where + warning);
        lines.push_back(std::move(line));
    }
    if (!report.empty())
        throw ImportError(report);
    return lines;
}

XliffFile withTranslationsOf(XliffFile source, const XliffFile& translated) {
    if (source.units.size() != translated.units.size())
        throw XliffError("the XLIFF holds " + std::to_string(translated.units.size()) +
                         " units, its source QMX file " + std::to_string(source.units.size()) +
                         " lines: it was exported from another version of the file; export "
                         "the source again");
    source.targetLanguage = translated.targetLanguage;
    source.letterPaper = translated.letterPaper;
    // A unit the export held back (a class not to translate) keeps its
    // source text, whatever a tool wrote as its target.
    for (std::size_t i = 0; i < source.units.size(); ++i)
        if (source.units[i].translate && translated.units[i].translate)
            source.units[i].target = translated.units[i].target;
    return source;
}

} // namespace quillex::xliff
