// Counting words, characters and segments of QMX lines.
#include "xliff/word_count.h"

#include "xliff/code_page_text.h"
#include "xliff/count_rules.h"
#include "xliff/held_back_units.h"
#include "xliff/language_codes.h"
#include "xliff/qmx_line.h"
#include "xliff/unicode_codes.h"
#include "xliff/unit_content.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_set>

namespace quillex::xliff {
namespace {

// The internal tags that stand for space between words.
constexpr std::array<std::string_view, 13> kSpaceTags = {
    "<:t>",  "<:t.>", "<:t_>",  "<:t->",  "<:t-d>", "<:hs>",  "<:hls>",
    "<:ts>", "<:fs>", "<:ens>", "<:ems>", "<:hr>",  "<:r160>"};

// Tags whose quoted argument is text shown for reference and not translated:
// read-only components and rows, shared contents, cross-reference variables.
constexpr std::array<std::string_view, 8> kReadOnlyTagStarts = {
    "<r \"", "<:r \"", "<rrow \"", "<v \"", "<:v \"", "<pn \"", "<:pn \"", "<xrv \""};

// Tags of hidden components and rows, whose text the file does not hold.
constexpr std::array<std::string_view, 3> kHiddenTagStarts = {"<cnmk ", "<:cnmk ", "<hrow "};

// Unicode white space, as the counting tools split at it.
constexpr std::array<std::uint32_t, 12> kOtherSpaces = {
    0x85, 0xA0, 0x1680, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000, 0x1C, 0x1D, 0x1E, 0x1F};

// Punctuation stripped from the ends of a word (Latin, quotes, inverted,
// Arabic, CJK, Indic and a few signs), and the dashes, which stand between
// words and are none themselves.
constexpr std::u32string_view kPunctuation =
    U".,;:!?-@#$%^*_()[]{}/"
    U"\\'`\"<>‘’‛“”„‟′″‴‵‶‷‹›«»¿¡،؟؛÷。、，；！？「」『』【】।॥॰።፤፣…±°¹²³·©®×£¥€–—";

} // namespace

bool isSpace(std::uint32_t c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D) || (c >= 0x2000 && c <= 0x200A) ||
           std::find(kOtherSpaces.begin(), kOtherSpaces.end(), c) != kOtherSpaces.end();
}

bool isPunctuation(std::uint32_t c) {
    return kPunctuation.find(static_cast<char32_t>(c)) != std::u32string_view::npos;
}

namespace {

bool isDigit(std::uint32_t c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::vector<std::uint32_t> codePoints(std::string_view utf8) {
    std::vector<std::uint32_t> points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        std::uint32_t value = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            value = (value << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        points.push_back(value);
        i += length;
    }
    return points;
}

namespace {

bool startsWithAny(std::string_view tag, const auto& starts) {
    return std::any_of(starts.begin(), starts.end(),
                       [tag](std::string_view start) { return tag.starts_with(start); });
}

// The text of a content as it is counted: space tags as blanks, other codes
// left out, bytes without a Unicode form as one letter per character.
std::string countedText(const UnitContent& content, int codePage) {
    std::string text;
    for (const ContentPiece& piece : content) {
        if (const auto* run = std::get_if<std::string>(&piece)) {
            text += *run;
            continue;
        }
        const InlineCode& code = std::get<InlineCode>(piece);
        if (code.kind == CodeKind::Bytes) {
            for (std::size_t i = 0; i < code.native.size(); ++i) {
                text += 'X';
                if (isLeadByte(static_cast<unsigned char>(code.native[i]), codePage))
                    ++i;
            }
        } else if (std::find(kSpaceTags.begin(), kSpaceTags.end(), code.native) !=
                   kSpaceTags.end()) {
            text += ' ';
        }
    }
    return text;
}

class Counter {
  public:
    explicit Counter(const CountSettings& settings) : settings_(settings) {}

    void countFile(const QmxSource& file, TextCounts& counts) {
        const int codePage = codePageOfLanguage(file.language);
        const std::vector<bool> heldBack = heldBackLines(file.lines, settings_.heldBack);
        std::size_t number = 0;
        for (const std::string& line : file.lines) {
            const bool held = heldBack[number++];
            const auto items = splitQmxItems(line);
            const auto parts = splitQmxLine(line);
            if (!items || !parts)
                continue; // the verifier reports such a line
            countTags(*items, codePage, counts);
            const std::string_view rest = std::string_view(line).substr(parts->prefix.size());
            const UnitContent content = contentFromQmx(rest, codePage);
            if (held || !holdsDocumentText(*parts) || !hasTranslatableText(content))
                continue;
            const std::string text = countedText(content, codePage);
            const long words =
                settings_.rule == CountRule::Quillex
                    ? countWords(text)
                    // Other tools count the unit as exported: its
                    // character tags as characters.
                    : countWordsLike(settings_.rule,
                                     withUnicodeCharacters(content, codePage).content);
            ++counts.segments;
            counts.words += words;
            counts.characters += static_cast<long>(codePoints(text).size());
            if (!seen_.insert(std::string(rest)).second) {
                ++counts.repeatedSegments;
                counts.repeatedWords += words;
            }
        }
    }

  private:
    static void countTags(const std::vector<QmxItem>& items, int codePage, TextCounts& counts) {
        for (const QmxItem& item : items) {
            if (item.kind != QmxItem::Kind::Tag)
                continue;
            if (startsWithAny(item.text, kHiddenTagStarts))
                ++counts.hidden;
            if (!startsWithAny(item.text, kReadOnlyTagStarts))
                continue;
            const std::size_t open = item.text.find('"');
            const std::size_t close = item.text.rfind('"');
            if (close <= open)
                continue;
            const std::string_view argument = item.text.substr(open + 1, close - open - 1);
            if (splitQmxItems(argument))
                counts.readOnlyWords +=
                    countWords(countedText(contentFromQmx(argument, codePage), codePage));
        }
    }

    CountSettings settings_;
    std::unordered_set<std::string> seen_;
};

} // namespace

TextCounts& TextCounts::operator+=(const TextCounts& other) {
    segments += other.segments;
    words += other.words;
    characters += other.characters;
    repeatedSegments += other.repeatedSegments;
    repeatedWords += other.repeatedWords;
    readOnlyWords += other.readOnlyWords;
    hidden += other.hidden;
    return *this;
}

std::vector<FileCounts> countFiles(const std::vector<QmxSource>& files,
                                   const CountSettings& settings) {
    Counter counter(settings);
    std::vector<FileCounts> result;
    for (const QmxSource& file : files) {
        FileCounts counts{file.name, {}};
        counter.countFile(file, counts.counts);
        result.push_back(std::move(counts));
    }
    return result;
}

long countWords(std::string_view utf8) {
    const std::vector<std::uint32_t> points = codePoints(utf8);
    long words = 0;
    bool inWord = false; // the current piece has a character that is no punctuation
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::uint32_t c = points[i];
        const bool separatingStop = c == '.' && i > 0 && i + 1 < points.size() &&
                                    !isDigit(points[i - 1]) && !isDigit(points[i + 1]);
        if (isSpace(c) || separatingStop) {
            inWord = false;
            continue;
        }
        if (!inWord && !isPunctuation(c)) {
            ++words;
            inWord = true;
        }
    }
    return words;
}

} // namespace quillex::xliff
