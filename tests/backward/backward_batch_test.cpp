// Backward batches that fail: each refusal gives its result message, leaves
// no output (and an earlier output as it was), and the rest of the batch
// converts.
#include "round_trip_support.h"

#include "foundation/disk_space.h"
#include "support/file_contents.h"
#include "support/scratch_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quillex;
using namespace quillex::testing;

namespace {

std::string exampleText(const std::string& name) {
    std::ifstream in(std::string(QUILLEX_EXAMPLES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A forward batch over the examples, ready to be converted back.
class BackwardBatchTest : public ::testing::Test {
  protected:
    BackwardBatchTest() : trip(RoundTrip::Format::Text) {
        trip.forward("r", {{"chapter3.DOC", exampleText("chapter3.DOC")},
                           {"chapter4.DOC", exampleText("chapter4.DOC")},
                           {"manual.STY", exampleText("manual.STY")}});
    }

    std::string translated(const std::string& name) { return trip.read("r/translated/" + name); }
    void replaceTranslated(const std::string& name, const std::string& bytes) {
        trip.write("r/translated/" + name, bytes);
    }
    // True when the results of `file` hold `line`.
    bool reports(const std::string& file, const std::string& line) const {
        const std::vector<std::string> lines = resultsOf(file);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // The lines of the results list from the one naming `file` to the next
    // file's.
    std::vector<std::string> resultsOf(const std::string& file) const {
        std::vector<std::string> lines;
        bool in = false;
        for (const std::string& line : trip.lastResults) {
            if (line.starts_with("Converting "))
                in = line.ends_with("/" + file);
            else if (in)
                lines.push_back(line);
        }
        return lines;
    }

    RoundTrip trip;
};

} // namespace

TEST_F(BackwardBatchTest, EachRefusalGivesItsMessageAndNoOutput) {
    const std::string good = translated("chapter4.TXT");
    const std::string header = "<qmx \"I2.00\">\r\n<language \"English (US)\">\r\n"
                               "<quotes \"As tags\">\r\n<readonly \"Don't translate\">\r\n";
    struct Case {
        std::string name;
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"newer.TXT", "<qmx \"I2.01\">\r\n" + good.substr(good.find('\n') + 1),
         "Conversion failed! This file was created by a more recent version of The Quillex."},
        {"frame.TXT", "<qmx \"F2.00\">\r\n" + good.substr(good.find('\n') + 1),
         "Conversion failed! This file was created by The Quillex for FrameMaker."},
        {"words.TXT", "Some plain words\r\nand more\r\n",
         "Conversion failed! This file is not a valid QMX file."},
        {"bom.TXT", "\xEF\xBB\xBF" + good, "Conversion failed! This file is not a valid QMX file."},
        {"empty.TXT", "", "Conversion failed! Unexpected end of input file."},
        {"short.TXT", header.substr(0, header.rfind("<readonly")),
         "Conversion failed! Unexpected end of input file."},
        {"nolang.TXT", "<qmx \"I2.00\">\r\n<languag \"English (US)\">\r\n",
         "Conversion failed! Could not determine source language (no valid <language> tag "
         "found)."},
        {"badlang.TXT", "<qmx \"I2.00\">\r\n<language \"Klingon\">\r\n",
         "Conversion failed! The <language> tag does not contain a valid language."},
        {"tags.TXT", header + "<page \"1\">\r\n<ps \"para\" 2>a <:fc 1 b\r\n</page>\r\n</qmx>\r\n",
         "Conversion failed! Errors in Tags. Run The Q-Mark Verifier."},
    };
    std::vector<std::string> names;
    for (const Case& c : cases) {
        replaceTranslated(c.name, c.text);
        // Each needs its skeleton: the one of chapter4.
        trip.write("r/org/" + c.name.substr(0, c.name.find('.')) + ".ORG",
                   trip.read("r/org/chapter4.ORG"));
        names.push_back(c.name);
    }
    names.push_back("chapter4.TXT");
    trip.backward("r", names);

    for (const Case& c : cases) {
        EXPECT_TRUE(reports(c.name, c.message)) << c.name;
        EXPECT_FALSE(trip.exists("r/translated/" + c.name.substr(0, c.name.find('.')) + ".DOC"))
            << c.name;
    }
    // The rest of the batch converts.
    EXPECT_TRUE(reports("chapter4.TXT", "Done!"));
    EXPECT_EQ(trip.lastReport.failed, static_cast<int>(cases.size()));
    // No report file: the tag check writes none.
    EXPECT_FALSE(trip.exists("r/translated/tags.CMP"));
}

TEST_F(BackwardBatchTest, TheAncillaryFileItselfIsRefused) {
    trip.backward("r", {"ANCILL.TXT"});
    EXPECT_TRUE(reports(
        "ANCILL.TXT",
        "Conversion failed! The ancillary file can not be converted as an individual file."));
}

// Without the ancillary file, a document whose headers, footers or formats
// hold text would keep them in the source language: it fails, naming why. A
// document without such text converts; a catalog cannot do without it.
TEST_F(BackwardBatchTest, WithoutAncillaryFileOnlyDocumentsWithoutAncillaryTextConvert) {
    trip.forward("r", {{"getting_started.DOC", readFile(std::string(QUILLEX_TEST_DATA) +
                                                        "/forward/getting_started.DOC")}});
    std::filesystem::remove(trip.work.folder() + "r/translated/ANCILL.TXT");
    trip.backward("r", {"chapter3.TXT", "chapter4.TXT", "getting_started.TXT", "manual.CAT"});
    const std::string folder = trip.work.folder() + "r/translated/";
    for (const char* file : {"chapter3.TXT", "chapter4.TXT"}) {
        const std::vector<std::string> lines = resultsOf(file);
        ASSERT_GE(lines.size(), 4u) << file;
        EXPECT_EQ(lines[0], "Warning! No ancillary file (ANCILL.TXT) is available in") << file;
        EXPECT_EQ(lines[1], folder) << file;
        EXPECT_EQ(lines[2], "Conversion failed! The ancillary file can not be used, and the "
                            "formats, headers or footers of this file have text to translate.");
        EXPECT_EQ(lines[3], "Put the translated ancillary file of the batch beside the "
                            "translated files and try again.");
    }
    EXPECT_FALSE(trip.exists("r/translated/chapter4.DOC"));
    EXPECT_TRUE(reports("getting_started.TXT", "Done!"));
    EXPECT_TRUE(trip.exists("r/translated/getting_started.DOC"));
    EXPECT_TRUE(
        reports("manual.CAT", "Error! No text from this catalog found in the ancillary file."));
    EXPECT_FALSE(trip.exists("r/translated/manual.STY"));
}

TEST_F(BackwardBatchTest, DamagedAncillarySectionIsRefusedEvenWhenTheDocumentIsSound) {
    std::string ancillary = translated("ANCILL.TXT");
    const std::size_t section = ancillary.find("<file \"CHAPTER4.DOC\">");
    const std::size_t tag = ancillary.find("<ts ", section);
    ASSERT_NE(tag, std::string::npos);
    ancillary.erase(tag + 3, ancillary.find('>', tag) - tag - 2); // "<ts" without its ">"
    replaceTranslated("ANCILL.TXT", ancillary);
    trip.backward("r", {"chapter4.TXT"});
    EXPECT_TRUE(reports(
        "chapter4.TXT",
        "Conversion failed! Errors in Tags. Run The Q-Mark Verifier on the ancillary file."));
}

TEST_F(BackwardBatchTest, AFailureKeepsTheEarlierOutputAndTheOutputNeverReplacesItsInputs) {
    trip.backward("r", {"chapter4.TXT"});
    const std::string earlier = translated("chapter4.DOC");
    ASSERT_FALSE(earlier.empty());
    replaceTranslated("chapter4.TXT", "<qmx \"I2.01\">\r\n");
    trip.backward("r", {"chapter4.TXT"});
    EXPECT_EQ(translated("chapter4.DOC"), earlier);

    // An output that names the skeleton (a link to it) is refused before the
    // batch starts; the skeleton stays as it was.
    const std::string skeleton = trip.work.folder() + "r/org/chapter3.ORG";
    const std::string before = trip.read("r/org/chapter3.ORG");
    std::filesystem::create_symlink(skeleton, trip.work.folder() + "r/translated/chapter3.DOC");
    trip.backward("r", {"chapter3.TXT"});
    EXPECT_NE(trip.lastReport.refusal.find("would be written over the skeleton"), std::string::npos)
        << trip.lastReport.refusal;
    EXPECT_EQ(trip.read("r/org/chapter3.ORG"), before);
}

TEST_F(BackwardBatchTest, TooLittleFreeSpaceReportsDiskFull) {
    setFreeDiskBytesQuery([](const std::string&) { return std::uint64_t{1024}; });
    trip.backward("r", {"chapter4.TXT"});
    setFreeDiskBytesQuery({});
    EXPECT_TRUE(
        reports("chapter4.TXT", "Conversion failed! There is not enough disk space available."));
    EXPECT_FALSE(trip.exists("r/translated/chapter4.DOC"));
}

TEST_F(BackwardBatchTest, CancelAtEveryProgressStepLeavesTheEarlierOutputAlone) {
    trip.write("r/translated/chapter4.DOC", "earlier output");
    for (int step = 1; step <= 25; ++step) {
        CancellingBatchHost cancelling(step);
        const BatchReport report = trip.backward("r", {"chapter4.TXT", "chapter3.TXT"}, cancelling);
        ASSERT_TRUE(report.stopped) << step;
        if (report.attempted == 2) {
            // The cancel came with the first file's last unit: that file was
            // complete, and the batch stopped at the next one.
            EXPECT_GE(step, 20) << step;
            EXPECT_NE(trip.read("r/translated/chapter4.DOC"), "earlier output");
            break;
        }
        EXPECT_TRUE(cancelling.hasResult("Conversion failed! Cancelled by user.")) << step;
        EXPECT_EQ(trip.read("r/translated/chapter4.DOC"), "earlier output") << step;
        EXPECT_FALSE(trip.exists("r/translated/chapter3.DOC")) << step;
        for (const std::string& name : listFolder(trip.work.folder() + "r/translated"))
            EXPECT_FALSE(name.starts_with(".")) << step << ": " << name;
    }
}

// The translated folder, where the output goes, turned read-only.
TEST_F(BackwardBatchTest, AnOutputFolderThatCannotBeWrittenFailsTheFileAndKeepsTheEarlierOutput) {
    const std::string folder = trip.work.subfolder("m/translated");
    trip.work.subfolder("m/org");
    LockableFolder locked(folder);
    if (!locked.ready())
        GTEST_SKIP() << "cannot mount a file system here";
    for (const char* name : {"chapter4.TXT", "ANCILL.TXT"})
        trip.write(std::string("m/translated/") + name, translated(name));
    trip.write("m/translated/chapter4.DOC", "earlier output");
    trip.write("m/org/chapter4.ORG", trip.read("r/org/chapter4.ORG"));
    ASSERT_TRUE(locked.lock());
    const BatchReport report = trip.backward("m", {"chapter4.TXT"});
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(trip.read("m/translated/chapter4.DOC"), "earlier output");
    EXPECT_EQ(listFolder(folder),
              (std::vector<std::string>{"ANCILL.TXT", "chapter4.DOC", "chapter4.TXT"}));
}

// The output folder fills up while the document is written: the free-space
// check passes, the write runs out of room. The file fails as a full disk and
// leaves no partial or temporary output.
TEST_F(BackwardBatchTest, AFileSystemThatFillsUpFailsTheFileAndLeavesNoPartialOutput) {
    const std::string folder = trip.work.subfolder("s/translated");
    trip.work.subfolder("s/org");
    // Two pages: one for each input; the output finds no room.
    SmallFileSystem small(folder, "8k");
    if (!small.mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    for (const char* name : {"chapter4.TXT", "ANCILL.TXT"})
        trip.write(std::string("s/translated/") + name, translated(name));
    trip.write("s/org/chapter4.ORG", trip.read("r/org/chapter4.ORG"));
    setFreeDiskBytesQuery([](const std::string&) { return std::uint64_t{1} << 40; });
    const BatchReport report = trip.backward("s", {"chapter4.TXT"});
    setFreeDiskBytesQuery({});
    EXPECT_EQ(report.failed, 1);
    EXPECT_TRUE(reports("chapter4.TXT", "File Error! The disk is full."))
        << ::testing::PrintToString(trip.lastResults);
    EXPECT_EQ(listFolder(folder), (std::vector<std::string>{"ANCILL.TXT", "chapter4.TXT"}));
}
