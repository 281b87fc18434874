// Whole verifications: files in, result code, counts and .CMP report out.
#include "verifier/verifier.h"

#include "conversion/result_code.h"
#include "foundation/file_error.h"
#include "qmx/line_file.h"
#include "qmx/rtf_writer.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "verifier_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillex;
using quillex::testing::crlfText;
using quillex::testing::qmxHeader;
using quillex::testing::qmxLines;
using quillex::testing::readFile;
using quillex::testing::RecordingHost;
using quillex::testing::TempDir;
using quillex::testing::writeFile;

namespace {

using Lines = std::vector<std::string>;

const std::string kData = std::string(QUILLEX_TEST_DATA) + "/verifier/";

// A file pair in a scratch folder: the source in org/, the translation in
// translated/, and the options of a Verify batch over it.
class VerifyFixture : public ::testing::Test {
  protected:
    ConversionOptions optionsFor(const std::string& name) {
        ConversionOptions options;
        options.fileFormatForQmx = QmxFileFormat::Text;
        options.orgDirectory = org;
        options.translatedDirectory = translated;
        options.inputPath = translated + name;
        const std::size_t dot = name.find_last_of('.');
        options.baseName = name.substr(0, dot);
        options.extension = name.substr(dot);
        return options;
    }

    void writePair(const std::string& name, const Lines& source, const Lines& translation) {
        writeFile(org + name, crlfText(source));
        writeFile(translated + name, crlfText(translation));
    }

    int verify(const ConversionOptions& options) {
        last = verifyFile(options, host, counts);
        return last.code;
    }

    // Runs a verification that is expected to fail: its result code.
    int failureCode(const ConversionOptions& options) { return verify(options); }

    ConversionResult last; // of the latest verify()
    TempDir scratch;
    std::string org = scratch.subfolder("org");
    std::string translated = scratch.subfolder("translated");
    RecordingHost host;
    VerificationCounts counts{7, 7, 7};
};

// The report with its date line replaced, as the golden files hold it.
std::string withoutDate(std::string report) {
    const std::size_t start = report.find("Date/Time: ");
    if (start == std::string::npos)
        return report;
    const std::size_t end = report.find('\r', start);
    return report.replace(start, end - start, "Date/Time: (any)");
}

std::string golden(const std::string& name, const std::string& source, const std::string& target) {
    std::string text = readFile(kData + name);
    for (auto [placeholder, value] :
         {std::pair<std::string, std::string>{"@SOURCE@", source}, {"@TARGET@", target}}) {
        const std::size_t at = text.find(placeholder);
        if (at != std::string::npos)
            text.replace(at, placeholder.size(), value);
    }
    return text;
}

} // namespace

TEST_F(VerifyFixture, AnIdenticalTranslationIsCompleteWithoutAReport) {
    const Lines file = qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text <:b>bold<:/b> <:lt>",
                                 "<tb 1>", "<row 1>", "<ct 1>", "<ps \"Cell\" 2>x<:t>y", "</ct>",
                                 "</row>", "</tb>", "<imk 1>", "<ie>entry", "</imk>", "</page>"});
    writePair("DOC.TXT", file, file);
    EXPECT_EQ(verify(optionsFor("DOC.TXT")), result::VerificationComplete);
    EXPECT_EQ(counts.errors, 0);
    EXPECT_EQ(counts.alerts, 0);
    EXPECT_EQ(counts.warnings, 0);
    EXPECT_FALSE(std::filesystem::exists(translated + "DOC.CMP"));
    EXPECT_EQ(host.steps, 24);
    EXPECT_TRUE(host.results.empty());
}

TEST_F(VerifyFixture, FormattingAddedByTheTranslatorNeedsNoReport) {
    writePair("DOC.TXT", qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text", "</page>"}),
              qmxLines({"<page \"1\">", "<ps \"Body\" 1><:b>Text<:/b> <:i>x<:/i>", "</page>"}));
    EXPECT_EQ(verify(optionsFor("DOC.TXT")), result::VerificationComplete);
    EXPECT_FALSE(std::filesystem::exists(translated + "DOC.CMP"));
}

