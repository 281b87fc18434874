// Accented letters, brackets and filler, within the target code page.
#include "xliff/pseudo_translation.h"

#include "foundation/output_file.h"
#include "qmx/rtf_writer.h"
#include "qmx/text_writer.h"
#include "qmx/visible_length.h"
#include "xliff/code_page_text.h"
#include "xliff/language_codes.h"
#include "xliff/length_limits.h"
#include "xliff/qmx_line.h"

#include <array>
#include <map>
#include <stdexcept>

namespace quillex::xliff {
namespace {

// For each letter, look-alikes in order of preference: Latin accented
// letters (the Western and Central European code pages), Cyrillic and Greek
// ones, and full-width forms (the East Asian code pages). The first that the
// target code page has is used; a letter with none stays as it is.
struct LetterCandidates {
    char letter;
    std::string_view candidates; // UTF-8, separated by blanks
};

constexpr std::array<LetterCandidates, 52> kLookAlikes = {{
    {'a', "à á â ä ą ă а ά ａ"},
    {'b', "ƀ б ｂ"},
    {'c', "ç ć č с ｃ"},
    {'d', "ď đ ｄ"},
    {'e', "é è ê ë ę ě е έ ｅ"},
    {'f', "ƒ ｆ"},
    {'g', "ğ ｇ"},
    {'h', "ħ һ ｈ"},
    {'i', "í ì î ï ı і ί ｉ"},
    {'j', "ĵ ј ｊ"},
    {'k', "ķ к ｋ"},
    {'l', "ĺ ľ ł ｌ"},
    {'m', "м ｍ"},
    {'n', "ñ ń ň п ή ｎ"},
    {'o', "ó ò ô ö ő о ό ｏ"},
    {'p', "þ р ρ ｐ"},
    {'q', "ｑ"},
    {'r', "ŕ ř г ｒ"},
    {'s', "š ś ş ѕ ｓ"},
    {'t', "ţ ť т τ ｔ"},
    {'u', "ú ù û ü ů ű ц ύ ｕ"},
    {'v', "ν ｖ"},
    {'w', "ŵ ш ω ｗ"},
    {'x', "х χ ｘ"},
    {'y', "ý ÿ у ｙ"},
    {'z', "ž ź ż ｚ"},
    {'A', "À Á Â Ä Ą Ă А Ά Ａ"},
    {'B', "ß В Β Ｂ"},
    {'C', "Ç Ć Č С Ｃ"},
    {'D', "Ď Đ Ð Ｄ"},
    {'E', "É È Ê Ë Ę Ě Е Έ Ｅ"},
    {'F', "Ｆ"},
    {'G', "Ğ Ｇ"},
    {'H', "Н Η Ｈ"},
    {'I', "Í Ì Î Ï İ І Ί Ｉ"},
    {'J', "Ј Ｊ"},
    {'K', "К Κ Ｋ"},
    {'L', "Ĺ Ľ Ł Ｌ"},
    {'M', "М Μ Ｍ"},
    {'N', "Ñ Ń Ň Ν Ｎ"},
    {'O', "Ó Ò Ô Ö Ő О Ό Ｏ"},
    {'P', "Þ Р Ρ Ｐ"},
    {'Q', "Ｑ"},
    {'R', "Ŕ Ř Я Ｒ"},
    {'S', "Š Ś Ş Ѕ Ｓ"},
    {'T', "Ţ Ť Т Τ Ｔ"},
    {'U', "Ú Ù Û Ü Ů Ű Ц Ｕ"},
    {'V', "Ｖ"},
    {'W', "Ŵ Ш Ω Ｗ"},
    {'X', "Х Χ Ｘ"},
    {'Y', "Ý Ÿ У Υ Ｙ"},
    {'Z', "Ž Ź Ż Ζ Ｚ"},
}};

constexpr std::string_view kOpeningMark = "[";
constexpr std::string_view kClosingMark = "]";
constexpr char kFiller = '~';

// The look-alike of each letter in one code page, as UTF-8.
std::map<char, std::string> lookAlikesFor(int codePage) {
    std::map<char, std::string> table;
    for (const LetterCandidates& entry : kLookAlikes) {
        std::string_view rest = entry.candidates;
        while (!rest.empty()) {
            const std::size_t blank = rest.find(' ');
            const std::string_view candidate = rest.substr(0, blank);
            if (!encodeUtf8Text(candidate, codePage).missing) {
                table.emplace(entry.letter, candidate);
                break;
            }
            rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
        }
    }
    return table;
}

std::string accented(const std::string& text, const std::map<char, std::string>& lookAlikes) {
    std::string out;
    for (const char c : text) {
        const auto it = lookAlikes.find(c);
        out += it == lookAlikes.end() ? std::string(1, c) : it->second;
    }
    return out;
}

// Characters of the text runs; a UTF-8 character counts once.
std::size_t textLength(const UnitContent& content) {
    std::size_t length = 0;
    for (const char c : plainText(content))
        length += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return length;
}

class PseudoTranslator {
  public:
    PseudoTranslator(const QmxSource& source, const PseudoSettings& settings)
        : sourceCodePage_(codePageOfLanguage(source.language)),
          targetCodePage_(codePageOfLanguage(settings.targetLanguage)),
          expansion_(settings.expansionPercent), lookAlikes_(lookAlikesFor(targetCodePage_)),
          japanese_(source.language.starts_with("Japanese")) {}

