// RTF writer: prologue bytes, paragraph conversion, report lines, the file.
#include "qmx/rtf_writer.h"

#include "foundation/file_error.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillex;
using quillex::testing::readFile;
using quillex::testing::TempDir;

namespace {

const std::string kPara = R"(\pard\plain\s0\sb0\slmult1\widctlpar\fs20\f3 )";
const std::string kExt = R"({\cs5\cf15\f1\lang1024 )";
const std::string kInt = R"({\cs6\cf6\f1\lang1024 )";

// Joins physical lines as they reach the disk, each ended by CR LF.
std::string diskLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// Colour table and style sheet, the same in every prologue.
std::string colourAndStyles() {
    return diskLines({
        R"({\colortbl \red0\green0\blue0;\red0\green0\blue0;\red0\green0\blue255;\red0\green255\blue255;\red0\green255\blue0;)",
        R"(\red255\green0\blue255;\red255\green0\blue0;\red255\green255\blue0;\red255\green255\blue255;\red0\green0\blue128;)",
        R"(\red0\green128\blue128;\red0\green128\blue0;\red128\green0\blue128;\red128\green0\blue0;\red128\green128\blue0;)",
        R"(\red128\green128\blue128;\red192\green192\blue192;})",
        R"({\stylesheet )",
        R"({\s0 \sb0\slmult1\widctlpar\fs20\f3 \snext0 Normal;})",
        R"({\cs1 \additive \v\cf12\sub\f1 pw2segMark;})",
        R"({\cs2 \cf4\fs40\f1 pw2segError;})",
        R"({\cs3 \f1\cf11 pw2segPopup;})",
        R"({\cs4 \f1\cf10 pw2segJump;})",
        R"({\cs5 \additive \cf15\f1\lang1024 pw2segExternal;})",
        R"({\cs6 \additive \cf6\f1\lang1024 pw2segInternal;})",
        R"({\cs7 \cf2 pw2segTerm;})",
        R"({\cs8 \additive Default Paragraph Font;}})",
    });
}

std::string writtenFile(const std::vector<std::string>& lines, PaperSize paper, int source,
                        int target) {
    TempDir folder;
    const std::string path = folder.file("OUT.RTF");
    writeRtfFile(path, lines, paper, source, target);
    return readFile(path);
}

std::string converted(std::string line) {
    std::vector<std::string> lines{std::move(line)};
    convertLinesToRtf(lines);
    return lines[0];
}

} // namespace

TEST(RtfWriterPrologue, WesternSameCodePagesOnA4) {
    const std::string expected =
        diskLines({
            R"({\rtf1\ansi\deff3\deflang1024 )",
            R"({\fonttbl )",
            R"({\f1 \fmodern\fcharset0\fprq1 Courier New;})",
            R"({\f2 \fswiss\fcharset0\fprq2 Arial;})",
            R"({\f3 \froman\fcharset0\fprq2 Times New Roman;}})",
        }) +
        colourAndStyles() +
        diskLines({R"(\paperw11907\paperh16840\pard\plain\s0\sb0\slmult1\widctlpar\fs20\f3 )"}) +
        "}";
    EXPECT_EQ(writtenFile({}, PaperSize::A4, 1252, 1252), expected);
}

TEST(RtfWriterPrologue, TargetFontClosesTheTableOnLetter) {
    const std::string expected =
        diskLines({
            R"({\rtf1\ansi\deff3\deflang1024 )",
            R"({\fonttbl )",
            R"({\f1 \fmodern\fcharset0\fprq1 Courier New;})",
            R"({\f2 \fswiss\fcharset0\fprq2 Arial;})",
            R"({\f3 \froman\fcharset0\fprq2 Times New Roman;})",
            R"({\f4 \froman\fcharset238\fprq2 Times New Roman CE;}})",
        }) +
        colourAndStyles() +
        diskLines({R"(\paperw12242\paperh15842\pard\plain\s0\sb0\slmult1\widctlpar\fs20\f3 )"}) +
        "}";
    EXPECT_EQ(writtenFile({}, PaperSize::Letter, 1252, 1250), expected);
}