TEST_F(VerifyFixture, AnInvalidSourceStopsBeforeTheTranslationIsRead) {
    ConversionOptions options;
    options.fileFormatForQmx = QmxFileFormat::Text;
    options.orgDirectory = kData + "source_syntax/org"; // no trailing slash on purpose
    std::filesystem::copy_file(kData + "source_syntax/translated/CHAPTER.TXT",
                               translated + "CHAPTER.TXT");
    options.inputPath = translated + "CHAPTER.TXT"; // base name and extension left empty
    EXPECT_EQ(verify(options), result::NotFullyCompared);
    EXPECT_EQ(counts.errors, 1);
    EXPECT_EQ(host.steps, 24);
    const std::string report = readFile(translated + "CHAPTER.CMP");
    EXPECT_EQ(withoutDate(report),
              golden("source_syntax/CHAPTER.CMP", kData + "source_syntax/org/CHAPTER.TXT",
                     translated + "CHAPTER.TXT"));
}

TEST_F(VerifyFixture, AnUnlistedExternalTagInTheTranslation) {
    std::filesystem::copy_file(kData + "unlisted_tag/translated/CHAPTER.TXT",
                               translated + "CHAPTER.TXT");
    ConversionOptions options = optionsFor("CHAPTER.TXT");
    options.orgDirectory = kData + "unlisted_tag/org/";
    EXPECT_EQ(verify(options), result::VerificationComplete);
    EXPECT_EQ(counts.errors, 2);
    EXPECT_EQ(counts.alerts, 0);
    EXPECT_EQ(counts.warnings, 0);
    EXPECT_EQ(withoutDate(readFile(translated + "CHAPTER.CMP")),
              golden("unlisted_tag/CHAPTER.CMP", kData + "unlisted_tag/org/CHAPTER.TXT",
                     translated + "CHAPTER.TXT"));
}

TEST_F(VerifyFixture, ChangesOfEveryLevelGiveTheFullReport) {
    std::filesystem::copy_file(kData + "changes/translated/SAMPLE.TXT", translated + "SAMPLE.TXT");
    ConversionOptions options = optionsFor("SAMPLE.TXT");
    options.orgDirectory = kData + "changes/org/";
    EXPECT_EQ(verify(options), result::VerificationComplete);
    EXPECT_EQ(counts.errors, 1);
    EXPECT_EQ(counts.alerts, 1);
    EXPECT_EQ(counts.warnings, 3);
    EXPECT_EQ(
        withoutDate(readFile(translated + "SAMPLE.CMP")),
        golden("changes/SAMPLE.CMP", kData + "changes/org/SAMPLE.TXT", translated + "SAMPLE.TXT"));
}

