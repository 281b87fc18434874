// The forward driver: header checks, ORG copy, outputs, progress, Cancel and
// what is left on disk when a run fails.
#include "conversion/result_code.h"
#include "forward/forward_converter.h"
#include "foundation/disk_space.h"
#include "foundation/file_error.h"
#include "support/file_contents.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace quillex;
using quillex::testing::listFolder;
using quillex::testing::readFile;
using quillex::testing::TempDir;

namespace {

using quillex::testing::RecordingHost;

constexpr const char* kMinimalDocument = "<!OPS, Version = 8.0>\r\n\r\n<!Document,\r\n"
                                         "\tFinal Output Device =\t\"ps\">\r\n";

class ForwardDriverTest : public ::testing::Test {
  protected:
    ForwardDriverTest() {
        options.fileFormatForQmx = QmxFileFormat::Text;
        options.sourceDirectory = work.subfolder("source");
        options.orgDirectory = work.subfolder("org");
        options.translatedDirectory = work.subfolder("translated");
    }
    ~ForwardDriverTest() override { setFreeDiskBytesQuery({}); }

    int convert(const std::string& name, const std::string& bytes) {
        options.inputPath = work.write("source/" + name, bytes);
        const auto dot = name.find_last_of('.');
        options.baseName = name.substr(0, dot);
        const std::string extension = name.substr(dot);
        options.extension = (extension == ".sty" || extension == ".STY") ? ".STY" : ".DOC";
        last = convertFile(options, collector, host);
        return last.code;
    }

    TempDir work;
    ConversionOptions options;
    AncillaryCollector collector;
    RecordingHost host;
    ConversionResult last; // of the latest convert()
};

const std::string kQmxTextFile = "<qmx \"I2.00\">\r\n<language \"English (US)\">\r\n"
                                 "<quotes \"As tags\">\r\n<readonly \"Don't translate\">\r\n"
                                 "</qmx>\r\n";

} // namespace

TEST_F(ForwardDriverTest, ADocumentGivesOrgCopyAndQmxFileInBothFolders) {
    ASSERT_EQ(convert("chapter.DOC", kMinimalDocument), result::Success);
    EXPECT_EQ(listFolder(options.orgDirectory),
              (std::vector<std::string>{"chapter.ORG", "chapter.TXT"}));
    EXPECT_EQ(listFolder(options.translatedDirectory), std::vector<std::string>{"chapter.TXT"});
    // The ORG copy has single line feeds and the same lines.
    EXPECT_EQ(readFile(options.orgDirectory + "chapter.ORG"),
              "<!OPS, Version = 8.0>\n\n<!Document,\n\tFinal Output Device =\t\"ps\">\n");
    EXPECT_EQ(readFile(options.orgDirectory + "chapter.TXT"), kQmxTextFile);
    EXPECT_EQ(readFile(options.translatedDirectory + "chapter.TXT"), kQmxTextFile);
    // Every file moves both bars by exactly ten units.
    EXPECT_EQ(host.batchSteps, 10);
    EXPECT_LE(host.fileSteps, 10);
}

TEST_F(ForwardDriverTest, HeaderLinesFollowTheOptions) {
    options.smartQuotes = SmartQuotes::AsText;
    options.readOnlyComponents = ReadOnlyComponents::Translate;
    lookupLanguage("French", LanguageRole::Source, options.sourceLanguage);
    ASSERT_EQ(convert("a.DOC", kMinimalDocument), result::Success);
    EXPECT_EQ(readFile(options.orgDirectory + "a.TXT"),
              "<qmx \"I2.00\">\r\n<language \"French\">\r\n<quotes \"As text\">\r\n"
              "<readonly \"Translate\">\r\n</qmx>\r\n");
}

TEST_F(ForwardDriverTest, LowerCaseStyleFileIsConvertedInStyleMode) {
    ASSERT_EQ(convert("book.sty", kMinimalDocument), result::Success);
    EXPECT_EQ(listFolder(options.orgDirectory), (std::vector<std::string>{"book.CAT", "book.STY"}));
    EXPECT_EQ(listFolder(options.translatedDirectory), std::vector<std::string>{"book.CAT"});
}

TEST_F(ForwardDriverTest, EqualFoldersWriteEachFileOnce) {
    options.translatedDirectory = options.orgDirectory;
    ASSERT_EQ(convert("a.DOC", kMinimalDocument), result::Success);
    EXPECT_EQ(listFolder(options.orgDirectory), (std::vector<std::string>{"a.ORG", "a.TXT"}));
}

