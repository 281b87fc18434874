// Round trips of translated files: every text run of the QMX files and of the
// ancillary file is rewritten as a translation would change it, the result is
// converted back, and converting that document forward again must give the
// rewritten files byte for byte. So every translated text lands in its own
// paragraph, cell, text string, footnote, index marker, variable and format.
#include "round_trip_documents.h"
#include "round_trip_support.h"
#include "translation_rewrite.h"

#include "conversion/language_table.h"
#include "qmx/rtf_reader.h"
#include "qmx/rtf_writer.h"

#include <gtest/gtest.h>

#include <map>

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
