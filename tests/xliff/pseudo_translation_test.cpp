// Pseudo-translated QMX files verify clean, convert back, and converting the
// result forward again gives the pseudo-translated files: over the corpus,
// the examples (whose length-limited texts must not outgrow their limits) and
// generated Japanese documents.
#include "app/batch_runner.h"
#include "app/fake_batch_host.h"
#include "backward/round_trip_documents.h"
#include "backward/round_trip_support.h"
#include "xliff/pseudo_translation.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::testing;

namespace {

BatchReport verifyBatch(RoundTrip& trip, const std::vector<std::string>& names,
                        const std::string& language) {
    FakeBatchHost host;
    for (const std::string& name : names)
        host.files.push_back(trip.work.folder() + "first/translated/" + name);
    Settings settings;
    settings.paths.sourceFiles = trip.work.folder() + "first/org/";
    settings.paths.translatedFiles = trip.work.folder() + "first/translated/";
    settings.options.fileFormatForQmx = QmxFileFormat::Text;
    settings.options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    settings.options.sourceLanguage = language;
    settings.options.targetLanguage = language;
    BatchRunner runner(host, settings);
    return runner.run(BatchKind::Verify);
}

void expectPseudoTranslationGoesRound(const std::vector<Document>& documents,
                                      const std::string& language) {
    RoundTrip trip(RoundTrip::Format::Text, language, language);
    trip.forward("first", namedTexts(documents));
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);

    const std::vector<std::string> names = translatedNamesOf(documents, trip);
    xliff::PseudoSettings settings;
    settings.targetLanguage = language;
    std::vector<std::string> verified;
    for (std::string name : names) {
        xliff::pseudoTranslateFile(trip.work.folder() + "first/org/" + name,
                                   trip.work.folder() + "first/translated/", settings);
        if (name.ends_with(".TXT"))
            verified.push_back(name);
    }
    xliff::pseudoTranslateFile(trip.work.folder() + "first/org/" + trip.ancillaryName(),
                               trip.work.folder() + "first/translated/", settings);
    verified.push_back(trip.ancillaryName());

    const BatchReport verification = verifyBatch(trip, verified, language);
    EXPECT_EQ(verification.failed, 0);
    EXPECT_EQ(verification.tagChanges, 0) << ::testing::PrintToString(verification.findings.errors);

    trip.backward("first", names);
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);
    forwardConvertedDocuments(trip, documents);
    ASSERT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);
    for (const std::string& name : names) {
        if (!name.ends_with(".TXT"))
            continue;
        SCOPED_TRACE(name);
        const std::string pseudo = trip.read("first/translated/" + name);
        const std::string again = trip.read("second/translated/" + name);
        EXPECT_NE(pseudo, trip.read("first/org/" + name));
        EXPECT_TRUE(pseudo == again) << firstDifference(pseudo, again);
    }
}

TEST(PseudoTranslation, CorpusAndExamplesVerifyCleanAndComeBack) {
    expectPseudoTranslationGoesRound(corpusDocuments(), "English (US)");
}

TEST(PseudoTranslation, JapaneseDocumentsVerifyCleanAndComeBack) {
    expectPseudoTranslationGoesRound(generatedDocuments(true, {3u}), "Japanese (Shift-JIS)");
}

} // namespace