TEST_F(ForwardDriverTest, HeaderChecksRefuseOtherFilesAndLeaveNothing) {
    EXPECT_EQ(convert("a.DOC", "hello\n"), result::NotInterleafAscii);
    EXPECT_EQ(convert("b.DOC", ""), result::NotInterleafAscii);
    EXPECT_EQ(convert("c.DOC", "<!OPS, Version = 8.4>\n"), result::WrongVersion);
    EXPECT_EQ(convert("d.DOC", "<!OPS, Version = 6.4>\n"), result::WrongVersion);
    // The version must be within the first 100 bytes.
    EXPECT_EQ(convert("e.DOC", "<!OPS," + std::string(100, ' ') + "Version = 8.0>\n"),
              result::WrongVersion);
    EXPECT_TRUE(listFolder(options.translatedDirectory).empty());
}

// CR LF and lone CR both end a line (the ORG copy gets LF); Ctrl-Z bytes at
// the very end are an end-of-file mark, but one with data after it would cut
// the document short, so the file is refused and nothing is written.
TEST_F(ForwardDriverTest, TextModeReadingTakesEveryLineEndAndRefusesDataAfterCtrlZ) {
    ASSERT_EQ(convert("a.DOC", std::string("<!OPS, Version = 8.1>\r\nA\rB\nlast\x1a\x1a")),
              result::Success);
    EXPECT_EQ(readFile(options.orgDirectory + "a.ORG"), "<!OPS, Version = 8.1>\nA\nB\nlast\n");

    work.write("org/b.ORG", "earlier");
    EXPECT_EQ(convert("b.DOC", std::string("<!OPS, Version = 8.1>\nlast\x1atrailing")),
              result::FileError);
    ASSERT_EQ(last.lines.size(), 2u);
    EXPECT_NE(last.lines[0].find("byte offset 26"), std::string::npos) << last.lines[0];
    EXPECT_EQ(last.lines[1], "Filename:" + options.inputPath);
    EXPECT_EQ(readFile(options.orgDirectory + "b.ORG"), "earlier");
    EXPECT_EQ(listFolder(options.translatedDirectory), std::vector<std::string>{"a.TXT"});
}

TEST_F(ForwardDriverTest, TooLittleFreeSpaceGivesDiskFull) {
    setFreeDiskBytesQuery([](const std::string&) { return std::uint64_t{1024 * 1024}; });
    EXPECT_EQ(convert("a.DOC", kMinimalDocument), result::DiskFull);
    setFreeDiskBytesQuery([](const std::string&) { return std::uint64_t{2 * 1024 * 1024}; });
    EXPECT_EQ(convert("a.DOC", kMinimalDocument), result::Success);
}

TEST_F(ForwardDriverTest, CancelAtAnyStepLeavesNoOutputAndKeepsEarlierFiles) {
    work.write("org/a.ORG", "earlier");
    for (int steps = 1; steps <= 4; ++steps) {
        host = RecordingHost{};
        host.cancelAfterSteps = steps;
        EXPECT_EQ(convert("a.DOC", kMinimalDocument), result::Cancelled) << steps;
        EXPECT_EQ(listFolder(options.orgDirectory), std::vector<std::string>{"a.ORG"});
        EXPECT_EQ(readFile(options.orgDirectory + "a.ORG"), "earlier");
        EXPECT_TRUE(listFolder(options.translatedDirectory).empty());
        EXPECT_EQ(host.batchSteps, 10) << steps;
    }
}

TEST_F(ForwardDriverTest, UnwritableOutputFolderIsAFileErrorWithNothingLeftBehind) {
    std::filesystem::remove_all(options.translatedDirectory);
    work.write("translated", "a file where the folder should be");
    EXPECT_EQ(convert("a.DOC", kMinimalDocument), result::FileError);
    EXPECT_TRUE(listFolder(options.orgDirectory).empty());
}

TEST_F(ForwardDriverTest, ADirectoryInPlaceOfTheOutputIsAFileError) {
    std::filesystem::create_directories(options.orgDirectory + "a.TXT");
    EXPECT_EQ(convert("a.DOC", kMinimalDocument), result::FileError);
    EXPECT_EQ(listFolder(options.orgDirectory), std::vector<std::string>{"a.TXT"});
    EXPECT_TRUE(listFolder(options.translatedDirectory).empty());
}

TEST_F(ForwardDriverTest, TheSourceIsNeverOverwritten) {
    options.orgDirectory = options.sourceDirectory;
    const std::string style = std::string(kMinimalDocument) + "body\n";
    EXPECT_EQ(convert("book.STY", style), result::FileError);
    EXPECT_EQ(readFile(options.sourceDirectory + "book.STY"), style);
}
