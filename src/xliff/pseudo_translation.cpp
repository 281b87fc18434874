// Accented letters, brackets and filler, within the target code page.
#include "xliff/pseudo_translation.h"

#include "foundation/output_file.h"
#include "qmx/interleaf_forms.h"
#include "qmx/rtf_writer.h"
#include "qmx/text_writer.h"
#include "verifier/file_checks.h"
#include "xliff/code_page_text.h"
#include "xliff/language_codes.h"
#include "xliff/qmx_line.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

namespace quillex::xliff {
namespace {

// For each letter, look-alikes in order of preference: Latin accented
// letters, full-width forms (the Japanese code page), Cyrillic and Greek ones.
// The first that the target code page has and Interleaf carries back is used;
// a letter with none stays as it is.
struct LetterCandidates {
    char letter;
    std::string_view candidates; // UTF-8, separated by blanks
};

constexpr std::array<LetterCandidates, 52> kLookAlikes = {{
    {'a', "à á â ä ą ă ａ а ά"},
    {'b', "ƀ ｂ б"},
    {'c', "ç ć č ｃ с"},
    {'d', "ď đ ｄ"},
    {'e', "é è ê ë ę ě ｅ е έ"},
    {'f', "ƒ ｆ"},
    {'g', "ğ ｇ"},
    {'h', "ħ ｈ һ"},
    {'i', "í ì î ï ı ｉ і ί"},
    {'j', "ĵ ｊ ј"},
    {'k', "ķ ｋ к"},
    {'l', "ĺ ľ ł ｌ"},
    {'m', "ｍ м"},
    {'n', "ñ ń ň ｎ п ή"},
    {'o', "ó ò ô ö ő ｏ о ό"},
    {'p', "þ ｐ р ρ"},
    {'q', "ｑ"},
    {'r', "ŕ ř ｒ г"},
    {'s', "š ś ş ｓ ѕ"},
    {'t', "ţ ť ｔ т τ"},
    {'u', "ú ù û ü ů ű ｕ ц ύ"},
    {'v', "ｖ ν"},
    {'w', "ŵ ｗ ш ω"},
    {'x', "ｘ х χ"},
    {'y', "ý ÿ ｙ у"},
    {'z', "ž ź ż ｚ"},
    {'A', "À Á Â Ä Ą Ă Ａ А Ά"},
    {'B', "ß Ｂ В Β"},
    {'C', "Ç Ć Č Ｃ С"},
    {'D', "Ď Đ Ð Ｄ"},
    {'E', "É È Ê Ë Ę Ě Ｅ Е Έ"},
    {'F', "Ｆ"},
    {'G', "Ğ Ｇ"},
    {'H', "Ｈ Н Η"},
    {'I', "Í Ì Î Ï İ Ｉ І Ί"},
    {'J', "Ｊ Ј"},
    {'K', "Ｋ К Κ"},
    {'L', "Ĺ Ľ Ł Ｌ"},
    {'M', "Ｍ М Μ"},
    {'N', "Ñ Ń Ň Ｎ Ν"},
    {'O', "Ó Ò Ô Ö Ő Ｏ О Ό"},
    {'P', "Þ Ｐ Р Ρ"},
    {'Q', "Ｑ"},
    {'R', "Ŕ Ř Ｒ Я"},
    {'S', "Š Ś Ş Ｓ Ѕ"},
    {'T', "Ţ Ť Ｔ Т Τ"},
    {'U', "Ú Ù Û Ü Ů Ű Ｕ Ц"},
    {'V', "Ｖ"},
    {'W', "Ŵ Ｗ Ш Ω"},
    {'X', "Ｘ Х Χ"},
    {'Y', "Ý Ÿ Ｙ У Υ"},
    {'Z', "Ž Ź Ż Ｚ Ζ"},
}};

constexpr std::string_view kOpeningMark = "[";
constexpr std::string_view kClosingMark = "]";
constexpr char kFiller = '~';

// The code page of the Japanese targets, whose double-byte text Interleaf
// takes as it is.
constexpr int kJapaneseCodePage = 932;

// The escape character of an escape run, and the length of the sequence that
// ends the run after it ("(B").
constexpr std::string_view kEscapeTag = "<:r27>";
constexpr std::size_t kDesignatorLength = 2;

// Whether `candidate` is in the code page and comes back from Interleaf as
// it was: every byte has an Interleaf form, or (a Japanese target) it is a
// two-byte character, which travels as an Interleaf double-byte code.
bool comesBack(std::string_view candidate, int codePage) {
    const EncodedText encoded = encodeUtf8Text(candidate, codePage);
    if (encoded.missing || encoded.bytes.empty())
        return false;
    if (codePage == kJapaneseCodePage && encoded.bytes.size() == 2 &&
        isLeadByte(static_cast<unsigned char>(encoded.bytes[0]), codePage))
        return true;
    const InterleafForms& forms = InterleafForms::of(codePage);
    return std::all_of(encoded.bytes.begin(), encoded.bytes.end(), [&](char c) {
        const InterleafForm& form = forms[static_cast<unsigned char>(c)];
        return form.kind == FormKind::Plain ||
               (form.kind == FormKind::Markup && !form.runningTextOnly);
    });
}

// The look-alike of each letter in one code page, as UTF-8.
std::map<char, std::string> lookAlikesFor(int codePage) {
    std::map<char, std::string> table;
    for (const LetterCandidates& entry : kLookAlikes) {
        std::string_view rest = entry.candidates;
        while (!rest.empty()) {
            const std::size_t blank = rest.find(' ');
            const std::string_view candidate = rest.substr(0, blank);
            if (comesBack(candidate, codePage)) {
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
          expansion_(settings.expansionPercent), lookAlikes_(lookAlikesFor(targetCodePage_)) {}

    std::string line(const std::string& qmx, int number) const {
        const auto parts = splitQmxLine(qmx);
        if (!parts)
            throw std::runtime_error("line " + std::to_string(number) +
                                     ": the angle brackets do not balance");
        const std::string_view rest = std::string_view(qmx).substr(parts->prefix.size());
        const UnitContent content = contentFromQmx(rest, sourceCodePage_);
        if (!holdsDocumentText(*parts) || !hasTranslatableText(content))
            return qmx;
        const std::size_t filler = (textLength(content) * expansion_ + 99) / 100;
        const std::string prefix(parts->prefix);
        const auto limit = verifier::textLengthLimit(prefix);
        if (!limit)
            return prefix + rendered(content, Marks{true, true, filler}, number);
        // A limited text grows only as far as its limit, counted as the
        // verifier counts it (bytes, a tag as one); a look-alike of two bytes
        // may not fit either, and a text over its limit already stays as it
        // is.
        const auto fits = [&](const std::string& text) {
            return verifier::limitLength(text) <= *limit;
        };
        const std::string marked = rendered(content, Marks{true, true, 0}, number);
        if (fits(marked)) {
            const auto room = static_cast<std::size_t>(*limit - verifier::limitLength(marked));
            return prefix + rendered(content, Marks{true, true, std::min(filler, room)}, number);
        }
        if (const std::string accentedOnly = rendered(content, Marks{true, false, 0}, number);
            fits(accentedOnly))
            return prefix + accentedOnly;
        return qmx;
    }

  private:
    struct Marks {
        bool accents;
        bool brackets;
        std::size_t filler;
    };

    std::string rendered(UnitContent content, const Marks& marks, int number) const {
        if (marks.accents)
            accentText(content);
        if (marks.brackets) {
            content.insert(content.begin(), std::string(kOpeningMark));
            content.emplace_back(std::string(marks.filler, kFiller) + std::string(kClosingMark));
        }
        std::vector<std::string> problems;
        std::string out = qmxFromContent(content, targetCodePage_, sourceCodePage_, problems);
        if (!problems.empty())
            throw std::runtime_error("line " + std::to_string(number) + ": " + problems.front());
        return out;
    }

    // Changes the letters of the text runs, except an escape run: the text
    // between two escape characters (<:r27>) and the two characters that
    // follow the second are an escape sequence and its data (JIS text in a
    // Japanese document), which must stay as they are.
    void accentText(UnitContent& content) const {
        enum class Run { Text, Escaped, Designator } run = Run::Text;
        for (ContentPiece& piece : content) {
            if (const auto* code = std::get_if<InlineCode>(&piece)) {
                if (code->native == kEscapeTag)
                    run = run == Run::Escaped ? Run::Designator : Run::Escaped;
                continue;
            }
            std::string& text = std::get<std::string>(piece);
            if (run == Run::Escaped)
                continue;
            std::size_t kept = 0;
            if (run == Run::Designator) {
                kept = std::min(text.size(), kDesignatorLength);
                run = Run::Text;
            }
            text = text.substr(0, kept) + accented(text.substr(kept), lookAlikes_);
        }
    }

    int sourceCodePage_;
    int targetCodePage_;
    int expansion_;
    std::map<char, std::string> lookAlikes_;
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