TEST_F(VerifyFixture, ATranslationWithSyntaxErrorsStopsAfterItsCheck) {
    writePair("DOC.TXT", qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text", "</page>"}),
              qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text<:b", "<ps \"Body\" 1>a > b <:lt",
                        "</page>"}));
    EXPECT_EQ(verify(optionsFor("DOC.TXT")), result::NotFullyCompared);
    EXPECT_EQ(counts.errors, 2);
    const std::string report = readFile(translated + "DOC.CMP");
    EXPECT_NE(report.find("\r\nVerify external target tags\r\n===========================\r\n"
                          "\r\n[1] ERROR! Different number of < and >.\r\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("[2] ERROR! > and <: occur in the wrong order."), std::string::npos);
    EXPECT_EQ(report.find("Note: You should never"), std::string::npos);
}

TEST_F(VerifyFixture, SourceFindingsAfterTheSyntaxCheckStopBeforeTheComparison) {
    const Lines source = qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text<:b>", "</page>"});
    writePair("DOC.TXT", source, source);
    EXPECT_EQ(verify(optionsFor("DOC.TXT")), result::NotFullyCompared);
    // The translation passes its syntax check, and that is all it gets.
    EXPECT_EQ(counts.errors, 1);
    const std::string report = readFile(translated + "DOC.CMP");
    EXPECT_NE(report.find("\r\nVerify positioning of internal source tags\r\n"), std::string::npos);
    EXPECT_EQ(report.find("Verify positioning of internal target tags"), std::string::npos);
}

TEST_F(VerifyFixture, NestedTagsAndTagsAfterTheEndOfTheTranslation) {
    const Lines source = qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text", "</page>"});
    writePair("DOC.TXT", source,
              qmxLines({"<page \"1\">", "<ps \"Body <ps \"x\" 2>\" 1>Text", "</page>"}));
    EXPECT_EQ(verify(optionsFor("DOC.TXT")), result::NotFullyCompared);
    EXPECT_NE(readFile(translated + "DOC.CMP").find("[1] ERROR! Nested external tags.\r\n"),
              std::string::npos);

    Lines trailing = source;
    trailing.insert(trailing.end(), {"<page \"2\">", "</page>"});
    writePair("DOC.TXT", source, trailing);
    EXPECT_EQ(verify(optionsFor("DOC.TXT")), result::VerificationComplete);
    const std::string report = readFile(translated + "DOC.CMP");
    EXPECT_NE(report.find("\r\nVerify structure of external target tags\r\n"), std::string::npos);
    // <page "2"> is unknown to the source, stands after the end, and is
    // added at the end of the file; </page> the same but for the first.
    EXPECT_NE(report.find("[1] ERROR! The external tag <page \"2\"> is not a valid tag."),
              std::string::npos);
    EXPECT_NE(report.find("[2] ERROR! No tag(s) are allowed after the end of the QMX file "
                          "(</qmx>).\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("[3] ERROR! No tag(s) are allowed"), std::string::npos);
    EXPECT_NE(report.find("External tags added at the end of the translated file!"),
              std::string::npos);
    EXPECT_EQ(counts.errors, 5);
}

TEST_F(VerifyFixture, JapaneseTargetsAreCheckedForMissingCharacters) {
    const Lines source = qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text", "</page>"});
    const Lines translation =
        qmxLines({"<page \"1\">", "<ps \"Body\" 1>\x82\xA0\xED\x40", "</page>"});
    writePair("DOC.TXT", source, translation);
    ConversionOptions options = optionsFor("DOC.TXT");
    EXPECT_EQ(verify(options), result::VerificationComplete);
    EXPECT_EQ(counts.alerts, 0);

    options.targetLanguage.name = "Japanese (Shift-JIS)";
    options.targetLanguage.codePage = 932;
    EXPECT_EQ(verify(options), result::VerificationComplete);
    EXPECT_EQ(counts.alerts, 1);
    EXPECT_EQ(counts.errors, 0);
    EXPECT_NE(readFile(translated + "DOC.CMP").find("Alerts: 1\r\n"), std::string::npos);
}

// The characters the backward conversion would refuse are errors here, each
// named once with its first line; the same text is clean where the target
// code page's byte is a character Interleaf has.
TEST_F(VerifyFixture, CharactersWithoutAnInterleafFormAreErrors) {
    const Lines source =
        qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text", "<ps \"Body\" 2>More", "</page>"});
    const Lines translation = qmxLines(
        {"<page \"1\">", "<ps \"Body\" 1>\x8C\xE9\xA0", "<ps \"Body\" 2>\x8C\x8E", "</page>"});
    writePair("DOC.TXT", source, translation);
    ConversionOptions options = optionsFor("DOC.TXT");
    options.targetLanguage.name = "Czech";
    options.targetLanguage.codePage = 1250;
    EXPECT_EQ(verify(options), result::VerificationComplete);
    EXPECT_EQ(counts.errors, 2);
    const std::string report = readFile(translated + "DOC.CMP");
    const std::size_t firstLine = qmxHeader().size() + 2;
    EXPECT_NE(report.find("\r\nVerify characters of target text\r\n"), std::string::npos);
    EXPECT_NE(report.find("[1] ERROR! The character \"\x8C\" (byte 0x8C) on line " +
                          std::to_string(firstLine) + " has no Interleaf form (2 occurrence(s))."),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("[2] ERROR! The character \"\x8E\" (byte 0x8E) on line " +
                          std::to_string(firstLine + 1) +
                          " has no Interleaf form (1 occurrence(s))."),
              std::string::npos);

    options.targetLanguage.name = "French";
    options.targetLanguage.codePage = 1252;
    std::filesystem::remove(translated + "DOC.CMP");
    writePair(
        "DOC.TXT", source,
        qmxLines({"<page \"1\">", "<ps \"Body\" 1>\x8C\xE9\xA0", "<ps \"Body\" 2>x", "</page>"}));
    EXPECT_EQ(verify(options), result::VerificationComplete);
    EXPECT_EQ(counts.errors, 0);
}

TEST_F(VerifyFixture, HeaderFaultsOfEitherFileGiveTheirCodes) {
    const Lines good = qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text", "</page>"});
    struct Case {
        Lines lines;
        int code;
    };
    const Lines header = qmxHeader();
    const Case cases[] = {
        {{}, result::UnexpectedEnd},
        {{"<qmx \"I2.00\">"}, result::UnexpectedEnd},
        {{header[0], header[1]}, result::UnexpectedEnd},
        {{header[0], header[1], header[2]}, result::UnexpectedEnd},
        {{"<qmx \"I2.01\">", header[1], header[2], header[3]}, result::NewerQmxVersion},
        {{"<qmx \"F2.00\">", header[1]}, result::FrameMakerQmx},
        {{"<tf>"}, result::FrameMakerQmx},
        {{"<!OPS, Version = 8.0>"}, result::NotQmx},
        {{"\x7F"
          "ELF\x01\x02"},
         result::NotQmx},
        {{header[0], "<language>", header[2], header[3]}, result::NoLanguage},
        {{header[0], "<lang \"English (US)\">"}, result::NoLanguage},
        {{header[0], "<language \"\">", header[2], header[3]}, result::InvalidLanguage},
        {{header[0], "<language \"Klingon\">", header[2], header[3]}, result::InvalidLanguage},
        {{header[0], header[1], "<quotes \"Maybe\">", header[3]}, result::NoQuotes},
        {{header[0], header[1], header[2], "<readonly \"Perhaps\">"}, result::NoReadOnly},
    };
    for (const Case& c : cases) {
        writePair("DOC.TXT", c.lines, good);
        EXPECT_EQ(failureCode(optionsFor("DOC.TXT")), c.code) << "source " << c.lines.size();
        writePair("DOC.TXT", good, c.lines);
        EXPECT_EQ(failureCode(optionsFor("DOC.TXT")), c.code) << "translation " << c.lines.size();
        EXPECT_FALSE(std::filesystem::exists(translated + "DOC.CMP"));
    }
}

TEST_F(VerifyFixture, BlankLinesAndLoneCarriageReturnsDoNotMatter) {
    const Lines file = qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text", "</page>"});
    std::string spaced;
    for (const std::string& line : file)
        spaced += line + "\r\n\r\n\r";
    writeFile(org + "DOC.TXT", crlfText(file));
    writeFile(translated + "DOC.TXT", spaced);
    EXPECT_EQ(verify(optionsFor("DOC.TXT")), result::VerificationComplete);
    EXPECT_FALSE(std::filesystem::exists(translated + "DOC.CMP"));
}

TEST_F(VerifyFixture, AMissingSourceIsAFileError) {
    writeFile(translated + "DOC.TXT", crlfText(qmxLines({})));
    EXPECT_EQ(verify(optionsFor("DOC.TXT")), result::FileError);
    EXPECT_EQ(last.lines,
              (Lines{FileError(FileError::Cause::FileNotFound, org + "DOC.TXT").resultLines()}));
    EXPECT_EQ(host.steps, 24);
}

TEST_F(VerifyFixture, CancelEndsTheRunWithCodeOneAndTheFullBudget) {
    const Lines file = qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text", "</page>"});
    writePair("DOC.TXT", file, qmxLines({"<page \"1\">", "<ps \"Body\" 1>Text<:b", "</page>"}));
    host.cancelAfterSteps = 5;
    EXPECT_EQ(failureCode(optionsFor("DOC.TXT")), result::Cancelled);
    EXPECT_EQ(host.steps, 24);
    EXPECT_FALSE(std::filesystem::exists(translated + "DOC.CMP"));
}

TEST_F(VerifyFixture, AnOldReportIsReplacedWhole) {
    writeFile(translated + "CHAPTER.CMP", std::string(100000, 'x'));
    std::filesystem::copy_file(kData + "unlisted_tag/translated/CHAPTER.TXT",
                               translated + "CHAPTER.TXT");
    ConversionOptions options = optionsFor("CHAPTER.TXT");
    options.orgDirectory = kData + "unlisted_tag/org/";
    verify(options);
    EXPECT_EQ(readFile(translated + "CHAPTER.CMP").find('x' + std::string(20, 'x')),
              std::string::npos);
}

// ---- RTF -----------------------------------------------------------------

TEST_F(VerifyFixture, RtfTranslationsAreReadWhateverTheCaseOfTheirExtension) {
    const Lines file = qmxLines({"<page \"1\">", "<ps \"Body\" 1>Caf\xE9 {x} \\ <:lt>", "</page>"});
    Lines rtf = file;
    convertLinesToRtf(rtf);
    writeRtfFile(org + "doc.rtf", rtf, PaperSize::Letter, 1252, 1250);
    writeRtfFile(translated + "doc.rtf", rtf, PaperSize::A4, 1252, 1252);
    ConversionOptions options = optionsFor("doc.rtf");
    options.fileFormatForQmx = QmxFileFormat::Text;
    EXPECT_EQ(verify(options), result::VerificationComplete);
    EXPECT_FALSE(std::filesystem::exists(translated + "doc.CMP"));

    writeFile(translated + "doc.rtf", "{\\rtf1 {\\b <qmx \"I2.00\">\\par }");
    EXPECT_EQ(failureCode(options), result::RtfError3); // a group left open
    writeFile(translated + "doc.rtf", "{\\rtf1 x}}");
    EXPECT_EQ(failureCode(options), result::RtfError1);
    writeFile(translated + "doc.rtf", "<qmx \"I2.00\">\r\n");
    EXPECT_EQ(failureCode(options), result::NotRtf);
    writeFile(translated + "doc.rtf", "");
    EXPECT_EQ(failureCode(options), result::RtfError4);
    writeFile(translated + "doc.rtf", "{\\rtf1 \\'4G}");
    EXPECT_EQ(failureCode(options), result::RtfError2);
}

TEST_F(VerifyFixture, RtfReportsFollowTheReportLineRules) {
    // The fixture pair saved as RTF, the report wanted as RTF, Polish target.
    for (const std::string& folder : {org, translated}) {
        const bool source = folder == org;
        Lines lines = readLineFile(kData + "unlisted_tag/" + (source ? "org" : "translated") +
                                   "/CHAPTER.TXT");
        convertLinesToRtf(lines);
        writeRtfFile(folder + "CHAPTER.RTF", lines, PaperSize::A4, 1252, 1252);
    }
    ConversionOptions options = optionsFor("CHAPTER.RTF");
    options.fileFormatForQmx = QmxFileFormat::Rtf;
    options.rtfPageSize = PaperSize::A4;
    options.targetLanguage.name = "Polish";
    options.targetLanguage.codePage = 1250;
    EXPECT_EQ(verify(options), result::VerificationComplete);
    EXPECT_EQ(counts.errors, 2);
    EXPECT_EQ(
        withoutDate(readFile(translated + "CHAPTER.CMP")),
        golden("unlisted_tag/CHAPTER_RTF.CMP", org + "CHAPTER.RTF", translated + "CHAPTER.RTF"));
}
