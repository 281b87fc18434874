// Shift-JIS to EUC conversion of bytes and files.
#include "qmx/euc_conversion.h"

#include "foundation/file_error.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

using namespace quillex;
using quillex::testing::readFile;
using quillex::testing::TempDir;
using quillex::testing::writeFile;
namespace fs = std::filesystem;

namespace {

class EucFile : public ::testing::Test {
  protected:
    TempDir dir_;
};

} // namespace

TEST(ShiftJisToEuc, PairsBecomeJisPlus0x80) {
    EXPECT_EQ(shiftJisToEuc("\x81\x40"), "\xa1\xa1"); // ideographic space
    EXPECT_EQ(shiftJisToEuc("\x82\xa0"), "\xa4\xa2"); // hiragana a
    EXPECT_EQ(shiftJisToEuc("\x88\x9f"), "\xb0\xa1"); // first level-1 kanji
    EXPECT_EQ(shiftJisToEuc("\x83\x80"), "\xa5\xe0"); // trail 0x80
    EXPECT_EQ(shiftJisToEuc("\xef\xfc"), "\xfe\xfe"); // highest pair
    EXPECT_EQ(shiftJisToEuc("\xe0\x40"), "\xdf\xa1"); // first high lead byte
}

TEST(ShiftJisToEuc, OtherBytesPassUnchanged) {
    EXPECT_EQ(shiftJisToEuc("abc\xb1\xdf\x80\xa0\xf0\xfd"), "abc\xb1\xdf\x80\xa0\xf0\xfd");
    // A lead byte with a byte that cannot trail it: both copied.
    EXPECT_EQ(shiftJisToEuc("\x81\x0a"
                            "a"),
              "\x81\x0a"
              "a");
    EXPECT_EQ(shiftJisToEuc("\x81\xfd"), "\x81\xfd");
    // A lead byte at the very end is kept.
    EXPECT_EQ(shiftJisToEuc("a\x81"), "a\x81");
}

TEST(ShiftJisToEuc, PairSplitAcrossPiecesConvertsWhole) {
    ShiftJisToEucConverter converter;
    std::string out;
    converter.convert("a\x82", out);
    converter.convert("\xa0"
                      "b",
                      out);
    converter.finish(out);
    EXPECT_EQ(out, "a\xa4\xa2"
                   "b");
}

TEST_F(EucFile, ConvertsBesideTheSourceOrInPlace) {
    const fs::path source = dir_.path() / "OUT.DOC";
    const std::string text = "<!OPS, Version = 8.0>\r\n\x82\xa0\r\n";
    writeFile(source, text);

    convertFileShiftJisToEuc(source.string(), false);
    EXPECT_EQ(readFile(source), text);
    EXPECT_EQ(readFile(dir_.path() / "OUT.DOC.EUCTEMP"), "<!OPS, Version = 8.0>\r\n\xa4\xa2\r\n");

    convertFileShiftJisToEuc(source.string(), true);
    EXPECT_EQ(readFile(source), "<!OPS, Version = 8.0>\r\n\xa4\xa2\r\n");
    EXPECT_FALSE(fs::exists(dir_.path() / "OUT.DOC.EUCTEMP"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(EucFile, LargeFileConvertsAcrossReadBuffers) {
    const fs::path source = dir_.path() / "BIG.DOC";
    std::string text;
    for (int i = 0; i < 50000; ++i)
        text += "x\x82\xa0"; // pairs fall on every offset of a read buffer
    writeFile(source, text);
    convertFileShiftJisToEuc(source.string(), true);
    EXPECT_EQ(readFile(source), shiftJisToEuc(text));
}

TEST_F(EucFile, MissingSourceThrowsAndWritesNothing) {
    const fs::path source = dir_.path() / "NONE.DOC";
    try {
        convertFileShiftJisToEuc(source.string(), true);
        FAIL() << "no exception";
    } catch (const FileError& error) {
        EXPECT_EQ(error.cause(), FileError::Cause::FileNotFound);
        EXPECT_EQ(error.path(), source.string());
    }
    EXPECT_TRUE(fs::is_empty(dir_.path()));
}

TEST_F(EucFile, FailedWriteKeepsTheSourceAndLeavesNoTemporaryFile) {
    const fs::path source = dir_.path() / "KEEP.DOC";
    writeFile(source, "\x82\xa0");
    // A folder in the way of the converted file makes its rename fail.
    fs::create_directory(dir_.path() / "KEEP.DOC.EUCTEMP");
    EXPECT_THROW(convertFileShiftJisToEuc(source.string(), true), FileError);
    EXPECT_EQ(readFile(source), "\x82\xa0");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 2);
}
