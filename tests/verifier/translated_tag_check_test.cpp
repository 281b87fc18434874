// The tag check that the backward conversion runs over translated lines.
#include "verifier/verifier.h"

#include "conversion/result_code.h"
#include "verifier_test_support.h"

#include <gtest/gtest.h>

using namespace quillex;
using quillex::testing::qmxLines;
using quillex::testing::RecordingHost;
using quillex::testing::reportText;

namespace {

using Lines = std::vector<std::string>;

// Runs the check; returns the result code it threw, or 0.
int checkCode(Verifier& verifier, const Lines& lines) {
    try {
        verifier.checkTranslatedTags(lines);
    } catch (const ConversionFailure& failure) {
        return failure.code();
    }
    return 0;
}

const Lines kSound = qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text <:b>x<:/b> \x82\xA0\xED\x40",
                               "<imk 1>", "<ie>entry", "</imk>", "</page>"});

} // namespace

TEST(TranslatedTagCheck, SoundLinesPassAndTakeNineSteps) {
    RecordingHost host;
    {
        ConversionOptions options;
        options.targetLanguage.name = "Japanese (Shift-JIS)";
        Verifier verifier(options, host, kTagCheckProgressSteps);
        EXPECT_EQ(checkCode(verifier, kSound), 0);
        EXPECT_EQ(verifier.report().total(), 0);
    }
    EXPECT_EQ(host.steps, 9);
}

TEST(TranslatedTagCheck, TheAncillaryCheckTakesNoStepsAndIgnoresCancel) {
    RecordingHost host;
    host.cancelled = true;
    {
        Verifier verifier(ConversionOptions{}, host, 0, false);
        EXPECT_EQ(checkCode(verifier, kSound), 0);
    }
    EXPECT_EQ(host.steps, 0);
}

TEST(TranslatedTagCheck, OneBracketTooManyStopsAfterTheSyntaxCheck) {
    RecordingHost host;
    ConversionOptions options;
    options.fileFormatForQmx = QmxFileFormat::Text; // the report lines as plain text
    Verifier verifier(options, host, kTagCheckProgressSteps);
    EXPECT_EQ(
        checkCode(verifier, qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text <:b x", "</page>"})),
        result::TagErrors);
    const std::string report = reportText(verifier.report());
    EXPECT_NE(report.find("\nVerify external tags\n====================\n\n[1] ERROR! Different "
                          "number of < and >.\n"),
              std::string::npos)
        << report;
    EXPECT_EQ(report.find("Verify validity of tags"), std::string::npos);
}

TEST(TranslatedTagCheck, FindingsOfTheLaterChecksRefuseTheLinesToo) {
    const Lines cases[] = {
        qmxLines({"<page \"1\">", "<ps \"Body\" 1>x<:b>", "</page>"}),
        qmxLines({"<page \"1\">", "<#ps \"Body\" 1>x", "</page>"}),
        qmxLines({"<page \"1\">", "<tr 1>", "</tr>", "</page>"}),
        qmxLines({"<page \"1\">", "<ps \"Body\" 1>x<:nonsense>", "</page>"}),
        {"<qmx \"I2.00\">", "<page \"1\">", "</page>"},
    };
    for (const Lines& lines : cases) {
        RecordingHost host;
        Verifier verifier(ConversionOptions{}, host, kTagCheckProgressSteps);
        EXPECT_EQ(checkCode(verifier, lines), result::TagErrors) << lines[5 % lines.size()];
    }
}

TEST(TranslatedTagCheck, CancelIsNoticedAtAProgressStep) {
    RecordingHost host;
    host.cancelAfterSteps = 3;
    {
        Verifier verifier(ConversionOptions{}, host, kTagCheckProgressSteps);
        EXPECT_EQ(checkCode(verifier, kSound), result::Cancelled);
    }
    EXPECT_EQ(host.steps, 9);
}
