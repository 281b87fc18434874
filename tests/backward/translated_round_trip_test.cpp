// Round trips of translated files: every text run of the QMX files and of the
// ancillary file is rewritten as a translation would change it, the result is
// converted back, and converting that document forward again must give the
// rewritten files byte for byte. So every translated text lands in its own
// paragraph, cell, text string, footnote, index marker, variable and format.
// Translations into every code page of the language table either bring each
// character back or are refused with the character named.
#include "round_trip_documents.h"
#include "round_trip_support.h"
#include "translation_rewrite.h"

#include "conversion/language_table.h"
#include "qmx/rtf_reader.h"
#include "qmx/rtf_writer.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

using namespace quillex;
using namespace quillex::testing;

namespace {

// A QMX file in the container of its format, as lines and back. The forward
// run writes every line with CR LF.
class QmxContainer {
  public:
    QmxContainer(RoundTrip::Format format, const std::string& sourceLanguage,
                 const std::string& targetLanguage)
        : format_(format) {
        LanguageRecord record;
        lookupLanguage(sourceLanguage, LanguageRole::Source, record);
        sourceCodePage_ = record.codePage;
        lookupLanguage(targetLanguage, LanguageRole::Target, record);
        targetCodePage_ = record.codePage;
    }

    std::vector<std::string> linesOf(const std::string& bytes) const {
        std::vector<std::string> lines;
        if (format_ == RoundTrip::Format::Rtf) {
            readRtfBytes(bytes, lines);
            return lines;
        }
        std::size_t start = 0;
        while (start < bytes.size()) {
            const std::size_t end = bytes.find("\r\n", start);
            lines.push_back(bytes.substr(start, end - start));
            start = end == std::string::npos ? bytes.size() : end + 2;
        }
        return lines;
    }

    std::string bytesOf(const std::vector<std::string>& lines, RoundTrip& trip) const {
        if (format_ == RoundTrip::Format::Rtf) {
            const std::string path = trip.work.folder() + "container.RTF";
            writeQmxRtfFile(path, lines, PaperSize::A4, sourceCodePage_, targetCodePage_);
            return trip.read("container.RTF");
        }
        std::string bytes;
        for (const std::string& line : lines)
            bytes += line + "\r\n";
        return bytes;
    }

  private:
    RoundTrip::Format format_;
    int sourceCodePage_ = 1252;
    int targetCodePage_ = 1252;
};

// forward(D) -> T; T rewritten -> T2; backward(T2) -> D2; forward(D2) must
// give T2 again, and the rewritten ancillary sections.
void expectTranslatedRoundTrip(const std::vector<Document>& documents, RoundTrip::Format format,
                               const TranslationStyle& style,
                               const std::string& sourceLanguage = "English (US)",
                               const std::string& targetLanguage = "French") {
    RoundTrip trip(format, sourceLanguage, targetLanguage);
    const QmxContainer container(format, sourceLanguage, targetLanguage);
    trip.forward("first", namedTexts(documents));
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);

