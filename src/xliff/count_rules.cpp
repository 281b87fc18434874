// Counting words as pocount and OmegaT count them.
#include "xliff/count_rules.h"

#include "xliff/word_count.h"

#include <array>
#include <regex>

namespace quillex::xliff {
namespace {

struct NamedRule {
    std::string_view name;
    CountRule rule;
};
constexpr std::array<NamedRule, 3> kRules = {{
    {"quillex", CountRule::Quillex},
    {"pocount", CountRule::Pocount},
    {"omegat", CountRule::Omegat},
}};

// pocount's test for an XML tag in the text, which it leaves out.
const std::regex& xmlTagPattern() {
    static const std::regex pattern(
        R"(<([\w.:]+)(\s([\w.:]+=(("[^"]*?")|('[^']*?')))?)*/?>|</([\w.]+)>)");
    return pattern;
}

constexpr char32_t kEnDash = U'\u2013';
constexpr char32_t kEmDash = U'\u2014';

bool isDigit(std::uint32_t c) {
    return c >= '0' && c <= '9';
}

// pocount: the dashes are words to it.
long pocountWords(const UnitContent& content) {
    std::string text;
    for (const ContentPiece& piece : content) {
        if (const auto* run = std::get_if<std::string>(&piece))
            text += *run;
        else if (const auto& code = std::get<InlineCode>(piece); !code.raw)
            text += code.native; // the bytes of a raw code are an attribute, no text
    }
    text = std::regex_replace(text, xmlTagPattern(), "");
    const std::vector<std::uint32_t> points = codePoints(text);
    long words = 0;
    bool inWord = false;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::uint32_t c = points[i];
        // A full stop between two non-digits becomes a blank with them.
        if (i + 2 < points.size() && !isDigit(c) && points[i + 1] == '.' &&
            !isDigit(points[i + 2])) {
            i += 2;
            inWord = false;
            continue;
        }
        if (isSpace(c)) {
            inWord = false;
            continue;
        }
        const bool punctuation = isPunctuation(c) && c != kEnDash && c != kEmDash;
        if (!inWord && !punctuation) {
            ++words;
            inWord = true;
        }
    }
    return words;
}

// OmegaT (as 3.6 counts): a code is a word boundary; so is every space and
// punctuation but for the joiners between two letters ("est-elle",
// "bit\u2011mapped", "end.Start", "l'imprimante", "a&b", "foo_bar" are one
// word each; "8-bit", "AR5_lib", "x5.a" two) and a full stop or comma between
// two digits ("3.5", "1,000").
constexpr std::u32string_view kLetterJoiners = U".'\u2019-\u2010\u2011&_";
constexpr std::u32string_view kDigitJoiners = U".,";
constexpr std::u32string_view kOtherBoundaries = U"+=|~";
constexpr std::uint32_t kBoundary = ' ';

bool isWordCharacter(std::uint32_t c) {
    return !isSpace(c) && !isPunctuation(c) &&
           kOtherBoundaries.find(static_cast<char32_t>(c)) == std::u32string_view::npos;
}

bool isLetter(std::uint32_t c) {
    return isWordCharacter(c) && !isDigit(c);
}

bool isOneOf(std::uint32_t c, std::u32string_view set) {
    return set.find(static_cast<char32_t>(c)) != std::u32string_view::npos;
}

// Whether the character at `i` joins the characters on both sides.
bool joins(const std::vector<std::uint32_t>& points, std::size_t i) {
    if (i == 0 || i + 1 >= points.size())
        return false;
    const std::uint32_t before = points[i - 1];
    const std::uint32_t after = points[i + 1];
    return (isOneOf(points[i], kLetterJoiners) && isLetter(before) && isLetter(after)) ||
           (isOneOf(points[i], kDigitJoiners) && isDigit(before) && isDigit(after));
}

long omegatWords(const UnitContent& content) {
    std::vector<std::uint32_t> points;
    for (const ContentPiece& piece : content) {
        if (const auto* run = std::get_if<std::string>(&piece)) {
            const std::vector<std::uint32_t> text = codePoints(*run);
            points.insert(points.end(), text.begin(), text.end());
        } else {
            points.push_back(kBoundary);
        }
    }
    long words = 0;
    bool inWord = false;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (isWordCharacter(points[i])) {
            words += inWord ? 0 : 1;
            inWord = true;
        } else if (!joins(points, i)) {
            inWord = false;
        }
    }
    return words;
}

} // namespace

std::optional<CountRule> countRuleOf(std::string_view name) {
    for (const NamedRule& rule : kRules)
        if (rule.name == name)
            return rule.rule;
    return std::nullopt;
}

long countWordsLike(CountRule rule, const UnitContent& content) {
    switch (rule) {
    case CountRule::Pocount:
        return pocountWords(content);
    case CountRule::Omegat:
        return omegatWords(content);
    case CountRule::Quillex:
        break;
    }
    return countWords(plainText(content));
}

} // namespace quillex::xliff
