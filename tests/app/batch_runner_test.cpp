// The batch runner: ordering, result lines, counters, summaries, overwrite
// questions, Cancel and the per-file wrapper.
#include "app/batch_runner.h"
#include "conversion/per_file_result.h"
#include "conversion/result_code.h"
#include "fake_batch_host.h"
#include "foundation/file_error.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace quillex;
using quillex::testing::FakeBatchHost;
using quillex::testing::readFile;
using quillex::testing::TempDir;

namespace {

class BatchRunnerTest : public ::testing::Test {
  protected:
    BatchRunnerTest() {
        source = work.subfolder("source");
        org = work.subfolder("org");
        translated = work.subfolder("translated");
        settings.paths.orgFiles = org;
        settings.paths.translatedFiles = translated;
        settings.options.fileFormatForQmx = QmxFileFormat::Text;
    }

    // Forward routines that return scripted codes and record the order.
    PerFileRoutines scriptedForward(std::vector<int> codes) {
        PerFileRoutines routines;
        routines.forward = [this, codes](const ConversionOptions& options, AncillaryCollector&,
                                         ConversionHost& fileHost) {
            converted.push_back(options.baseName + options.extension);
            fileHost.progressStep(false, false);
            return ConversionResult{static_cast<ResultCode>(codes.at(converted.size() - 1)), {}};
        };
        return routines;
    }

    BatchReport runForward(std::vector<std::string> names, std::vector<int> codes) {
        for (const std::string& name : names)
            host.files.push_back(work.write("source/" + name, "<!OPS, Version = 8.0>\n"));
        BatchRunner runner(host, settings, scriptedForward(std::move(codes)));
        return runner.run(BatchKind::Forward);
    }

    TempDir work;
    std::string source, org, translated;
    Settings settings;
    FakeBatchHost host;
    std::vector<std::string> converted;
};

} // namespace

TEST_F(BatchRunnerTest, DocumentsComeBeforeStyleFilesAndFirstAndLastAreExchanged) {
    host.answers = {Answer::No}; // no ancillary file
    const BatchReport report = runForward({"b.DOC", "s.sty", "a.doc"}, {0, 0, 0});
    // Documents b, a: "b" sorts after "a", so they are exchanged.
    EXPECT_EQ(converted, (std::vector<std::string>{"a.DOC", "b.DOC", "s.STY"}));
    EXPECT_EQ(report.attempted, 3);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(host.summaries, std::vector<std::string>{"3 file(s) converted.\nNo errors."});
    EXPECT_TRUE(host.hasResult("No ancillary file created."));
    EXPECT_EQ(host.batchMaximum, 30);
    EXPECT_EQ(host.batchValue, 30);
    EXPECT_FALSE(host.busy);
}

TEST_F(BatchRunnerTest, ResultLinesFollowTheCodeTable) {
    host.answers = {Answer::No};
    const BatchReport report = runForward({"a.DOC", "b.DOC", "c.DOC", "d.DOC"}, {1000, 1090, 6, 0});
    EXPECT_EQ(report.failed, 3);
    const std::vector<std::string>& r = host.results;
    // Empty line, date line, empty line, then one block per file.
    ASSERT_GE(r.size(), 4u);
    EXPECT_EQ(r[0], "");
    EXPECT_FALSE(r[1].empty());
    EXPECT_EQ(r[2], "");
    const std::vector<std::string> expected{
        "Converting " + source + "a.DOC",
        "Conversion failed! This file is not a valid Interleaf ASCII file.",
        "",
        "Converting " + source + "b.DOC",
        "Conversion failed! The Quillex does not support manually edited Interleaf ASCII files.",
        "Open the document in Interleaf and save it as Interleaf ASCII.",
        "Do not make any changes to the Interleaf ASCII file before running The Quillex.",
        "",
        "Converting " + source + "c.DOC",
        "Conversion failed! A parser error has occurred.",
        "",
        "Converting " + source + "d.DOC",
        "Done!",
        "",
        std::string(84, '_'),
    };
    EXPECT_EQ(std::vector<std::string>(r.begin() + 3, r.begin() + 3 + expected.size()), expected);
    EXPECT_EQ(host.summaries,
              std::vector<std::string>{"1 file(s) converted.\n3 file(s) could not be converted."});
    EXPECT_EQ(host.questions.back(), "Do you want to create an ancillary file? (Recommended)");
}