    const std::vector<std::string> translatedNames = translatedNamesOf(documents, trip);
    std::vector<std::string> rewrittenNames = translatedNames;
    rewrittenNames.push_back(trip.ancillaryName());
    std::map<std::string, std::string> translations;
    for (const std::string& name : rewrittenNames) {
        const std::string path = "first/translated/" + name;
        const std::string original = trip.read(path);
        const std::vector<std::string> lines = container.linesOf(original);
        // The container gives back what the forward run wrote, so any
        // difference below comes from the conversions.
        ASSERT_EQ(firstDifference(original, container.bytesOf(lines, trip)), "") << name;
        // A catalog holds no translatable text: only the paths of the
        // documents that use its formats, which the forward run writes anew.
        translations[name] = name.ends_with(".CAT")
                                 ? original
                                 : container.bytesOf(translateQmxLines(lines, style), trip);
        trip.write(path, translations[name]);
    }
    trip.backward("first", translatedNames);
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);

    forwardConvertedDocuments(trip, documents);
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);

    const std::string& firstAncillary = translations[trip.ancillaryName()];
    const std::string secondAncillary = trip.read("second/translated/" + trip.ancillaryName());
    const auto readable = [&](const std::string& bytes) {
        std::string text;
        for (const std::string& line : container.linesOf(bytes))
            text += line + "\n";
        return text;
    };
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const std::string& name = translatedNames[i];
        EXPECT_EQ(firstDifference(readable(translations[name]),
                                  readable(trip.read("second/translated/" + name))),
                  "")
            << documents[i].name << ": the QMX file of the translated round trip differs";
        EXPECT_EQ(translations[name], trip.read("second/translated/" + name))
            << documents[i].name << ": the container bytes differ";
        const std::string section = upper(documents[i].name);
        EXPECT_EQ(firstDifference(sectionOf(readable(firstAncillary), section),
                                  sectionOf(readable(secondAncillary), section)),
                  "")
            << documents[i].name << ": the ancillary section of the translated round trip differs";
    }
}

TranslationStyle western() {
    return {};
}

// Every seventh line translated: most pieces are left alone and keep the
// skeleton's bytes, between pieces laid out anew.
TranslationStyle partly() {
    TranslationStyle style;
    style.translateEvery = 7;
    return style;
}

TranslationStyle japanese() {
    TranslationStyle style;
    style.japanese = true;
    return style;
}

} // namespace

TEST(TranslatedRoundTrip, CorpusAndExamplesInText) {
    expectTranslatedRoundTrip(corpusDocuments(), RoundTrip::Format::Text, western());
}

TEST(TranslatedRoundTrip, CorpusAndExamplesInRtf) {
    expectTranslatedRoundTrip(corpusDocuments(), RoundTrip::Format::Rtf, western());
}

// The western generated documents hold a byte that a translated piece
// cannot keep (the code page's ellipsis), so the Japanese ones stand in for
// them here.
TEST(TranslatedRoundTrip, PartlyTranslatedDocuments) {
    expectTranslatedRoundTrip(corpusDocuments(), RoundTrip::Format::Text, partly());
    TranslationStyle japanesePartly = japanese();
    japanesePartly.translateEvery = partly().translateEvery;
    expectTranslatedRoundTrip(generatedDocuments(true), RoundTrip::Format::Text, japanesePartly,
                              "Japanese (Shift-JIS)", "Japanese (Shift-JIS)");
}

// Seeds 1 and 13 (64 KiB) give page declarations right after cell tags; seed
// 12 (600 KiB) a frame anchored inside a shared component, with translated
// text after it.
constexpr std::size_t kLargerDocument = 64 * 1024;
constexpr std::size_t kLargeDocument = 600 * 1024;

TEST(TranslatedRoundTrip, GeneratedDocuments) {
    expectTranslatedRoundTrip(generatedDocuments(false), RoundTrip::Format::Text, western());
    expectTranslatedRoundTrip(generatedDocuments(false, {1u, 13u}, kLargerDocument),
                              RoundTrip::Format::Text, western());
    expectTranslatedRoundTrip(generatedDocuments(false, {12u}, kLargeDocument),
                              RoundTrip::Format::Text, western());
}

TEST(TranslatedRoundTrip, GeneratedDocumentsInRtf) {
    expectTranslatedRoundTrip(generatedDocuments(false), RoundTrip::Format::Rtf, western());
}

TEST(TranslatedRoundTrip, JapaneseDocumentsWithAJapaneseTarget) {
    expectTranslatedRoundTrip(generatedDocuments(true), RoundTrip::Format::Text, japanese(),
                              "Japanese (Shift-JIS)", "Japanese (Shift-JIS)");
    expectTranslatedRoundTrip(generatedDocuments(true, {1u, 13u}, kLargerDocument),
                              RoundTrip::Format::Text, japanese(), "Japanese (Shift-JIS)",
                              "Japanese (Shift-JIS)");
}

