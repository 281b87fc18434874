// Round trips through whole batches: a document converted forward, its QMX
// file converted back, and the result converted forward again gives the same
// QMX file and the same ancillary section, byte for byte.
#include "round_trip_documents.h"
#include "round_trip_support.h"
#include "text_mode.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillex;
using namespace quillex::testing;

namespace {

// The one construct that cannot come back as it was: the generator writes the
// code page's ellipsis byte (0x85) into running text, which has no Interleaf
// character; the backward conversion writes three full stops for it, as its
// character table says, so the second forward run reads "...". Both runs are
// compared through this mapping: the text a read-only or shared component
// shows keeps the byte, as the skeleton does.
// In RTF the byte is written "\'85".
std::string withEllipsisAsFullStops(std::string text) {
    constexpr std::string_view kRtfEllipsis = "\\'85";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x85') {
            out += "...";
        } else if (std::string_view(text).substr(i).starts_with(kRtfEllipsis)) {
            out += "...";
            i += kRtfEllipsis.size() - 1;
        } else {
            out += text[i];
        }
    }
    return out;
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
    trip.forward("first", namedTexts(documents));
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);

    const std::vector<std::string> translatedNames = translatedNamesOf(documents, trip);
    trip.backward("first", translatedNames);
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);

    forwardConvertedDocuments(trip, documents);
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);

    const std::string firstAncillary = trip.read("first/translated/" + trip.ancillaryName());
    const std::string secondAncillary = trip.read("second/translated/" + trip.ancillaryName());
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const std::string& name = translatedNames[i];
        EXPECT_EQ(firstDifference(expected(trip.read("first/org/" + name)),
                                  expected(trip.read("second/translated/" + name))),
                  "")
            << documents[i].name << ": the QMX file of the round trip differs";
        EXPECT_EQ(firstDifference(expected(sectionOf(firstAncillary, upper(documents[i].name))),
                                  expected(sectionOf(secondAncillary, upper(documents[i].name)))),
                  "")
            << documents[i].name << ": the ancillary section of the round trip differs";
    }
}

// The skeleton of a document in the ORG folder: N.ORG, or the style file.
std::string skeletonOf(const Document& document) {
    const std::string bare = document.name.substr(0, document.name.rfind('.'));
    return "first/org/" + bare + (document.name.ends_with(".STY") ? ".STY" : ".ORG");
}

const Document& named(const std::vector<Document>& documents, const std::string& name) {
    return *std::find_if(documents.begin(), documents.end(),
                         [&](const Document& document) { return document.name == name; });
}

// forward(D) -> T; backward(T) must give the skeleton of D byte for byte,
// line ends included: nothing was translated, so every piece keeps its
// bytes. A source with CR LF line ends has a skeleton with LF line ends; a
// skeleton whose lines end in CR LF gives a document with CR LF.
void expectUntranslatedFilesComeBackAsTheirSkeletons(std::vector<Document> documents,
                                                     RoundTrip::Format format) {
    documents.push_back({"crlf.DOC", withCrLf(named(documents, "chapter3.DOC").text)});
    RoundTrip trip(format);
    trip.forward("first", namedTexts(documents));
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);
    EXPECT_EQ(trip.read(skeletonOf(documents.back())), named(documents, "chapter3.DOC").text);
    const std::string crLfSkeleton = skeletonOf(named(documents, "chapter4.DOC"));
    trip.write(crLfSkeleton, withCrLf(trip.read(crLfSkeleton)));

    trip.backward("first", translatedNamesOf(documents, trip));
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);
    for (const Document& document : documents)
        EXPECT_EQ(firstDifference(trip.read(skeletonOf(document)),
                                  trip.read("first/translated/" + document.name)),
                  "")
            << document.name << ": the untranslated document differs from its skeleton";
}

} // namespace

TEST(RoundTrip, UntranslatedFilesComeBackAsTheirSkeletonsInText) {
    std::vector<Document> documents = corpusDocuments();
    for (Document& generated : generatedDocuments(false))
        documents.push_back(std::move(generated));
    expectUntranslatedFilesComeBackAsTheirSkeletons(documents, RoundTrip::Format::Text);
}

TEST(RoundTrip, UntranslatedFilesComeBackAsTheirSkeletonsInRtf) {
    expectUntranslatedFilesComeBackAsTheirSkeletons(corpusDocuments(), RoundTrip::Format::Rtf);
}

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

// Larger documents reach what small ones rarely hold: frames anchored inside
// hidden, shared and read-only components, pages that start inside such a
// component or at a table's first row.
TEST(RoundTrip, LargerGeneratedDocumentsComeBackAsTheyWere) {
    expectIdentityRoundTrip(generatedDocuments(false, {2u, 4u, 5u, 12u}, 600 * 1024),
                            RoundTrip::Format::Text, "English (US)", "French",
                            withEllipsisAsFullStops);
}

TEST(RoundTrip, JapaneseDocumentsComeBackAsTheyWere) {
    expectIdentityRoundTrip(generatedDocuments(true), RoundTrip::Format::Text,
                            "Japanese (Shift-JIS)", "Japanese (Shift-JIS)");
}

// Seed 5 holds a quotation that closes inside a JIS run, whose double quote
// is half of a JIS character.
TEST(RoundTrip, LargerGeneratedDocumentsComeBackAsTheyWereInRtf) {
    expectIdentityRoundTrip(generatedDocuments(false, {2u, 12u}, 600 * 1024),
                            RoundTrip::Format::Rtf, "English (US)", "French",
                            withEllipsisAsFullStops);
}

TEST(RoundTrip, LargerJapaneseDocumentsComeBackAsTheyWere) {
    expectIdentityRoundTrip(generatedDocuments(true, {1u, 5u}, 600 * 1024), RoundTrip::Format::Text,
                            "Japanese (Shift-JIS)", "Japanese (Shift-JIS)");
}
