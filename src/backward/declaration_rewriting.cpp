// Declarations adapted to the target language and hyphenation.
#include "backward/declaration_rewriting.h"

#include "backward/declaration.h"
#include "qmx/interleaf_markup.h"

#include <string_view>
#include <unordered_set>

namespace quillex::backward {
namespace {

using qmx::kNoChangeEnd;
using qmx::kNoChangeStart;

constexpr const char* kQmxFont = "Times 10.2";
constexpr const char* kDefaultFont = "F0";

// What a rule needs to apply.
enum class Condition { HyphenationOff, LanguagesDiffer };

bool isPageDeclaration(std::string_view line) {
    return line.starts_with("<!Page,");
}

// "<F20@LUSEnglish>"; "<F0>" carries no language.
bool isFontChange(std::string_view line) {
    return qmx::isFontCall(line, '1');
}

bool isClassOrComponent(std::string_view line) {
    return qmx::is(line, qmx::Markup::Component) || qmx::is(line, qmx::Markup::ClassDeclaration);
}

bool isIndexMarker(std::string_view line) {
    return qmx::is(line, qmx::Markup::IndexEntry);
}

std::string replacedAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(from, start)) != std::string_view::npos;) {
        result.append(text, start, found - start).append(to);
        start = found + from.size();
    }
    result.append(text.substr(start));
    return result;
}

// A font's language is written "@L" and the language's Interleaf name.
std::string withTargetLanguage(std::string_view text, const BackwardContext& context) {
    return replacedAll(text, "@L" + context.sourceInterleafLanguage,
                       "@L" + context.targetInterleafLanguage);
}

// Each rewrite writes `line` again when a property changed and leaves its
// bytes as they are otherwise.
void turnHyphenationOff(std::string& line, const BackwardContext&) {
    Declaration declaration = Declaration::parse(line);
    if (!declaration.set("Hyphenation", "off"))
        return;
    line = declaration.write();
}

void retargetFontChange(std::string& line, const BackwardContext& context) {
    line = withTargetLanguage(line, context);
}

void retargetFont(std::string& line, const BackwardContext& context) {
    Declaration declaration = Declaration::parse(line);
    Property* font = declaration.find("Font");
    if (font == nullptr || !declaration.set("Font", withTargetLanguage(font->value, context)))
        return;
    line = declaration.write();
}

void retargetDictionary(std::string& line, const BackwardContext& context) {
    Declaration declaration = Declaration::parse(line);
    const Property* dictionary = declaration.find("Dictionary");
    if (dictionary == nullptr || dictionary->value != quotedValue(context.sourceInterleafLanguage))
        return;
    declaration.set("Dictionary", quotedValue(context.targetInterleafLanguage));
    line = declaration.write();
}

struct RewriteRule {
    bool (*applies)(std::string_view line);
    Condition condition;
    void (*rewrite)(std::string& line, const BackwardContext& context);
};

constexpr RewriteRule kRewriteRules[] = {
    {isPageDeclaration, Condition::HyphenationOff, turnHyphenationOff},
    {isFontChange, Condition::LanguagesDiffer, retargetFontChange},
    {isClassOrComponent, Condition::LanguagesDiffer, retargetFont},
    {isIndexMarker, Condition::LanguagesDiffer, retargetDictionary},
};

bool holds(Condition condition, const BackwardContext& context) {
    if (condition == Condition::HyphenationOff)
        return !context.keepTranslationHyphenation;
    return context.sourceInterleafLanguage != context.targetInterleafLanguage;
}

// Gives the font declaration `line` a font for the QMX classes under the
// first free name and returns that name. Fonts numbered from F1 (or F0) up
// leave a free name below the number of properties plus one.
std::string addQmxFont(std::string& line) {
    Declaration declaration = Declaration::parse(line);
    std::unordered_set<std::string> names;
    for (const Property& property : declaration.properties())
        names.insert(property.name);
    std::size_t number = 1;
    while (number < declaration.properties().size() && names.count("F" + std::to_string(number)))
        ++number;
    std::string font = "F" + std::to_string(number);
    declaration.set(font, kQmxFont);
    line = declaration.write();
    return font;
}

std::vector<std::string> qmxClassDeclarations(const std::string& font, bool smallCapsDeclared,
                                              bool westernFontDeclared) {
    std::vector<std::string> classes;
    if (!smallCapsDeclared)
        classes.push_back("<!Class,\n\"QMXSmallCaps\",\nFont = " + font + "@X>");
    if (!westernFontDeclared)
        classes.push_back("<!Class,\n\"QMXWesternFont\",\nFont = " + font + ">");
    return classes;
}

} // namespace

void rewriteDeclarations(std::vector<std::string>& lines, const BackwardContext& context,
                         int& noChangeDepth) {
    if (!holds(Condition::HyphenationOff, context) && !holds(Condition::LanguagesDiffer, context))
        return;
    for (std::string& line : lines) {
        if (line == kNoChangeStart) {
            ++noChangeDepth;
            continue;
        }
        if (line == kNoChangeEnd) {
            if (noChangeDepth > 0)
                --noChangeDepth;
            continue;
        }
        if (noChangeDepth > 0)
            continue;
        for (const RewriteRule& rule : kRewriteRules) {
            if (rule.applies(line)) {
                if (holds(rule.condition, context))
                    rule.rewrite(line, context);
                break;
            }
        }
    }
}

void addQmxClasses(PieceList& pieces, bool smallCapsDeclared, bool westernFontDeclared) {
    if (smallCapsDeclared && westernFontDeclared)
        return;
    std::string font = kDefaultFont;
    for (const auto& piece : pieces) {
        if (piece->kind == PieceKind::FontDefinitions && !piece->lines.empty()) {
            std::vector<std::string> lines = piece->lines.strings();
            font = addQmxFont(lines.front());
            piece->lines = std::move(lines);
        } else if (piece->kind == PieceKind::Class) {
            std::vector<std::string> lines =
                qmxClassDeclarations(font, smallCapsDeclared, westernFontDeclared);
            lines.insert(lines.end(), piece->lines.begin(), piece->lines.end());
            piece->lines = std::move(lines);
            return;
        }
    }
}

} // namespace quillex::backward
