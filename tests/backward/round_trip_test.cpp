// Round trips through whole batches: a document converted forward, its QMX
// file converted back, and the result converted forward again gives the same
// QMX file and the same ancillary section, byte for byte.
#include "round_trip_support.h"

#include "document_generator.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quillex;
using namespace quillex::testing;

namespace {

struct Document {
    std::string name; // with its extension, .DOC or .STY
    std::string text;
};

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<Document> corpusDocuments() {
    std::vector<Document> documents;
    for (const char* name :
         {"DataS.DOC", "FltrS.DOC", "ProgG.DOC", "ProgI.DOC", "TOC.DOC", "ar5test.DOC", "TOCfm.STY",
          "4book.mas__codes.STY", "4book.mas__foot.STY"})
        documents.push_back({name, fileText(std::string(QUILLEX_CORPUS) + "/as-8.0/" + name)});
    for (const char* name : {"chapter3.DOC", "chapter4.DOC", "manual.STY"})
        documents.push_back({name, fileText(std::string(QUILLEX_EXAMPLES) + "/" + name)});
    return documents;
}

std::vector<Document> generatedDocuments(bool japanese) {
    std::vector<Document> documents;
    for (const std::uint64_t seed : {3u, 11u, 29u}) {
        docgen::GeneratorOptions options;
        options.seed = seed;
        options.size = 48 * 1024;
        options.japanese = japanese;
        documents.push_back(
            {"gen" + std::to_string(seed) + ".DOC", docgen::generateDocumentText(options)});
        options.kind = docgen::DocumentKind::Style;
        documents.push_back(
            {"gen" + std::to_string(seed) + ".STY", docgen::generateDocumentText(options)});
    }
    return documents;
}

// The file's section of an ancillary file: from its <file> line to its
// </file> line.
std::string sectionOf(const std::string& ancillary, const std::string& outputName) {
    const std::string opening = "<file \"" + outputName + "\">";
    const std::string closing = "</file \"" + outputName + "\">";
    const auto start = ancillary.find(opening);
    const auto end = ancillary.find(closing, start);
    if (start == std::string::npos || end == std::string::npos)
        return {};
    return ancillary.substr(start, end + closing.size() - start);
}

// Where two texts first differ, as "line N" and both lines: a readable
// failure for files of thousands of lines. Empty when they are equal.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    if (expected == actual)
        return {};
    std::size_t line = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        if (expected[i] != actual[i])
            break;
        if (expected[i] == '\n') {
            ++line;
            start = i + 1;
        }
    }
    const auto lineAt = [start](const std::string& text) {
        const std::size_t end = text.find('\n', start);
        return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    };
    return "line " + std::to_string(line) + "\n  expected: " + lineAt(expected) +
           "\n  actual:   " + lineAt(actual);
}

// The one construct that cannot come back as it was: the generator writes the
// code page's ellipsis byte (0x85) into running text, which has no Interleaf
// character; the backward conversion writes three full stops for it, as its
// character table says, so the second forward run reads "...".
std::string withEllipsisAsFullStops(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        out += c == '\x85' ? std::string("...") : std::string(1, c);
    return out;
}

std::string upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// forward(D) -> T; backward(T) -> D'; forward(D') must give T again.
void expectIdentityRoundTrip(const std::vector<Document>& documents, RoundTrip::Format format,
                             const std::string& sourceLanguage = "English (US)",
                             const std::string& targetLanguage = "French",
                             std::string (*knownLoss)(std::string) = nullptr) {
    const auto expected = [knownLoss](std::string text) {
        return knownLoss != nullptr ? knownLoss(std::move(text)) : text;
    };
    RoundTrip trip(format, sourceLanguage, targetLanguage);
    std::vector<std::pair<std::string, std::string>> files;
    for (const Document& d : documents)
        files.emplace_back(d.name, d.text);
    trip.forward("first", files);
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);

    std::vector<std::string> translatedNames;
    for (const Document& d : documents) {
        const std::string bare = d.name.substr(0, d.name.rfind('.'));
        translatedNames.push_back(bare + (d.name.ends_with(".STY") ? ".CAT" : trip.qmxExtension()));
    }
    trip.backward("first", translatedNames);
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);

    std::vector<std::pair<std::string, std::string>> again;
    for (const Document& d : documents)
        again.emplace_back(d.name, trip.read("first/translated/" + d.name));
    trip.forward("second", again, "first");
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);

    const std::string firstAncillary = trip.read("first/translated/" + trip.ancillaryName());
    const std::string secondAncillary = trip.read("second/translated/" + trip.ancillaryName());
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const std::string& name = translatedNames[i];
        EXPECT_EQ(firstDifference(expected(trip.read("first/org/" + name)),
                                  trip.read("second/translated/" + name)),
                  "")
            << documents[i].name << ": the QMX file of the round trip differs";
        EXPECT_EQ(firstDifference(expected(sectionOf(firstAncillary, upper(documents[i].name))),
                                  sectionOf(secondAncillary, upper(documents[i].name))),
                  "")
            << documents[i].name << ": the ancillary section of the round trip differs";
    }
}

} // namespace

TEST(RoundTrip, CorpusAndExamplesComeBackAsTheyWereInText) {
    expectIdentityRoundTrip(corpusDocuments(), RoundTrip::Format::Text);
}

TEST(RoundTrip, CorpusAndExamplesComeBackAsTheyWereInRtf) {
    expectIdentityRoundTrip(corpusDocuments(), RoundTrip::Format::Rtf);
}

TEST(RoundTrip, GeneratedDocumentsComeBackAsTheyWere) {
    expectIdentityRoundTrip(generatedDocuments(false), RoundTrip::Format::Text, "English (US)",
                            "French", withEllipsisAsFullStops);
}

TEST(RoundTrip, JapaneseDocumentsComeBackAsTheyWere) {
    expectIdentityRoundTrip(generatedDocuments(true), RoundTrip::Format::Text,
                            "Japanese (Shift-JIS)", "Japanese (Shift-JIS)");
}
