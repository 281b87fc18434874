// Rebuilding QMX lines from XLIFF units and checking the translator's codes.
#include "xliff/xliff_import.h"

#include "xliff/code_page_text.h"
#include "xliff/language_codes.h"
#include "xliff/qmx_line.h"

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
// code exactly once, unchanged, no others, and each pair opened before it is
// closed. Codes may move otherwise: word order differs between languages.
std::vector<std::string> codeProblems(const UnitContent& source, const UnitContent& target) {
    std::map<CodeKey, InlineCode> expected;
    for (const InlineCode& code : codesOf(source))
        expected.emplace(CodeKey{code.kind, code.id}, code);
    std::vector<std::string> problems;
    std::map<CodeKey, std::size_t> seenAt;
    const std::vector<InlineCode> codes = codesOf(target);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const InlineCode& code = codes[i];
        const CodeKey key{code.kind, code.id};
        const auto it = expected.find(key);
        if (it == expected.end() || seenAt.contains(key)) {
            problems.push_back("the code " + shown(code) + " was added");
            continue;
        }
        if (it->second.native != code.native || it->second.raw != code.raw) {
            problems.push_back("the code " + shown(it->second) + " was changed to " + shown(code));
        }
        seenAt.emplace(key, i);
    }
    for (const auto& [key, code] : expected)
        if (!seenAt.contains(key))
            problems.push_back("the code " + shown(code) + " was deleted");
    for (const auto& [key, position] : seenAt) {
        if (key.first != CodeKind::End)
            continue;
        const auto begin = seenAt.find(CodeKey{CodeKind::Begin, key.second});
        if (begin != seenAt.end() && begin->second > position)
            problems.push_back("the codes " + shown(expected.at(begin->first)) + " and " +
                               shown(expected.at(key)) + " are in the wrong order");
    }
    return problems;
}

bool isEmpty(const std::optional<UnitContent>& content) {
    return !content || content->empty();
}

} // namespace

std::vector<std::string> importQmxLines(const XliffFile& file, const std::string& targetLanguage) {
    const int sourceCodePage = codePageOfLanguage(file.sourceLanguage);
    const int targetCodePage =
        codePageOfLanguage(targetLanguage.empty() ? file.targetLanguage : targetLanguage);
    std::vector<std::string> lines;
    std::string report;
    for (const XliffUnit& unit : file.units) {
        std::vector<std::string> problems;
        // A unit without a translation keeps its source text; so does one a
        // tool was told not to touch.
        const bool translated = unit.translate && !isEmpty(unit.target);
        if (translated)
            problems = codeProblems(unit.source, *unit.target);
        std::string line = unit.prefix;
        if (problems.empty())
            line += qmxFromContent(translated ? *unit.target : unit.source,
                                   translated ? targetCodePage : sourceCodePage, sourceCodePage,
                                   problems);
        for (const std::string& problem : problems)
            report +=
                "unit " + std::to_string(unit.id) + " (" + unit.prefix + "): " + problem + "\n";
        lines.push_back(std::move(line));
    }
    if (!report.empty())
        throw ImportError(report);
    return lines;
}

} // namespace quillex::xliff
