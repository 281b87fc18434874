// RTF reader: text, destinations, hidden text, escapes, \bin, and every
// failure code, also on hostile input.
#include "qmx/rtf_reader.h"

#include "conversion/result_code.h"
#include "foundation/file_error.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace quillex;
using Lines = std::vector<std::string>;

namespace {

Lines read(std::string rtf) {
    Lines lines;
    readRtfBytes(std::move(rtf), lines);
    return lines;
}

// The code the reader throws for `rtf`, or 0 when it reads it.
int failureOf(std::string rtf) {
    try {
        read(std::move(rtf));
    } catch (const ConversionFailure& failure) {
        return failure.code();
    }
    return 0;
}

} // namespace

TEST(RtfReader, ParagraphsBecomeLinesAndAnEmptyLastLineIsDropped) {
    EXPECT_EQ(read("{\\rtf1 A\\par B}"), (Lines{"A", "B"}));
    EXPECT_EQ(read("{\\rtf1 A\\par}"), (Lines{"A"}));
    EXPECT_EQ(read("{\\rtf1 A\\par \\par B\\par }"), (Lines{"A", "", "B"}));
    EXPECT_EQ(read("{\\rtf1 }"), Lines{});
    // Lines are appended after what the caller already holds.
    Lines lines{"kept"};
    readRtfBytes("{\\rtf1 x}", lines);
    EXPECT_EQ(lines, (Lines{"kept", "x"}));
}

TEST(RtfReader, LineEndsOfAnyKindAndBlankLinesMakeNoDifference) {
    const Lines expected{"Hello world", "second"};
    EXPECT_EQ(read("{\\rtf1\r\nHello\r\n world\\par\r\n\r\nsecond}\r\n"), expected);
    EXPECT_EQ(read("{\\rtf1\nHello\n world\\par\n\nsecond}"), expected);
    EXPECT_EQ(read("{\\rtf1\rHello\r world\\par\r\rsecond}\r"), expected);
}

TEST(RtfReader, ControlWordEndsAtItsDelimiterOrAtTheEndOfAPhysicalLine) {
    // One space is the delimiter; a second one is text.
    EXPECT_EQ(read("{\\rtf1 \\tab x\\tab  y}"), (Lines{"\tx\t y"}));
    // Anything else that is not a letter or digit is read again as text.
    EXPECT_EQ(read("{\\rtf1 \\f3;x\\fs-20*}"), (Lines{";x*"}));
    // A word at the end of a line does not swallow the letters of the next.
    EXPECT_EQ(read("{\\rtf1 A\\par\nHello\\tab\nworld}"), (Lines{"A", "Hello\tworld"}));
    EXPECT_EQ(read("{\\rtf1 \\fs20\n0x}"), (Lines{"0x"}));
    // Unknown words are ignored, also very long ones and huge parameters.
    EXPECT_EQ(read("{\\rtf1 a\\pard\\s0\\cs5\\lang1024 b\\" + std::string(5000, 'q') +
                   "99999999999999999999999 c}"),
              (Lines{"abc"}));
}

TEST(RtfReader, SymbolsAndTypographicCharactersGiveTheirBytes) {
    EXPECT_EQ(read("{\\rtf1 \\{\\}\\\\\\~\\_\\lquote\\rquote\\ldblquote\\rdblquote\\bullet"
                   "\\endash\\emdash\\-x}"),
              (Lines{"{}\\ -\x91\x92\x93\x94\x95\x96\x97x"}));
    // Unicode words are ignored, so the fallback byte that follows stands.
    EXPECT_EQ(read("{\\rtf1 \\uc1\\u233\\'e9!}"), (Lines{"\xE9!"}));
}

TEST(RtfReader, HexEscapesGiveBytesAndZeroGivesNothing) {
    EXPECT_EQ(read("{\\rtf1 \\'5c\\'7b\\'7d\\'E9\\'e9\\'00\\'0a.}"), (Lines{"\\{}\xE9\xE9\n."}));
    EXPECT_EQ(failureOf("{\\rtf1 \\'4G}"), result::RtfError2);
    EXPECT_EQ(failureOf("{\\rtf1 \\' 4}"), result::RtfError2);
}

TEST(RtfReader, DestinationsAreSkippedToTheEndOfTheirGroup) {
    const std::string rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0;}"
                            "{\\info{\\title T}{\\author A}}{\\header H\\par}"
                            "Body{\\footnote F\\par N}{\\pict\\bin4 }{}\\'x}Text\\par "
                            "{\\*\\unknowndest drop}{\\unknownword keep}}";
    EXPECT_EQ(read(rtf), (Lines{"BodyText", "keep"}));
    // \* before a listed destination skips it as well; before a known word
    // it does nothing.
    EXPECT_EQ(read("{\\rtf1 {\\*\\fonttbl x}{\\*\\tab y}}"), (Lines{"\ty"}));
}

TEST(RtfReader, HiddenTextIsDroppedUntilItsGroupEndsOrIsSwitchedOff) {
    EXPECT_EQ(read("{\\rtf1 a{\\v hidden}b}"), (Lines{"ab"}));
    EXPECT_EQ(read("{\\rtf1 a{\\v hid\\v0 shown}b}"), (Lines{"ashownb"}));
    EXPECT_EQ(read("{\\rtf1 a{\\v1 x\\plain y}\\v z}"), (Lines{"ay"}));
    // A paragraph mark ends the line even inside hidden text.
    EXPECT_EQ(read("{\\rtf1 a{\\v x\\par y}b}"), (Lines{"a", "b"}));
}

