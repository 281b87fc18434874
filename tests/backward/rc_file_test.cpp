// Reading forward by line and column: what each read returns, where it leaves
// the position, and the message of each refusal.
#include "backward/rc_file.h"
#include "foundation/file_error.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::backward;
using namespace quillex::testing;

namespace {

struct Read {
    std::uint32_t line, column;
    bool succeeds;
    std::string text;
    std::uint32_t lineAfter, columnAfter;
    std::string message; // empty: none
};

TEST(CRCFile, ReadsForwardAndRefusesPositionsAlreadyPassed) {
    // Each row reads on from where the row before left off.
    const std::vector<Read> reads = {
        {3, 5, true, "ab\ncd\nefgh", 3, 5, ""},
        {3, 5, true, "", 3, 5, ""},
        {2, 1, false, "", 3, 5, "Line 2 has already been read - current line is 3.\n"},
        {3, 2, false, "", 3, 5,
         "Character 2 on line 3 has already been read - current offset is 5.\n"},
        {4, 1, true, "ij\n", 4, 1, ""},
        {4, 10, false, "klmn", 5, 1, "Line 4 does not contain 10 characters!\n"},
        {5, 3, true, "op", 5, 3, ""},
        {7, 1, false, "q\n", 6, 1,
         "Unexpected End of File in skel. This file does not contain 7 lines!"},
        {6, 2, false, "", 6, 1,
         "Unexpected End of File in skel. Line 6 does not contain 2 characters!\n"},
    };
    RecordingHost host;
    CRCFile file(&host);
    file.openText("ab\ncd\nefghij\nklmn\nopq", "skel");
    for (const Read& read : reads) {
        SCOPED_TRACE(::testing::Message() << "to " << read.line << ":" << read.column);
        host.results.clear();
        std::string text = "stale";
        EXPECT_EQ(file.readTo(text, read.line, read.column), read.succeeds);
        EXPECT_EQ(text, read.text);
        EXPECT_EQ(file.currentLine(), read.lineAfter);
        EXPECT_EQ(file.currentColumn(), read.columnAfter);
        EXPECT_EQ(host.results, read.message.empty() ? std::vector<std::string>{}
                                                     : std::vector<std::string>{read.message});
    }
    // The rest of a file whose last line has no line feed reads as if it had.
    CRCFile rest;
    rest.openText("ab\ncd", "skel");
    std::string text;
    ASSERT_TRUE(rest.readTo(text, 1, 2) && rest.readToEnd(text));
    EXPECT_EQ(text, "b\ncd\n");
    EXPECT_EQ(rest.currentLine(), 3u);
}

TEST(CRCFile, ReadsTheFileInTextModeAndReportsOneThatCannotBeOpened) {
    TempDir folder;
    RecordingHost host;
    EXPECT_EQ(countFileLines(folder.write("crlf.ORG", "a\r\nb\r\nc"), &host), 3);
    const std::string missing = folder.file("missing.ORG");
    EXPECT_EQ(countFileLines(missing, &host), -1);
    CRCFile file(&host);
    EXPECT_THROW(file.open(missing), FileError);
    const std::string message =
        "File Error! Could not open the input file " + missing + ". The file could not be found.\n";
    EXPECT_EQ(host.results, (std::vector<std::string>{message, message}));
}

} // namespace