TEST(TranslatedRoundTrip, JapaneseDocumentsInRtf) {
    expectTranslatedRoundTrip(generatedDocuments(true), RoundTrip::Format::Rtf, japanese(),
                              "Japanese (Shift-JIS)", "Japanese (Shift-JIS)");
}

// ---- Characters of every target code page -------------------------------

namespace {

// Text in code page `from` converted to code page `to`, exactly or not at all.
std::optional<std::string> transcode(std::string_view bytes, int from, int to) {
    const iconv_t handle =
        iconv_open(("CP" + std::to_string(to)).c_str(), ("CP" + std::to_string(from)).c_str());
    if (handle == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(bytes.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outAt = out.data();
    std::size_t outLeft = out.size();
    const bool exact =
        iconv(handle, &in, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(handle);
    if (!exact)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

// One language of a code page, and characters of it that a translation adds:
// those with an Interleaf form come back on the second forward run, the
// others fail the file with the character named. The no-break space has a
// form in running text only; in attribute values and diagram strings it is
// refused too.
struct CodePageCase {
    const char* language;
    int codePage;
    std::vector<std::string> kept;
    std::vector<std::string> refused;
};

const std::string kNoBreakSpace = "\xA0";

const std::vector<CodePageCase>& codePageCases() {
    static const std::vector<CodePageCase> cases = {
        // é Ö ß, no-break space | Ś Ž ť Ź Č ř €
        {"Czech",
         1250,
         {"\xE9", "\xD6", "\xDF", kNoBreakSpace},
         {"\x8C", "\x8E", "\x9D", "\x8F", "\xC8", "\xF8", "\x80"}},
        // « § — , no-break space | Ђ ђ Џ Ж я €
        {"Russian",
         1251,
         {"\xAB", "\xA7", "\x97", kNoBreakSpace},
         {"\x80", "\x90", "\x8F", "\xC6", "\xFF", "\x88"}},
        // é Œ — ƒ, soft hyphen, no-break space | € Š ž ² ¹
        {"French",
         1252,
         {"\xE9", "\x8C", "\x97", "\x83", "\xAD", kNoBreakSpace},
         {"\x80", "\x8A", "\x9E", "\xB2", "\xB9"}},
        // £ ©, no-break space | Ω ά Ά €
        {"Greek", 1253, {"\xA3", "\xA9", kNoBreakSpace}, {"\xD9", "\xDC", "\xA2", "\x80"}},
        // ç Ü, no-break space | Ğ ş İ €
        {"Turkish", 1254, {"\xE7", "\xDC", kNoBreakSpace}, {"\xD0", "\xFE", "\xDD", "\x80"}},
        // Ø (at 0xA8, not 1252's 0xD8) ä Ä, no-break space | Ų ė €
        {"Lithuanian", 1257, {"\xA8", "\xE4", "\xC4", kNoBreakSpace}, {"\xD8", "\xEB", "\x80"}},
        // 中 文 €
        {"Chinese (Simplified)", 936, {}, {"\xD6\xD0", "\xCE\xC4", "\x80"}},
        // 中
        {"Chinese (Traditional)", 950, {}, {"\xA4\xA4"}},
        // 한
        {"Korean", 949, {}, {"\xC7\xD1"}},
    };
    return cases;
}

// A refusal as the results list names it: the file, the line, the bytes.
struct Refusal {
    std::string path;
    std::size_t line = 0;
    std::string bytes;
};

std::optional<Refusal> refusalOf(const std::string& resultLine) {
    static const std::regex pattern(
        R"(^(.*), line (\d+): the character .*\(bytes?((?: 0x[0-9A-F]{2})+)\) of code page \d+ has no Interleaf form\.$)");
    std::smatch match;
    if (!std::regex_match(resultLine, match, pattern))
        return std::nullopt;
    Refusal refusal{match[1], std::stoul(match[2]), {}};
    std::istringstream hex(match[3]);
    for (std::string byte; hex >> byte;)
        refusal.bytes += static_cast<char>(std::stoi(byte.substr(2), nullptr, 16));
    return refusal;
}

std::string baseNameOf(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

// `line` with `bytes` in its text (not its tags) replaced by `by`.
std::string replacedInText(const std::string& line, const std::string& bytes,
                           const std::string& by) {
    std::string out;
    for (rewrite_detail::Piece piece : rewrite_detail::piecesOf(line)) {
        for (std::size_t at = 0;
             !piece.tag && (at = piece.text.find(bytes, at)) != std::string::npos; at += by.size())
            piece.text.replace(at, bytes.size(), by);
        out += piece.text;
    }
    return out;
}

// A QMX text as the source code page (1252) holds it: the text runs of a
// file in `codePage` converted, and the tags that stand for characters
// (the hard space, the soft hyphen, guillemets) as those characters. Nothing
// when a character of the text has no form in code page 1252.
std::optional<std::string> asWesternText(const std::vector<std::string>& lines, int codePage) {
    constexpr std::pair<const char*, const char*> kCharacterTags[] = {
        {"<:hs>", "\xA0"}, {"<:sh>", "\xAD"}, {"<:flq>", "\xAB"}, {"<:frq>", "\xBB"}};
    std::string text;
    for (const std::string& line : lines) {
        for (const rewrite_detail::Piece& piece : rewrite_detail::piecesOf(line)) {
            if (piece.tag) {
                const auto tag = std::ranges::find_if(
                    kCharacterTags, [&](const auto& entry) { return piece.text == entry.first; });
                text += tag != std::end(kCharacterTags) ? tag->second : piece.text;
            } else if (const auto western = transcode(piece.text, codePage, 1252)) {
                text += *western;
            } else {
                return std::nullopt;
            }
        }
        text += "\n";
    }
    return text;
}

std::vector<std::string> crLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        start = end == std::string::npos ? bytes.size() : end + 2;
    }
    return lines;
}

std::string crLfBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// The most backward batches one case may take: each refusal of a character
// takes it out of its file (the no-break space out of its line) and the
// refused files are converted again.
constexpr int kMaxBackwardRounds = 60;

// forward(D) -> T; T with the case's characters added -> T2; backward(T2)
// until no file is refused, each refusal naming a refused character on the
// line of the file it names and writing no output; forward(D2) must give T2
// again, in code page 1252 terms.
void expectCharactersBackOrRefused(const CodePageCase& target,
                                   const std::vector<Document>& documents) {
    SCOPED_TRACE(target.language);
    RoundTrip trip(RoundTrip::Format::Text, "English (US)", target.language);
    trip.forward("first", namedTexts(documents));
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);

    TranslationStyle style;
    for (std::size_t i = 0; i < std::max(target.kept.size(), target.refused.size()); ++i) {
        if (i < target.kept.size())
            style.addedCharacters.push_back(target.kept[i]);
        if (i < target.refused.size())
            style.addedCharacters.push_back(target.refused[i]);
    }
    const std::vector<std::string> names = translatedNamesOf(documents, trip);
    std::map<std::string, std::vector<std::string>> translations;
    std::vector<std::string> rewritten = names;
    rewritten.push_back(trip.ancillaryName());
    for (const std::string& name : rewritten) {
        const std::vector<std::string> lines = crLfLines(trip.read("first/translated/" + name));
        translations[name] = name.ends_with(".CAT") ? lines : translateQmxLines(lines, style);
        trip.write("first/translated/" + name, crLfBytes(translations[name]));
    }

    std::set<std::string> refusedSeen;
    std::vector<std::string> pending = names;
    for (int round = 0; !pending.empty(); ++round) {
        ASSERT_LT(round, kMaxBackwardRounds) << "refusals do not end";
        trip.backward("first", pending);
        // Files as the batch read them: a refusal may name a character that an
        // earlier refusal of the same round took out already.
        const std::map<std::string, std::vector<std::string>> asRead = translations;
        std::size_t refusals = 0;
        for (const std::string& result : trip.lastResults) {
            const std::optional<Refusal> refusal = refusalOf(result);
            if (!refusal)
                continue;
            ++refusals;
            const std::string file = baseNameOf(refusal->path);
            ASSERT_TRUE(translations.contains(file)) << result;
            std::vector<std::string>& lines = translations[file];
            ASSERT_LE(refusal->line, lines.size()) << result;
            const std::string& lineAsRead = asRead.at(file)[refusal->line - 1];
            ASSERT_NE(replacedInText(lineAsRead, refusal->bytes, "x"), lineAsRead)
                << result << ": the line does not hold the character";
            std::string& line = lines[refusal->line - 1];
            if (std::ranges::find(target.refused, refusal->bytes) != target.refused.end()) {
                refusedSeen.insert(refusal->bytes);
                for (std::string& each : lines)
                    each = replacedInText(each, refusal->bytes, "x");
            } else {
                ASSERT_EQ(refusal->bytes, kNoBreakSpace)
                    << result << ": a character with an Interleaf form was refused";
                line = replacedInText(line, refusal->bytes, " ");
            }
            trip.write("first/translated/" + file, crLfBytes(lines));
        }
        // Every file that failed was refused for a character, and wrote nothing.
        std::vector<std::string> again;
        for (const std::string& name : pending) {
            const auto index =
                static_cast<std::size_t>(std::ranges::find(names, name) - names.begin());
            if (!trip.exists("first/translated/" + documents[index].name))
                again.push_back(name);
        }
        ASSERT_EQ(static_cast<int>(again.size()), trip.lastReport.failed)
            << ::testing::PrintToString(trip.lastResults);
        ASSERT_EQ(again.size(), refusals) << ::testing::PrintToString(trip.lastResults);
        pending = std::move(again);
    }
    for (const std::string& refused : target.refused)
        EXPECT_TRUE(refusedSeen.contains(refused))
            << "byte " << std::hex << int(static_cast<unsigned char>(refused[0]))
            << " was never refused";

    forwardConvertedDocuments(trip, documents);
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);
    const auto secondLines = [&](const std::string& name) {
        return crLfLines(trip.read("second/translated/" + name));
    };
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (names[i].ends_with(".CAT"))
            continue;
        const std::optional<std::string> expected =
            asWesternText(translations[names[i]], target.codePage);
        ASSERT_TRUE(expected) << documents[i].name << ": a character without a form was kept";
        EXPECT_EQ(firstDifference(*expected, *asWesternText(secondLines(names[i]), 1252)), "")
            << documents[i].name << ": a translated character changed";
    }
    const std::optional<std::string> firstAncillary =
        asWesternText(translations[trip.ancillaryName()], target.codePage);
    ASSERT_TRUE(firstAncillary) << "a character without a form was kept in the ancillary file";
    const std::string secondAncillary = *asWesternText(secondLines(trip.ancillaryName()), 1252);
    for (const Document& document : documents) {
        const std::string section = upper(document.name);
        EXPECT_EQ(firstDifference(sectionOf(*firstAncillary, section),
                                  sectionOf(secondAncillary, section)),
                  "")
            << document.name << ": a translated character of the ancillary section changed";
    }
}

} // namespace

// Every document of the corpus, the examples and three generated ones goes
// to one code page; each code page gets two.
TEST(TranslatedRoundTrip, CharactersOfEveryCodePageComeBackOrAreRefused) {
    std::vector<Document> documents = corpusDocuments();
    for (Document& generated : generatedDocuments(false))
        documents.push_back(std::move(generated));
    const std::vector<CodePageCase>& cases = codePageCases();
    for (std::size_t c = 0; c < cases.size(); ++c) {
        std::vector<Document> sample;
        for (std::size_t d = c; d < documents.size(); d += cases.size())
            sample.push_back(documents[d]);
        expectCharactersBackOrRefused(cases[c], sample);
    }
}