TEST(RtfWriterPrologue, JapaneseSourceEndsItsLastFontWithALineEnd) {
    // The 932 fonts end with a line end and font 4 begins with one, so an
    // empty physical line lies between them.
    const std::string fonts = diskLines({
        R"({\rtf1\ansi\deff3\deflang1024 )",
        R"({\fonttbl )",
        R"({\f1 \fmodern\fcharset128\fprq2 \'82\'6c\'82\'72 \'82\'6f\'83\'53\'83\'56\'83\'62\'83\'4e;})",
        R"({\f2 \fmodern\fcharset128\fprq1 \'82\'6c\'82\'72 \'83\'53\'83\'56\'83\'62\'83\'4e;})",
        R"({\f3 \froman\fcharset128\fprq1 \'82\'6c\'82\'72 \'96\'be\'92\'a9;})",
        "",
        R"({\f4 \froman\fcharset0\fprq2 Times New Roman;}})",
    });
    EXPECT_EQ(writtenFile({}, PaperSize::A4, 932, 1252).substr(0, fonts.size()), fonts);

    const std::string cyrillicToJapanese = diskLines({
        R"({\rtf1\ansi\deff3\deflang1024 )",
        R"({\fonttbl )",
        R"({\f1 \fmodern\fcharset204\fprq1 Courier New CYR;})",
        R"({\f2 \fswiss\fcharset204\fprq2 Arial CYR;})",
        R"({\f3 \froman\fcharset204\fprq2 Times New Roman CYR;})",
        R"({\f4 \froman\fcharset128\fprq1 \'82\'6c\'82\'72 \'96\'be\'92\'a9;}})",
    });
    EXPECT_EQ(writtenFile({}, PaperSize::A4, 1251, 932).substr(0, cyrillicToJapanese.size()),
              cyrillicToJapanese);
}

// Every code page gets fonts 1 to 3 in its own character set (so the styles
// and the default font always refer to defined fonts), and font 4 appears,
// in the target character set, exactly when the code pages differ.
TEST(RtfWriterPrologue, EveryCodePageDeclaresFontsOfItsCharacterSet) {
    const std::pair<int, int> charsets[] = {{932, 128},  {936, 134},  {949, 129}, {950, 136},
                                            {1250, 238}, {1251, 204}, {1252, 0},  {1253, 161},
                                            {1254, 162}, {1257, 186}};
    for (const auto& [source, sourceCharset] : charsets) {
        for (const auto& [target, targetCharset] : charsets) {
            SCOPED_TRACE(std::to_string(source) + " to " + std::to_string(target));
            const std::string prologue = rtfPrologue(PaperSize::A4, source, target);
            // The text of one font entry, from "{\fN " to its ";}".
            auto entry = [&](const char* font) {
                const auto at = prologue.find(font);
                return at == std::string::npos ? std::string()
                                               : prologue.substr(at, prologue.find(";}", at) - at);
            };
            const std::string inSource = "\\fcharset" + std::to_string(sourceCharset) + "\\";
            for (const char* font : {"{\\f1 ", "{\\f2 ", "{\\f3 "})
                EXPECT_NE(entry(font).find(inSource), std::string::npos) << font;
            const auto f4 = prologue.find("{\\f4 ");
            if (source == target) {
                EXPECT_EQ(f4, std::string::npos);
                continue;
            }
            const std::string inTarget = "\\fcharset" + std::to_string(targetCharset) + "\\";
            EXPECT_NE(entry("{\\f4 ").find(inTarget), std::string::npos);
            // Font 4 closes the table, right before the colour table.
            EXPECT_EQ(prologue.find(";}}\n{\\colortbl ", f4), prologue.find(";}", f4));
        }
    }
}

