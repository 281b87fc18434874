// Aligning translated QMX files with their sources, and pre-filling an
// export from the units so gathered.
#include "xliff/translation_memory.h"

#include "foundation/file_error.h"
#include "qmx/qmx_tags.h"
#include "xliff/code_page_text.h"
#include "xliff/language_codes.h"
#include "xliff/qmx_line.h"
#include "xliff/unicode_codes.h"

#include <algorithm>
#include <array>
#include <set>
#include <stdexcept>
#include <unordered_map>

namespace quillex::xliff {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A unit to translate, with its text and where it stands.
struct Placed {
    std::size_t index; // in the file's lines or units
    std::string text;  // matchText
};

// The neighbours of the k-th of `placed`: its predecessor's and successor's
// texts.
std::pair<std::string, std::string> neighboursOf(const std::vector<Placed>& placed, std::size_t k) {
    return {k > 0 ? placed[k - 1].text : std::string(),
            k + 1 < placed.size() ? placed[k + 1].text : std::string()};
}

// Whether every End of `content` follows the Begin of its pair.
bool pairsInOrder(const UnitContent& content) {
    std::set<int> open;
    for (const InlineCode& code : codesOf(content)) {
        if (code.kind == CodeKind::Begin)
            open.insert(code.id);
        else if (code.kind == CodeKind::End && !open.contains(code.id))
            return false;
    }
    return true;
}

class CodeMatcher {
  public:
    explicit CodeMatcher(const UnitContent& source)
        : codes_(codesOf(source)), used_(codes_.size(), false) {}

    // The unused source code of this tag text, now used.
    const InlineCode* take(std::string_view native, bool raw) {
        for (std::size_t i = 0; i < codes_.size(); ++i)
            if (!used_[i] && codes_[i].raw == raw && codes_[i].native == native) {
                used_[i] = true;
                return &codes_[i];
            }
        return nullptr;
    }

    bool allUsed() const { return std::find(used_.begin(), used_.end(), false) == used_.end(); }

  private:
    std::vector<InlineCode> codes_;
    std::vector<bool> used_;
};

} // namespace

std::string matchText(const UnitContent& content) {
    std::string text;
    for (const ContentPiece& piece : content) {
        if (const auto* run = std::get_if<std::string>(&piece))
            text += *run;
        else if (const auto& code = std::get<InlineCode>(piece); code.raw)
            text += "<x-bytes " + toHex(code.native) + ">";
        else
            text += code.native;
    }
    return text;
}

std::string contextOf(std::string_view prefix) {
    std::string context;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (prefix[i] == ' ') {
            std::size_t end = i + 1;
            while (end < prefix.size() && isDigit(prefix[end]))
                ++end;
            if (end > i + 1 && end < prefix.size() && (prefix[end] == '>' || prefix[end] == ' ')) {
                i = end - 1;
                continue;
            }
        }
        context += prefix[i];
    }
    return context;
}

std::optional<UnitContent> withCodesOf(const UnitContent& target, const UnitContent& source) {
    CodeMatcher matcher(source);
    UnitContent result;
    for (const ContentPiece& piece : target) {
        if (const auto* code = std::get_if<InlineCode>(&piece)) {
            const InlineCode* match = matcher.take(code->native, code->raw);
            if (match == nullptr)
                return std::nullopt;
            result.emplace_back(*match);
            continue;
        }
        const std::string& text = std::get<std::string>(piece);
        const auto items = splitQmxItems(text);
        if (!items) {
            appendText(result, text);
            continue;
        }
        for (const QmxItem& item : *items) {
            const bool tag = item.kind == QmxItem::Kind::Tag;
            const InlineCode* match = tag ? matcher.take(item.text, false) : nullptr;
            if (match != nullptr)
                result.emplace_back(*match);
            else if (tag && qmx::isInternal(item.text))
                return std::nullopt; // an internal tag the source has no more of
            else
                appendText(result, item.text);
        }
    }
    if (!matcher.allUsed() || !pairsInOrder(result))
        return std::nullopt;
    return result;
}