    std::string line(const std::string& qmx, int number) const {
        const auto parts = splitQmxLine(qmx);
        if (!parts)
            throw std::runtime_error("line " + std::to_string(number) +
                                     ": the angle brackets do not balance");
        const std::string_view rest = std::string_view(qmx).substr(parts->prefix.size());
        UnitContent content = contentFromQmx(rest, sourceCodePage_);
        if (!hasTranslatableText(content))
            return qmx;
        const std::size_t filler = (textLength(content) * expansion_ + 99) / 100;
        for (ContentPiece& piece : content)
            if (auto* text = std::get_if<std::string>(&piece))
                *text = accented(*text, lookAlikes_);
        addMarks(content, parts->prefix, rest, filler);
        std::vector<std::string> problems;
        std::string out = std::string(parts->prefix) +
                          qmxFromContent(content, targetCodePage_, sourceCodePage_, problems);
        if (!problems.empty())
            throw std::runtime_error("line " + std::to_string(number) + ": " + problems.front());
        return out;
    }

  private:
    // Brackets and filler, as far as the line's length limit allows.
    void addMarks(UnitContent& content, std::string_view prefix, std::string_view original,
                  std::size_t filler) const {
        const std::size_t marks = kOpeningMark.size() + kClosingMark.size();
        if (const auto limit = lengthLimitOf(prefix)) {
            const std::size_t used = visibleLength(original, japanese_);
            const std::size_t room = used < static_cast<std::size_t>(*limit) ? *limit - used : 0;
            if (room < marks)
                return;
            filler = std::min(filler, room - marks);
        }
        content.insert(content.begin(), std::string(kOpeningMark));
        content.emplace_back(std::string(filler, kFiller) + std::string(kClosingMark));
    }

    int sourceCodePage_;
    int targetCodePage_;
    int expansion_;
    std::map<char, std::string> lookAlikes_;
    bool japanese_;
};

} // namespace

std::vector<std::string> pseudoTranslate(const QmxSource& source, const PseudoSettings& settings) {
    const PseudoTranslator translator(source, settings);
    std::vector<std::string> lines;
    int number = 0;
    for (const std::string& line : source.lines)
        lines.push_back(translator.line(line, ++number));
    return lines;
}

std::string pseudoTranslateFile(const std::string& input, const std::string& outputFolder,
                                const PseudoSettings& settings) {
    const QmxSource source = readQmxSource(input);
    std::vector<std::string> lines;
    try {
        lines = pseudoTranslate(source, settings);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(input + ": " + error.what());
    }
    OutputFile output(outputFolder + source.name);
    if (source.container == Container::Rtf)
        writeQmxRtf(output, lines, settings.letterPaper ? PaperSize::Letter : PaperSize::A4,
                    codePageOfLanguage(source.language),
                    codePageOfLanguage(settings.targetLanguage));
    else
        writeTextLines(output, lines);
    output.commit();
    return output.path();
}

} // namespace quillex::xliff
