// Whole documents through the forward conversion: QMX files compared with
// golden files written out by hand from the rules, in both containers, with
// the settings that change them, and the tag maps they leave.
#include "conversion/result_code.h"
#include "forward/document_converter.h"
#include "forward/forward_converter.h"
#include "forward_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillex;
using namespace quillex::testing;

namespace {

std::string golden(const std::string& name) {
    return readFile((std::filesystem::path(QUILLEX_TEST_DATA) / "forward" / name).string());
}

class ForwardGoldenTest : public ::testing::Test {
  protected:
    ForwardGoldenTest() {
        options.fileFormatForQmx = QmxFileFormat::Text;
        options.sourceDirectory = work.subfolder("source");
        options.orgDirectory = work.subfolder("org");
        options.translatedDirectory = work.subfolder("translated");
    }

    // Puts the golden source in the source folder and readies the options.
    void prepare(const std::string& name, const std::string& bytes) {
        options.inputPath = work.write("source/" + name, bytes);
        options.baseName = name.substr(0, name.find_last_of('.'));
        options.extension = name.ends_with(".STY") ? ".STY" : ".DOC";
    }

    int convert(const std::string& name) {
        prepare(name, golden(name));
        return convertFile(options, collector, host).code;
    }

    TempDir work;
    ConversionOptions options;
    AncillaryCollector collector;
    ResultsHost host;
};

} // namespace

TEST_F(ForwardGoldenTest, GettingStartedAsText) {
    ASSERT_EQ(convert("getting_started.DOC"), result::Success);
    EXPECT_EQ(readFile(options.orgDirectory + "getting_started.TXT"),
              golden("getting_started.TXT"));
    EXPECT_EQ(readFile(options.translatedDirectory + "getting_started.TXT"),
              golden("getting_started.TXT"));
    // The ORG copy is the source with single line feeds.
    std::string org = golden("getting_started.DOC");
    std::erase(org, '\r');
    EXPECT_EQ(readFile(options.orgDirectory + "getting_started.ORG"), org);
}

TEST_F(ForwardGoldenTest, GettingStartedAsRtf) {
    options.fileFormatForQmx = QmxFileFormat::Rtf;
    ASSERT_EQ(convert("getting_started.DOC"), result::Success);
    EXPECT_EQ(readFile(options.orgDirectory + "getting_started.RTF"),
              golden("getting_started.RTF"));
}

TEST_F(ForwardGoldenTest, QuotesAsTextAndReadOnlyComponentsTranslated) {
    options.smartQuotes = SmartQuotes::AsText;
    options.readOnlyComponents = ReadOnlyComponents::Translate;
    ASSERT_EQ(convert("getting_started.DOC"), result::Success);
    const std::string expected =
        "<qmx \"I2.00\">\r\n"
        "<language \"English (US)\">\r\n"
        "<quotes \"As text\">\r\n"
        "<readonly \"Translate\">\r\n"
        "<page \"1\">\r\n"
        "<ps \"title\" 1>Getting <:fc 1>started<:/fc>\r\n"
        "<ps \"para\" 2>Read \"Installing\" first. The command <:fc 2>ls<:/fc> lists files; 3 "
        "<:lt> 5 and 7 <:gt> 2.\r\n"
        "<ps \"step\" 3><pn \"<:an 1.><:t>\" 1>Open the <:cs \"menu\" 1>File<:/cs> menu.\r\n"
        "<:hr>Then choose<:t>Open<:ens>now.\r\n"
        "<ps \"code\" 4>make <:lt>all<:gt>\r\n"
        "</page>\r\n"
        "<page \"2\">\r\n"
        "<ps \"para\" 2>Price: 5\xa3 <:ems> caf\xe9. See page <:xr 12 1>.\r\n"
        "</page>\r\n"
        "</qmx>\r\n";
    EXPECT_EQ(readFile(options.orgDirectory + "getting_started.TXT"), expected);
}

TEST_F(ForwardGoldenTest, TheTagMapsLeadEveryTagBackToItsMarkup) {
    prepare("getting_started.DOC", golden("getting_started.DOC"));
    DocumentConverter converter(options, collector, host);
    converter.run();
    const auto& replacements = converter.tagReplacements();
    const std::string SEP = "\n\n\n\n\n";
    EXPECT_EQ(replacements.at("<ps \"step\" 3>"), "<\"step\">" + SEP);
    EXPECT_EQ(replacements.at("<pn \"<:an 1.><:t>\" 1>"),
              "<\"|:step\", Subcomponent = yes>" + SEP + "<F0>" + SEP +
                  "<Autonum, \"step\", 1, Value = \"1.\">" + SEP + "<Tab>" + SEP + "<End Sub>" +
                  SEP + "<F0>" + SEP);
    EXPECT_EQ(replacements.at("<:cs \"menu\" 1>"),
              "<\"menu\", Subcomponent = yes>" + SEP + "<F21>" + SEP);
    EXPECT_EQ(replacements.at("<r \"make <:lt>all<:gt>\" 1>"),
              "<\"code\">" + SEP + "make " + SEP + "<<" + SEP + "all" + SEP + ">" + SEP);
    EXPECT_EQ(replacements.at("<:fc 1>"), "<F22>");
    EXPECT_EQ(replacements.at("<page \"2\">"), "<|, \"2\">");
    EXPECT_EQ(replacements.at("<:xr 12 1>"), "<Ref, Page #, Page Value = 12, Tag = price>");
    EXPECT_EQ(converter.knownTags().at("<\"para\">" + SEP), "<ps \"para\" 2>");
    // The header lines stand for themselves.
    EXPECT_EQ(replacements.at("<quotes \"As tags\">"), "<quotes \"As tags\">");
    // The body piece is frame 0.
    for (const auto& piece : converter.pieces()) {
        if (piece->kind == PieceKind::EndOfDeclarations) {
            EXPECT_EQ(piece->qmxTag, "<af 0>");
        }
    }
}