std::vector<MemoryUnit> alignedUnits(const QmxSource& source, const QmxSource& translated,
                                     const std::string& targetLanguage,
                                     const HeldBackText& heldBack) {
    if (source.lines.size() != translated.lines.size())
        throw std::runtime_error("the file has " + std::to_string(translated.lines.size()) +
                                 " lines, its source " + source.name + " " +
                                 std::to_string(source.lines.size()) +
                                 ": it is no translation of that source; verify it against "
                                 "the source");
    const int sourceCodePage = codePageOfLanguage(source.language);
    const int targetCodePage = codePageOfLanguage(targetLanguage);
    const std::vector<bool> held = heldBackLines(source.lines, heldBack);
    std::vector<Placed> placed;
    std::vector<UnitContent> contents;
    std::vector<std::string> contexts;
    for (std::size_t i = 0; i < source.lines.size(); ++i) {
        const auto parts = splitQmxLine(source.lines[i]);
        if (!parts || !holdsDocumentText(*parts) || held[i])
            continue;
        const UnitContent tagged = contentFromQmx(
            std::string_view(source.lines[i]).substr(parts->prefix.size()), sourceCodePage);
        if (!hasTranslatableText(tagged))
            continue;
        // Character tags travel as characters, as in the XLIFF export.
        UnitContent content = withUnicodeCharacters(tagged, sourceCodePage).content;
        placed.push_back({i, matchText(content)});
        contents.push_back(std::move(content));
        contexts.push_back(contextOf(parts->prefix));
    }
    std::vector<MemoryUnit> units;
    for (std::size_t k = 0; k < placed.size(); ++k) {
        const std::size_t line = placed[k].index;
        const auto parts = splitQmxLine(translated.lines[line]);
        const std::string_view sourcePrefix = splitQmxLine(source.lines[line])->prefix;
        if (!parts || parts->prefix != sourcePrefix)
            throw std::runtime_error("line " + std::to_string(line + 1) +
                                     ": the line does not start with " + std::string(sourcePrefix) +
                                     " as its source's does; verify it against the source");
        const UnitContent target =
            withUnicodeCharacters(
                contentFromQmx(
                    std::string_view(translated.lines[line]).substr(parts->prefix.size()),
                    targetCodePage),
                targetCodePage)
                .content;
        auto withCodes = withCodesOf(target, contents[k]);
        // A line left as it was is no translation; one whose codes differ
        // from its source's the verifier reports, and no tool could take.
        if (!withCodes || matchText(*withCodes) == placed[k].text)
            continue;
        auto [previous, next] = neighboursOf(placed, k);
        units.push_back({contents[k], std::move(*withCodes), contexts[k], std::move(previous),
                         std::move(next)});
    }
    return units;
}

TranslationMemory memoryOfTranslations(const std::vector<TranslationPair>& pairs,
                                       const std::string& targetLanguage,
                                       const HeldBackText& heldBack) {
    TranslationMemory memory;
    std::set<std::string> seen; // each unit's fields, to keep it once
    for (const TranslationPair& pair : pairs) {
        try {
            const QmxSource source = readQmxSource(pair.source);
            const QmxSource translated = readQmxSource(pair.translated);
            const std::string language =
                translated.language != source.language ? translated.language : targetLanguage;
            if (memory.sourceLanguage.empty()) {
                memory.sourceLanguage = source.language;
                memory.targetLanguage = language;
            } else if (memory.sourceLanguage != source.language ||
                       memory.targetLanguage != language) {
                throw std::runtime_error("translates " + source.language + " into " + language +
                                         ", the files before " + memory.sourceLanguage + " into " +
                                         memory.targetLanguage +
                                         "; one memory holds one pair of languages");
            }
            for (MemoryUnit& unit : alignedUnits(source, translated, language, heldBack)) {
                std::string fields = matchText(unit.source);
                for (const std::string* field : {&unit.context, &unit.previous, &unit.next})
                    fields += '\0' + *field;
                fields += '\0' + matchText(unit.target);
                if (seen.insert(std::move(fields)).second)
                    memory.units.push_back(std::move(unit));
            }
        } catch (const FileProblem&) {
            throw; // names its file
        } catch (const std::runtime_error& error) {
            throw std::runtime_error(pair.translated + ": " + error.what());
        }
    }
    return memory;
}

PrefillCounts prefillFromMemory(XliffFile& file, const TranslationMemory& memory) {
    // The memory units by text and place, by text and class, and by text:
    // a unit looks in each in turn, so that its cost does not grow with the
    // number of times its text repeats.
    const auto keyOf = [](std::initializer_list<const std::string*> fields) {
        std::string key;
        for (const std::string* field : fields)
            key += *field + '\0';
        return key;
    };
    using Index = std::unordered_map<std::string, std::vector<const MemoryUnit*>>;
    std::array<Index, 3> indexes; // in context, same class, anywhere
    for (const MemoryUnit& unit : memory.units) {
        const std::string text = matchText(unit.source);
        indexes[0][keyOf({&text, &unit.context, &unit.previous, &unit.next})].push_back(&unit);
        indexes[1][keyOf({&text, &unit.context})].push_back(&unit);
        indexes[2][keyOf({&text})].push_back(&unit);
    }
    std::vector<Placed> placed;
    for (std::size_t i = 0; i < file.units.size(); ++i)
        if (file.units[i].translate)
            placed.push_back({i, matchText(file.units[i].source)});
    PrefillCounts counts;
    for (std::size_t k = 0; k < placed.size(); ++k) {
        XliffUnit& unit = file.units[placed[k].index];
        const std::string context = contextOf(unit.prefix);
        const auto [previous, next] = neighboursOf(placed, k);
        const std::string& text = placed[k].text;
        const std::array<std::string, 3> keys = {keyOf({&text, &context, &previous, &next}),
                                                 keyOf({&text, &context}), keyOf({&text})};
        // A target from the memory takes the place of any the unit has (a
        // copy of its source).
        bool filled = false;
        for (std::size_t level = 0; level < keys.size() && !filled; ++level) {
            const auto found = indexes[level].find(keys[level]);
            if (found == indexes[level].end())
                continue;
            for (const MemoryUnit* candidate : found->second) {
                auto target = withCodesOf(candidate->target, unit.source);
                if (!target)
                    continue;
                unit.target = std::move(target);
                const bool inContext = level == 0;
                unit.memoryMatch = inContext ? MemoryMatch::InContext : MemoryMatch::Exact;
                ++(inContext ? counts.inContext : counts.exact);
                filled = true;
                break;
            }
        }
    }
    return counts;
}

} // namespace quillex::xliff
