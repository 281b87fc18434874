// Counting: the word rule on texts that tell it apart from a plain split,
// and the counts of the examples held against a golden CSV file.
#include "backward/round_trip_documents.h"
#include "backward/round_trip_support.h"
#include "xliff/count_report.h"
#include "xliff/count_rules.h"
#include "xliff/unit_content.h"
#include "xliff/word_count.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::testing;

namespace {

TEST(WordCount, PunctuationAloneIsNoWordAndAStopBetweenLettersSeparates) {
    struct Case {
        const char* text;
        long words;
    };
    const Case cases[] = {
        {"Clean the printer.", 3},
        {"  \xE2\x80\x94 , ; \xC2\xAB \xC2\xBB  ", 0}, // dash, comma, guillemets
        {"end.Start 3.5", 3},
        {"\xC2\xBFQu\xC3\xA9 tal?", 2},
        {"l'imprimante est-elle pr\xC3\xAAte", 3},
        {"tab\tand\xC2\xA0no-break\xE3\x80\x80space", 4},
        {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x80\x82", 1}, // Japanese runs on
    };
    for (const Case& c : cases)
        EXPECT_EQ(xliff::countWords(c.text), c.words) << c.text;
}

// What OmegaT 3.6 counts for each text (QMX, code page 1252), measured with
// its console mode on XLIFF that quillex exported, one file per text.
TEST(WordCount, LikeOmegatAsOmegatCounts) {
    struct Case {
        const char* qmx;
        long words;
    };
    const Case cases[] = {
        {"est-elle l'imprimante", 2},
        {"bit<:r30>mapped a<:t>b", 4},
        {"a <:fc 1>Bold<:/fc>word", 3},
        {"end.Start a.b.c 3.5 1,000 x", 5},
        {"and/or a:b a+b f(x)", 8},
        {"foo_bar AR5_lib 8-bit x5.a v2-beta", 9},
        {"me@host.com a&b ${BIN}/filter:", 5},
        {"a \x97 b", 2}, // an em dash
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            xliff::countWordsLike(xliff::CountRule::Omegat, xliff::contentFromQmx(c.qmx, 1252)),
            c.words)
            << c.qmx;
}

TEST(WordCount, ExamplesAsTheGoldenFileCountsThem) {
    std::vector<Document> examples;
    for (const char* name : {"chapter3.DOC", "chapter4.DOC", "manual.STY"})
        examples.push_back({name, fileText(std::string(QUILLEX_EXAMPLES) + "/" + name)});
    RoundTrip trip(RoundTrip::Format::Text);
    trip.forward("first", namedTexts(examples));
    ASSERT_EQ(trip.lastReport.failed, 0);
    std::vector<xliff::QmxSource> sources;
    // Not the catalog of manual.STY: it names the documents by their paths,
    // which differ from one machine to the next.
    for (const char* name : {"chapter3.TXT", "chapter4.TXT", "ANCILL.TXT"})
        sources.push_back(xliff::readQmxSource(trip.work.folder() + "first/org/" + name));
    const std::string csv =
        xliff::formatCounts(xliff::countFiles(sources), xliff::CountFormat::Csv);
    EXPECT_EQ(csv, fileText(std::string(QUILLEX_TEST_DATA) + "/xliff/examples-count.csv"));
}

} // namespace