TEST_F(ForwardGoldenTest, RefusalsLeaveNothingBehind) {
    struct Case {
        std::string text;
        int code;
    };
    const std::vector<Case> cases = {
        {document("<!Comment, changed>\n", "x\n"), result::ManualComment},
        {document("<!Class Defaults, Font = F1>\n", "x\n"), result::ClassDefaults},
        {document("<!Revision Tracking, On = yes>\n", "x\n"), result::RevisionTracking},
        {document("<!APage, x>\n", "x\n"), result::SplitDocument},
        {document("<!Include Declarations, \"a\">\n", "x\n"), result::IncludeDeclarations},
        {document("<!Include, \"a\">\n", "x\n"), result::Include},
        {"<!OPS, Version = 8.0 Character Encoding = JIS>\nx\n", result::JapaneseNotShiftJis},
        {"<!OPS, Version = 8.0>\n<!End Declarations>\n", result::ParserError},
        {document("", "<Unclosed\n"), result::ParserError},
    };
    for (const Case& c : cases) {
        prepare("a.DOC", c.text);
        EXPECT_EQ(convertFile(options, collector, host).code, c.code) << c.text;
        EXPECT_TRUE(listFolder(options.orgDirectory).empty()) << c.text;
        EXPECT_TRUE(listFolder(options.translatedDirectory).empty()) << c.text;
    }
}

TEST_F(ForwardGoldenTest, JapaneseDocumentsWarnAndConvert) {
    lookupLanguage("Japanese (Shift-JIS)", LanguageRole::Source, options.sourceLanguage);
    prepare("j.DOC", "<!OPS, Version = 8.0 Character Encoding = SJIS>\n\n<!End "
                     "Declarations>\n\n<\"p\">\n\n\x82\xa0<#e9><#0221>\n");
    ASSERT_EQ(convertFile(options, collector, host).code, result::Success);
    EXPECT_EQ(host.results,
              std::vector<std::string>{"This document contains Japanese Interleaf ASCII."});
    EXPECT_EQ(
        readFile(options.orgDirectory + "j.TXT"),
        "<qmx \"I2.00\">\r\n<language \"Japanese (Shift-JIS)\">\r\n<quotes \"As tags\">\r\n"
        "<readonly \"Don't translate\">\r\n<page \"\">\r\n<ps \"p\" 1>\x82\xa0<:r233>\x81\x40\r\n"
        "</page>\r\n</qmx>\r\n");
}

TEST_F(ForwardGoldenTest, CancelDuringTheParseRemovesTheOrgCopy) {
    std::string body;
    for (int i = 0; i < 200; ++i)
        body += "<\"p\">\n\nParagraph " + std::to_string(i) + "\n\n";
    prepare("long.DOC", document("", body));
    // The first step is the driver's, the next ones the parse's.
    host.cancelAfterSteps = 3;
    EXPECT_EQ(convertFile(options, collector, host).code, result::Cancelled);
    EXPECT_TRUE(listFolder(options.orgDirectory).empty());
    EXPECT_TRUE(listFolder(options.translatedDirectory).empty());
    EXPECT_EQ(host.steps, 10);
}

TEST_F(ForwardGoldenTest, EveryFileMovesTheBarByTenAndTheParseByFive) {
    std::string body;
    for (int i = 0; i < 50; ++i)
        body += "<\"p\">\n\nParagraph " + std::to_string(i) + "\n\n";
    prepare("long.DOC", document("", body));
    struct CountingHost : ResultsHost {
        int fileSteps = 0;
        void progressStep(bool skipFile, bool) override {
            ++steps;
            fileSteps += skipFile ? 0 : 1;
        }
    } counting;
    ASSERT_EQ(convertFile(options, collector, counting).code, result::Success);
    EXPECT_EQ(counting.steps, 10);
    // One step before the parse, five during it, two for the body, one at the end.
    EXPECT_EQ(counting.fileSteps, 9);
}
