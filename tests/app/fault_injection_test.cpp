// Faults from outside, through whole forward batches on real documents: an
// output folder that cannot be written, an output name taken by a folder, a
// source that disappears, a full disk, and Cancel at every progress step.
// In each case the file gets its result code and message, no partial or
// temporary file is left, earlier outputs stay as they were and the rest of
// the batch converts.
#include "app/batch_runner.h"
#include "fake_batch_host.h"
#include "foundation/disk_space.h"
#include "support/file_contents.h"
#include "support/scratch_file_system.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace quillex;
using quillex::testing::CancellingBatchHost;
using quillex::testing::FakeBatchHost;
using quillex::testing::listFolder;
using quillex::testing::LockableFolder;
using quillex::testing::readFile;
using quillex::testing::SmallFileSystem;
using quillex::testing::TempDir;

namespace {

const std::string kCorpus = std::string(QUILLEX_CORPUS) + "/as-8.0/";

class FaultInjectionTest : public ::testing::Test {
  protected:
    FaultInjectionTest() {
        source = work.subfolder("source");
        org = work.subfolder("org");
        translated = work.subfolder("translated");
        settings.paths.orgFiles = org;
        settings.paths.translatedFiles = translated;
        settings.options.fileFormatForQmx = QmxFileFormat::Text;
        host.answers = {Answer::No}; // no ancillary file unless a test says so
    }
    ~FaultInjectionTest() override { setFreeDiskBytesQuery({}); }

    std::string copyFromCorpus(const std::string& name) {
        return work.write("source/" + name, readFile(kCorpus + name));
    }

    BatchReport runForward() {
        BatchRunner runner(host, settings);
        return runner.run(BatchKind::Forward);
    }

    // No temporary output files anywhere below the work folder.
    void expectNoTemporaryFiles() {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(work.folder())) {
            const std::string name = entry.path().filename().string();
            EXPECT_FALSE(name.starts_with(".")) << entry.path();
        }
    }

    TempDir work;
    std::string source, org, translated;
    Settings settings;
    FakeBatchHost host;
};

} // namespace

TEST_F(FaultInjectionTest, AFolderInPlaceOfAnOutputFailsTheFileAndTheBatchGoesOn) {
    host.files = {copyFromCorpus("ProgG.DOC"), copyFromCorpus("TOC.DOC")};

    settings.options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    // A folder that the first file's copy cannot be written into, and the
    // outputs of an earlier run in the ORG folder.
    std::filesystem::create_directories(translated + "ProgG.TXT");
    work.write("org/ProgG.ORG", "earlier ORG\n");
    work.write("org/ProgG.TXT", "earlier QMX\n");
    const BatchReport result = runForward();
    EXPECT_EQ(result.failed, 1);
    EXPECT_TRUE(host.hasResult("File Error! Access to the file was denied."));
    EXPECT_TRUE(host.hasResult("Filename:" + translated + "ProgG.TXT"));
    // The first file's earlier outputs stay as they were, side by side; the
    // second converted.
    EXPECT_EQ(listFolder(org),
              (std::vector<std::string>{"ProgG.ORG", "ProgG.TXT", "TOC.ORG", "TOC.TXT"}));
    EXPECT_EQ(readFile(org + "ProgG.ORG"), "earlier ORG\n");
    EXPECT_EQ(readFile(org + "ProgG.TXT"), "earlier QMX\n");
    EXPECT_EQ(listFolder(translated), (std::vector<std::string>{"ProgG.TXT", "TOC.TXT"}));
    EXPECT_TRUE(std::filesystem::is_directory(translated + "ProgG.TXT"));
    expectNoTemporaryFiles();
}

// The translated folder cannot be written: a read-only file system when the
// tests run as root (who may write anywhere else), the folder's permissions
// otherwise. An earlier output of the same name stays as it was.
TEST_F(FaultInjectionTest, AnOutputFolderThatCannotBeWrittenFailsEveryFileAndKeepsEarlierOutputs) {
    const std::string locked = work.subfolder("locked");
    LockableFolder folder(locked);
    if (!folder.ready())
        GTEST_SKIP() << "cannot mount a file system here";
    work.write("locked/TOC.TXT", "earlier translation\n");
    ASSERT_TRUE(folder.lock());

    settings.paths.translatedFiles = locked;
    settings.options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    host.files = {copyFromCorpus("ProgG.DOC"), copyFromCorpus("TOC.DOC")};
    const BatchReport report = runForward();
    EXPECT_EQ(report.failed, 2);
    EXPECT_TRUE(host.hasResult("File Error! Access to the file was denied.") ||
                host.hasResult("File Error! The file system is read-only: choose a folder that "
                               "can be written."));
    EXPECT_TRUE(host.hasResult("Filename:" + locked + "ProgG.TXT"));
    EXPECT_EQ(readFile(locked + "TOC.TXT"), "earlier translation\n");
    EXPECT_EQ(listFolder(locked), std::vector<std::string>{"TOC.TXT"});
    // Neither file left its ORG copy or QMX file behind.
    EXPECT_TRUE(listFolder(org).empty());
    expectNoTemporaryFiles();
}