TEST_F(BatchRunnerTest, SingleFileSummariesUseTheSingularForms) {
    runForward({"a.DOC"}, {1010});
    EXPECT_EQ(host.summaries, std::vector<std::string>{"The file could not be converted."});
    // Nothing converted: no ancillary question.
    EXPECT_TRUE(host.questions.empty());

    FakeBatchHost second;
    second.files = {work.write("source/z.DOC", "x")};
    second.answers = {Answer::No};
    BatchRunner runner(second, settings, scriptedForward({0, 0}));
    runner.run(BatchKind::Forward);
    EXPECT_EQ(second.summaries, std::vector<std::string>{"No errors."});
}

TEST_F(BatchRunnerTest, CodesThatStopTheBatchShowTheirFinalBox) {
    const BatchReport report = runForward({"a.DOC", "b.DOC", "c.DOC"}, {0, 5, 0});
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(converted.size(), 2u);
    EXPECT_EQ(host.summaries,
              std::vector<std::string>{"A memory error has occurred! 1 file(s) converted."});
    EXPECT_EQ(host.summaryIsError, std::vector<bool>{true});
    const auto& r = host.results;
    const std::vector<std::string> tail{std::string(84, '_'), "", "The batch was cancelled.",
                                        std::string(84, '_')};
    EXPECT_EQ(std::vector<std::string>(r.end() - 4, r.end()), tail);
    EXPECT_EQ(host.batchValue, 30);
    EXPECT_TRUE(host.questions.empty()); // no ancillary question after a stop
}

TEST_F(BatchRunnerTest, UnknownCodesStopWithTheUnknownParserErrorBox) {
    runForward({"a.DOC", "b.DOC"}, {4711, 0});
    EXPECT_TRUE(host.hasResult("Conversion failed! An unknown parser error has occurred."));
    EXPECT_EQ(host.summaries, std::vector<std::string>{
                                  "An unknown parser error has occurred! 0 file(s) converted."});
}

TEST_F(BatchRunnerTest, OverwriteQuestionsSkipOrEndTheBatch) {
    work.write("org/a.ORG", "old");
    work.write("org/b.ORG", "old");
    work.write("org/c.ORG", "old");
    host.answers = {Answer::No, Answer::Cancel};
    const BatchReport report = runForward({"a.DOC", "b.DOC", "c.DOC"}, {0, 0, 0});
    EXPECT_TRUE(converted.empty());
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0],
              "Do you want to overwrite the file:\n" + org + "a.ORG\nCancel terminates the batch.");
    EXPECT_EQ(report.failed, 2);
    EXPECT_EQ(host.summaries, std::vector<std::string>{"Batch cancelled! 0 file(s) converted."});
    EXPECT_EQ(readFile(org + "a.ORG"), "old");
}

TEST_F(BatchRunnerTest, AlwaysOverwriteAsksNothing) {
    work.write("org/a.ORG", "old");
    settings.options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    host.answers = {Answer::No};
    runForward({"a.DOC"}, {0});
    ASSERT_EQ(host.questions.size(), 1u); // only the ancillary question
    EXPECT_EQ(converted.size(), 1u);
}

TEST_F(BatchRunnerTest, CancelDuringAFileStopsTheBatch) {
    PerFileRoutines routines;
    routines.forward = [this](const ConversionOptions&, AncillaryCollector&,
                              ConversionHost&) -> ConversionResult {
        host.cancelled = true;
        return {result::Cancelled, {}};
    };
    host.files = {work.write("source/a.DOC", "x"), work.write("source/b.DOC", "x")};
    BatchRunner runner(host, settings, routines);
    const BatchReport report = runner.run(BatchKind::Forward);
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.attempted, 1);
    EXPECT_TRUE(host.hasResult("Conversion failed! Cancelled by user."));
    EXPECT_FALSE(host.cancelled); // cleared when the batch ends
}