TEST(RtfWriterLines, EscapesReservedAndHighBytes) {
    EXPECT_EQ(converted("a\\b{c}d\te\xE9\x80\xFF"),
              kPara + R"(a\'5cb\'7bc\'7dd\tab e\'e9\'80\'ff)");
    // CR and LF never stand raw in the file, where they would be taken for
    // line ends and lost.
    EXPECT_EQ(converted("x\ry\nz"), kPara + R"(x\'0dy\'0az)");
    EXPECT_EQ(converted(""), kPara);
}

TEST(RtfWriterLines, EachTagIsWrappedInTheStyleOfItsKind) {
    EXPECT_EQ(converted("word<ps \"Body\" 1>more</ps>end"),
              kPara + "word" + kExt + "<ps \"Body\" 1>}more" + kExt + "</ps>}end");
    EXPECT_EQ(converted("a<:b>bold<:/b>"), kPara + "a" + kInt + "<:b>}bold" + kInt + "<:/b>}");
    // Nested and run-on brackets stay in the group the first "<" opened.
    EXPECT_EQ(converted("<a<:b>c>d"), kPara + kExt + "<a<:b>c>}d");
    // A "<" at the very end of a line is an external tag.
    EXPECT_EQ(converted("x<:y><"), kPara + "x" + kInt + "<:y>}" + kExt + "<}");
}

TEST(RtfWriterLines, StrayClosingBracketIsText) {
    EXPECT_EQ(converted("a>b<:t>c"), kPara + "a>b" + kInt + "<:t>}c");
    EXPECT_EQ(converted("<x>>y<z>"), kPara + kExt + "<x>}>y" + kExt + "<z>}");
}

TEST(RtfWriterLines, TagRunningOverLinesKeepsItsGroupUntilClosed) {
    std::vector<std::string> lines{"a<ps \"x", "y\" 2>b", "<:t>"};
    convertLinesToRtf(lines);
    EXPECT_EQ(lines[0], kPara + "a" + kExt + "<ps \"x");
    EXPECT_EQ(lines[1], kPara + "y\" 2>}b");
    EXPECT_EQ(lines[2], kPara + kInt + "<:t>}");
}

TEST(RtfWriterLines, TagLeftOpenAtTheEndIsClosedWithTheLastLine) {
    std::vector<std::string> lines{"<ps \"x\" 1>text <:fc 3", "more"};
    convertLinesToRtf(lines);
    EXPECT_EQ(lines[0], kPara + kExt + "<ps \"x\" 1>}text " + kInt + "<:fc 3");
    EXPECT_EQ(lines[1], kPara + "more}");
}

TEST(RtfWriterFile, BodyParagraphsAndClosingBrace) {
    std::vector<std::string> lines{"one", "<ps \"A\" 1>two", "three"};
    convertLinesToRtf(lines);
    const std::string file = writtenFile(lines, PaperSize::A4, 1252, 1252);
    const std::string body = kPara + "one\r\n\\par " + kPara + kExt + "<ps \"A\" 1>}two\r\n\\par " +
                             kPara + "three\r\n}";
    ASSERT_GE(file.size(), body.size());
    EXPECT_EQ(file.substr(file.size() - body.size()), body);
    std::string prologue;
    for (char c : rtfPrologue(PaperSize::A4, 1252, 1252))
        prologue += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(file.substr(0, file.size() - body.size()), prologue);
    // Every line end on disk is CR LF.
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == '\n') {
            ASSERT_TRUE(i > 0 && file[i - 1] == '\r') << "bare LF at " << i;
        }
    }
}

TEST(RtfWriterFile, FailedWriteLeavesNothingBehind) {
    TempDir folder;
    // The target name is taken by a folder: the file cannot be put in place.
    const std::string target = folder.file("BUSY.RTF");
    std::filesystem::create_directory(target);
    quillex::testing::writeFile(target + "/inside", "x");
    EXPECT_THROW(writeRtfFile(target, {"line"}, PaperSize::A4, 1252, 1252), FileError);
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1u); // the folder only, no temporary left over

    EXPECT_THROW(writeRtfFile(folder.file("missing/OUT.RTF"), {}, PaperSize::A4, 1252, 1252),
                 FileError);
}