TEST_F(FaultInjectionTest, ASourceDeletedAfterChoosingIsAFileNotFound) {
    host.files = {copyFromCorpus("ProgG.DOC"), copyFromCorpus("TOC.DOC")};
    std::filesystem::remove(host.files[0]);
    const BatchReport report = runForward();
    EXPECT_EQ(report.failed, 1);
    EXPECT_TRUE(host.hasResult("File Error! The file could not be found."));
    EXPECT_TRUE(host.hasResult("Filename:" + source + "ProgG.DOC"));
    EXPECT_EQ(listFolder(org), (std::vector<std::string>{"TOC.ORG", "TOC.TXT"}));
    EXPECT_EQ(host.summaries,
              std::vector<std::string>{"1 file(s) converted.\n1 file(s) could not be converted."});
}

TEST_F(FaultInjectionTest, TooLittleFreeSpaceReportsDiskFull) {
    host.files = {copyFromCorpus("TOC.DOC")};
    setFreeDiskBytesQuery([](const std::string&) { return std::uint64_t{1024}; });
    runForward();
    EXPECT_TRUE(host.hasResult("Conversion failed! There is not enough disk space available."));
    EXPECT_TRUE(listFolder(org).empty());
}

TEST_F(FaultInjectionTest, AFileSystemThatFillsUpLeavesNoPartialFiles) {
    const std::string folder = work.subfolder("small");
    SmallFileSystem small(folder, "16k");
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    // The free-space check passes; writing runs out of room.
    setFreeDiskBytesQuery([](const std::string&) { return std::uint64_t{1} << 40; });
    settings.paths.orgFiles = folder;
    host.files = {copyFromCorpus("FltrS.DOC")};
    const BatchReport report = runForward();
    EXPECT_EQ(report.failed, 1);
    EXPECT_TRUE(host.hasResult("File Error! The disk is full."));
    EXPECT_TRUE(listFolder(folder).empty());
    EXPECT_TRUE(listFolder(translated).empty());
}

TEST_F(FaultInjectionTest, CancelAtEveryProgressStepLeavesEarlierOutputsAlone) {
    const std::string document = copyFromCorpus("ProgI.DOC");
    work.write("org/ProgI.ORG", "earlier ORG");
    work.write("translated/ProgI.TXT", "earlier QMX");
    settings.options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    for (int step = 1; step <= 10; ++step) {
        CancellingBatchHost cancelling(step);
        cancelling.files = {document, copyFromCorpus("TOC.DOC")};
        BatchRunner runner(cancelling, settings);
        const BatchReport report = runner.run(BatchKind::Forward);
        ASSERT_TRUE(report.stopped) << step;
        if (report.attempted == 2) {
            // The cancel came with the first file's last unit: that file was
            // complete, and the batch stopped at the next one.
            EXPECT_GE(step, 9);
            EXPECT_EQ(listFolder(org), (std::vector<std::string>{"ProgI.ORG", "ProgI.TXT"}));
            break;
        }
        EXPECT_EQ(report.attempted, 1) << step;
        EXPECT_TRUE(cancelling.hasResult("Conversion failed! Cancelled by user.")) << step;
        EXPECT_EQ(cancelling.summaries,
                  std::vector<std::string>{"Batch cancelled! 0 file(s) converted."});
        EXPECT_EQ(listFolder(org), std::vector<std::string>{"ProgI.ORG"}) << step;
        EXPECT_TRUE(readFile(org + "ProgI.ORG") == "earlier ORG") << step;
        EXPECT_TRUE(readFile(translated + "ProgI.TXT") == "earlier QMX") << step;
        expectNoTemporaryFiles();
    }
}

// Temporary files that a killed run left are ours by their name; those whose
// process is gone are removed when the next batch starts (with a results
// line), those of a live process are not.
TEST_F(FaultInjectionTest, TemporaryFilesOfKilledRunsAreRemovedAtTheNextBatch) {
    const std::string stale = work.write("org/.TOC.TXT.quillex-999999999-abcdef", "partial");
    const std::string live = work.write("org/.TOC.ORG.quillex-1-abcdef", "another run's");
    const std::string foreign = work.write("translated/.TOC.TXT.123456", "not ours");
    host.files = {copyFromCorpus("TOC.DOC")};
    EXPECT_EQ(runForward().failed, 0);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live));
    EXPECT_TRUE(std::filesystem::exists(foreign));
    EXPECT_TRUE(
        host.hasResult("Removed 1 temporary file(s) that an interrupted run left in " + org));
}