TEST(RtfReader, BinaryDataIsTakenByteForByte) {
    // Four raw bytes, braces and backslash included, are text here.
    EXPECT_EQ(read("{\\rtf1 a\\bin4 {}\\\\b}"), (Lines{"a{}\\\\b"}));
    // Inside a skipped destination they are dropped without being parsed.
    EXPECT_EQ(read("{\\rtf1 {\\pict\\bin3 }}{}x}"), (Lines{"x"}));
    // No count, or a zero count, means no data: the next brace is RTF.
    EXPECT_EQ(read("{\\rtf1 \\lang1024\\bin {x}}"), (Lines{"x"}));
    EXPECT_EQ(read("{\\rtf1 \\bin0 {x}}"), (Lines{"x"}));
    // A count larger than the rest of the file takes the closing braces too.
    EXPECT_EQ(failureOf("{\\rtf1 \\bin99999999999999999999 abc}"), result::RtfError3);
}

TEST(RtfReader, FailureCodes) {
    EXPECT_EQ(failureOf(""), result::RtfError4);
    EXPECT_EQ(failureOf("\r\n\n\r"), result::RtfError4);
    EXPECT_EQ(failureOf("{\\rt"), result::NotRtf);
    EXPECT_EQ(failureOf("{\\rt\nf1 x}"), result::NotRtf);
    EXPECT_EQ(failureOf("<qmx \"I2.00\">"), result::NotRtf);
    EXPECT_EQ(failureOf(" {\\rtf1 x}"), result::NotRtf);
    EXPECT_EQ(failureOf("{\\rtf1 a}}"), result::RtfError1);
    EXPECT_EQ(failureOf("{\\rtf1 {a}"), result::RtfError3);
    EXPECT_EQ(failureOf("{\\rtf1 a\\'4"), result::RtfError3);
    EXPECT_EQ(failureOf("{\\rtf1 a}\\"), result::RtfError4);
    EXPECT_EQ(failureOf("{\\rtf1 a}\\par"), result::RtfError4);
    EXPECT_EQ(failureOf("{\\rtf1 a}\\fs-"), result::RtfError4);
    EXPECT_EQ(failureOf("{\\rtf1 a}\\fs20"), result::RtfError4);
    // Text after the document's closing brace is still read.
    EXPECT_EQ(read("{\\rtf1 a}b"), (Lines{"ab"}));
}

TEST(RtfReader, BadKeywordTableEntryIsReported) {
    const RtfKeyword badCharacter[] = {{"x", RtfKeywordKind::Character, 0, false, 300}};
    const RtfKeyword badProperty[] = {{"x", RtfKeywordKind::Property, 0, false, 9}};
    const RtfKeyword badSpecial[] = {{"x", RtfKeywordKind::Special, 0, false, 9}};
    const RtfKeyword badKind[] = {{"x", static_cast<RtfKeywordKind>(7), 0, false, 0}};
    for (std::span<const RtfKeyword> table :
         {std::span<const RtfKeyword>(badCharacter), std::span<const RtfKeyword>(badProperty),
          std::span<const RtfKeyword>(badSpecial), std::span<const RtfKeyword>(badKind)}) {
        LineFile input = LineFile::fromBytes("{\\rtf1 a\\x b}");
        RtfReader reader(input, table);
        Lines lines;
        try {
            reader.read(lines);
            ADD_FAILURE() << "no failure";
        } catch (const ConversionFailure& failure) {
            EXPECT_EQ(failure.code(), result::RtfError5);
        }
    }
}

TEST(RtfReader, CallersLinesAreUntouchedOnFailure) {
    for (const char* bad :
         {"{\\rtf1 A\\par B\\par C", "{\\rtf1 A\\par B}}", "plain text", "{\\rtf1 A\\par \\'zz}"}) {
        Lines lines{"first", "second"};
        EXPECT_THROW(readRtfBytes(bad, lines), ConversionFailure) << bad;
        EXPECT_EQ(lines, (Lines{"first", "second"})) << bad;
    }
}

TEST(RtfReader, HostileInputEndsWithItsCodeWithoutRecursionOrOverflow) {
    EXPECT_EQ(failureOf("{\\rtf1 " + std::string(2'000'000, '{')), result::RtfError3);
    EXPECT_EQ(failureOf("{\\rtf1 }" + std::string(2'000'000, '}')), result::RtfError1);
    EXPECT_EQ(failureOf("{\\rtf1 " + std::string(999'999, '\\')), result::RtfError4);
    // A paragraph far longer than the reserved capacity.
    const std::string longText(300'000, 'w');
    EXPECT_EQ(read("{\\rtf1 " + longText + "}"), Lines{longText});
    // Every byte value as raw text outside the structural ones.
    std::string all = "{\\rtf1 ";
    std::string expected;
    for (int b = 0; b < 256; ++b) {
        if (b == '\\' || b == '{' || b == '}' || b == '\r' || b == '\n')
            continue;
        all += static_cast<char>(b);
        expected += static_cast<char>(b);
    }
    EXPECT_EQ(read(all + "}"), Lines{expected});
}

TEST(RtfReader, ReadsFilesAndReportsFileErrors) {
    quillex::testing::TempDir folder;
    const std::string path = folder.file("IN.RTF");
    quillex::testing::writeFile(path, "{\\rtf1\r\n\\pard one\\par two}\r\n");
    Lines lines;
    readRtfFile(path, lines);
    EXPECT_EQ(lines, (Lines{"one", "two"}));
    EXPECT_THROW(readRtfFile(folder.file("MISSING.RTF"), lines), FileError);
}