// A routine's refusals and file problems become its result at its entry
// (resultOf), and the runner reports the result's lines; memory exhaustion
// passes through to the runner and stops the batch.
TEST_F(BatchRunnerTest, FailuresBecomeTheRoutinesResultAndMemoryStopsTheBatch) {
    int call = 0;
    PerFileRoutines routines;
    routines.forward = [&](const ConversionOptions& options, AncillaryCollector&, ConversionHost&) {
        return resultOf([&]() -> ResultCode {
            switch (++call) {
            case 1:
                throw ConversionFailure(result::WrongVersion);
            case 2:
                throw FileError(FileError::Cause::AccessDenied, options.inputPath);
            case 3:
                throw ArchiveError(options.inputPath);
            default:
                throw std::bad_alloc();
            }
        });
    };
    host.files = {work.write("source/a.DOC", "x"), work.write("source/b.DOC", "x"),
                  work.write("source/c.DOC", "x"), work.write("source/d.DOC", "x")};
    BatchRunner runner(host, settings, routines);
    const BatchReport report = runner.run(BatchKind::Forward);
    EXPECT_TRUE(host.hasResult("Conversion failed! Incorrect Interleaf ASCII version (not 8.x)."));
    EXPECT_TRUE(host.hasResult("Filename:" + source + "b.DOC"));
    EXPECT_TRUE(host.hasResult("File Error! An unspecified archive error occurred."));
    EXPECT_TRUE(host.hasResult("Conversion failed! A memory error has occurred."));
    EXPECT_EQ(report.failed, 4);
    EXPECT_TRUE(report.stopped);
}

TEST_F(BatchRunnerTest, ForwardOutputsMayNotGoToTheSourceFolder) {
    host.directories.org = source;
    const BatchReport report = runForward({"a.DOC"}, {0});
    EXPECT_FALSE(report.started);
    EXPECT_EQ(report.refusal, "You may not place the QMX files in the\nsame directory as the "
                              "source files:\n(" +
                                  source + ")\nChoose another directory.");
    EXPECT_TRUE(converted.empty());
}

TEST_F(BatchRunnerTest, VerifyCountsTagChangesAndUsesItsOwnTexts) {
    PerFileRoutines routines;
    int call = 0;
    routines.verify = [&](const ConversionOptions&, ConversionHost&, VerificationCounts& counts) {
        if (++call == 1)
            counts.warnings = 2;
        return ConversionResult{result::VerificationComplete, {}};
    };
    host.files = {work.write("translated/a.TXT", "x"), work.write("translated/b.TXT", "x")};
    host.directories.org = org;
    BatchRunner runner(host, settings, routines);
    const BatchReport report = runner.run(BatchKind::Verify);
    EXPECT_EQ(report.tagChanges, 1);
    EXPECT_TRUE(host.hasResult("Verifying " + translated + "a.TXT"));
    EXPECT_TRUE(host.hasResult("Warnings: 2"));
    EXPECT_FALSE(host.hasResult("Errors: 0"));
    EXPECT_EQ(host.summaries,
              std::vector<std::string>{"2 file(s) verified. Tag changes in 1 file(s)."});
    EXPECT_EQ(host.batchMaximum, 48);
}

TEST_F(BatchRunnerTest, VerifyNeedsTwoDifferentFolders) {
    PerFileRoutines routines;
    routines.verify = [](const ConversionOptions&, ConversionHost&, VerificationCounts&) {
        return ConversionResult{};
    };
    host.files = {work.write("translated/a.TXT", "x")};
    host.directories.org = translated;
    BatchRunner runner(host, settings, routines);
    EXPECT_EQ(runner.run(BatchKind::Verify).refusal,
              "You must select files in two different directories.");
}