TEST(RtfWriterReport, ParagraphFontFollowsFontNumberAndCodePages) {
    const std::string f1 = R"(\pard\plain\s0\sb0\slmult1\widctlpar\fs20\f1 )";
    const std::string f4 = R"(\pard\plain\s0\sb0\slmult1\widctlpar\fs20\f4 )";
    auto report = [](std::string line, bool styled, int font, int source, int target) {
        convertReportLineToRtf(line, styled, font, source, target);
        return line;
    };
    EXPECT_EQ(report("x", true, 2, 1252, 1252), f1 + "x");
    EXPECT_EQ(report("x", true, 4, 1252, 1250), f4 + "x");
    EXPECT_EQ(report("x", true, 4, 1252, 1252), kPara + "x");
    EXPECT_EQ(report("x", true, 1, 1252, 1250), kPara + "x");
    EXPECT_EQ(report("x", true, 3, 1252, 1250), kPara + "x");
    // An embedded line end starts a new paragraph; escapes as in QMX lines.
    EXPECT_EQ(report("a\\\nb\t\xE9", false, 3, 1252, 1252), kPara + "a\\'5c\n\\par b\\tab \\'e9");
}

TEST(RtfWriterReport, TagsStyledOnlyOnRequestAndWesternFontSwitches) {
    auto report = [](std::string line, bool styled, int source, int target) {
        convertReportLineToRtf(line, styled, 4, source, target);
        return line;
    };
    const std::string f4 = R"(\pard\plain\s0\sb0\slmult1\widctlpar\fs20\f4 )";
    EXPECT_EQ(report("<:c>ab<:/c>", false, 932, 1252), f4 + "<:c>ab<:/c>");
    EXPECT_EQ(report("<:c>ab<:/c>", true, 932, 1252),
              f4 + kInt + "<:c>}\\f3 ab" + kInt + "<:/c>}\\f4 ");
    EXPECT_EQ(report("<:c>ab<:/c>", true, 1252, 1252),
              kPara + kInt + "<:c>}\\f3 ab" + kInt + "<:/c>}\\f3 ");
    // Only the exact tags switch; a stray ">" empties the collected text.
    EXPECT_EQ(report("<:cx>><:c>", true, 932, 1252), f4 + kInt + "<:cx>}>" + kInt + "<:c>}\\f3 ");
    EXPECT_EQ(report("<ps 1>", true, 932, 1252), f4 + kExt + "<ps 1>}");
}

TEST(RtfWriterReport, TagStateIsLocalToTheLineAndAnOpenTagIsClosed) {
    std::string first = "damaged <ps \"x\" 1";
    convertReportLineToRtf(first, true, 3, 1252, 1252);
    EXPECT_EQ(first, kPara + "damaged " + kExt + "<ps \"x\" 1}");
    std::string second = "next>";
    convertReportLineToRtf(second, true, 3, 1252, 1252);
    EXPECT_EQ(second, kPara + "next>");
}

// The QMX writer converts and writes a line at a time; it must give the
// same bytes as converting the whole list first, also with a tag that runs
// over lines or stays open at the end, and for an empty list.
TEST(RtfWriterFile, LineAtATimeGivesTheSameFileAsConvertingFirst) {
    const std::vector<std::vector<std::string>> cases = {
        {"one", "<ps \"A\" 1>two\tand {braces}\\", "three\xe9"},
        {"a<ps \"x", "y\" 2>b", "<:t>"},
        {"<ps \"x\" 1>text <:fc 3", "more\r\nlines"},
        {},
    };
    for (const auto& lines : cases) {
        std::vector<std::string> paragraphs = lines;
        convertLinesToRtf(paragraphs);
        TempDir folder;
        const std::string path = folder.file("QMX.RTF");
        writeQmxRtfFile(path, lines, PaperSize::Letter, 932, 1252);
        EXPECT_EQ(readFile(path), writtenFile(paragraphs, PaperSize::Letter, 932, 1252))
            << lines.size();
    }
}
