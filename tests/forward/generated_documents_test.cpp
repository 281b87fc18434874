// Generated documents through the Interleaf parser and the forward
// conversion: every document the generator writes parses and converts, and
// its ORG copy keeps the source's lines, and its QMX file verifies against
// itself without a finding. Also
// the generator's own promises (same seed same bytes, exact size, every
// construct present, refused constructs only when asked, body mixes, sizes
// as the command line takes them), since the benchmarks and fuzz seeds rely
// on them.
#include "conversion/result_code.h"
#include "document_generator.h"
#include "forward/forward_converter.h"
#include "parser/interleaf/interleaf_diagnostics.h"
#include "support/file_contents.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "verifier/verifier.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace quillex;
using namespace quillex::docgen;
using quillex::testing::listFolder;
using quillex::testing::readFile;
using quillex::testing::TempDir;

namespace {

using QuietHost = quillex::testing::RecordingHost;

// The lines of a text as the ORG copy should hold them: CR LF and LF both end
// a line, every line ends with LF.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t lf = text.find('\n', start);
        if (lf == std::string::npos)
            lf = text.size();
        std::size_t end = lf;
        if (end > start && text[end - 1] == '\r' && lf < text.size())
            --end;
        lines.push_back(text.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

class GeneratedDocumentsTest : public ::testing::Test {
  protected:
    GeneratedDocumentsTest() {
        options.fileFormatForQmx = QmxFileFormat::Text;
        options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
        options.sourceDirectory = work.subfolder("source");
        options.orgDirectory = work.subfolder("org");
        options.translatedDirectory = work.subfolder("translated");
    }

    // Converts the generated text under `name`; returns the result code.
    int convert(const std::string& name, const std::string& text, bool japanese) {
        options.inputPath = work.write("source/" + name, text);
        options.baseName = name.substr(0, name.find('.'));
        options.extension = name.substr(name.find('.'));
        lookupLanguage(japanese ? "Japanese (Shift-JIS)" : "English (US)", LanguageRole::Source,
                       options.sourceLanguage);
        QuietHost host;
        AncillaryCollector collector;
        const int code = convertFile(options, collector, host).code;
        EXPECT_EQ(host.batchSteps, 10) << name;
        return code;
    }

    TempDir work;
    ConversionOptions options;
};

GeneratorOptions generated(std::uint64_t seed, std::uint64_t size, DocumentKind kind,
                           bool japanese = false, bool crlf = false) {
    GeneratorOptions options;
    options.seed = seed;
    options.size = size;
    options.kind = kind;
    options.japanese = japanese;
    options.crlf = crlf;
    return options;
}

} // namespace

TEST_F(GeneratedDocumentsTest, EveryGeneratedFileConvertsAndItsOrgCopyKeepsTheLines) {
    for (std::uint64_t seed = 1; seed <= 8; ++seed) {
        const bool style = seed % 2 == 0;
        const bool japanese = seed % 3 == 0;
        const bool crlf = seed % 4 == 1;
        const std::uint64_t size = seed <= 4 ? 20 * 1024 : 2 * 1024;
        const std::string text = generateDocumentText(generated(
            seed, size, style ? DocumentKind::Style : DocumentKind::Document, japanese, crlf));
        const std::string base = "gen" + std::to_string(seed);
        const std::string name = base + (style ? ".STY" : ".DOC");
        SCOPED_TRACE(name);

        std::ostringstream listing;
        ASSERT_EQ(writeInterleafDiagnostics(work.write(name, text), listing, 0, 1252), 0)
            << listing.str().substr(listing.str().size() -
                                    std::min<std::size_t>(2000, listing.str().size()));
        ASSERT_EQ(convert(name, text, japanese), result::Success);
        const std::string orgCopy = options.orgDirectory + base + (style ? ".STY" : ".ORG");
        EXPECT_EQ(linesOf(readFile(orgCopy)), linesOf(text));
        EXPECT_EQ(readFile(orgCopy).find('\r'), std::string::npos);
        EXPECT_EQ(listFolder(options.translatedDirectory).size(), static_cast<std::size_t>(seed));

        // An untouched translation passes the verifier: whatever the
        // conversion writes is QMX the verifier knows. (Style files give a
        // catalog only.)
        if (style)
            continue;
        const std::string translated = base + ".TXT";
        ConversionOptions check = options;
        check.inputPath =
            work.write("check/" + translated, readFile(options.translatedDirectory + translated));
        check.orgDirectory = options.translatedDirectory;
        check.extension = ".TXT";
        // An untouched translation is in the source's language.
        check.targetLanguage = check.sourceLanguage;
        QuietHost host;
        VerificationCounts counts;
        EXPECT_EQ(verifyFile(check, host, counts).code, result::VerificationComplete);
        EXPECT_FALSE(counts.any()) << counts.errors << " errors, " << counts.alerts << " alerts";
    }
}

TEST_F(GeneratedDocumentsTest, RefusedConstructsGiveTheirResultAndLeaveNothing) {
    const struct {
        Refused kind;
        int code;
    } cases[] = {
        {Refused::RevisionTracking, result::RevisionTracking},
        {Refused::SplitDocument, result::SplitDocument},
        {Refused::APageAttribute, result::SplitDocument},
        {Refused::ClassDefaults, result::ClassDefaults},
        {Refused::ManualComment, result::ManualComment},
        {Refused::IncludeDeclarations, result::IncludeDeclarations},
        {Refused::Include, result::Include},
        {Refused::NotShiftJis, result::JapaneseNotShiftJis},
        {Refused::WrongVersion, result::WrongVersion},
    };
    for (const DocumentKind kind : {DocumentKind::Document, DocumentKind::Style}) {
        for (const auto& refusal : cases) {
            GeneratorOptions generatorOptions = generated(5, 20 * 1024, kind);
            generatorOptions.refused.insert(refusal.kind);
            const std::string name = kind == DocumentKind::Style ? "refused.STY" : "refused.DOC";
            EXPECT_EQ(convert(name, generateDocumentText(generatorOptions), false), refusal.code)
                << name << " " << refusal.code;
            EXPECT_TRUE(listFolder(options.orgDirectory).empty());
            EXPECT_TRUE(listFolder(options.translatedDirectory).empty());
        }
    }
}

// The body mixes the benchmarks measure apart: each converts, running text
// has no table or frame in its body, and the rich mix has more of both than
// the default one.
TEST_F(GeneratedDocumentsTest, BodyMixesConvertAndKeepToTheirConstructs) {
    const auto countInBody = [](const std::string& text, std::string_view construct) {
        int count = 0;
        for (std::size_t at = text.find(construct, text.find("<!End Declarations>"));
             at != std::string::npos; at = text.find(construct, at + 1))
            ++count;
        return count;
    };
    std::map<BodyMix, int> frames, tables;
    for (const BodyMix mix : {BodyMix::Mixed, BodyMix::RunningText, BodyMix::TablesAndFrames}) {
        GeneratorOptions generatorOptions = generated(4, 300 * 1024, DocumentKind::Document);
        generatorOptions.mix = mix;
        const std::string text = generateDocumentText(generatorOptions);
        EXPECT_EQ(text.size(), generatorOptions.size);
        EXPECT_EQ(convert("mix.DOC", text, false), result::Success);
        frames[mix] = countInBody(text, "<Frame,");
        tables[mix] = countInBody(text, "<Table,");
    }
    EXPECT_EQ(frames[BodyMix::RunningText], 0);
    EXPECT_EQ(tables[BodyMix::RunningText], 0);
    EXPECT_GT(tables[BodyMix::Mixed], 0);
    EXPECT_GT(frames[BodyMix::TablesAndFrames], frames[BodyMix::Mixed]);
    EXPECT_GT(tables[BodyMix::TablesAndFrames], tables[BodyMix::Mixed]);
}

TEST(DocumentGeneratorTest, TheSameOptionsGiveTheSameBytesAndSeedsDiffer) {
    const GeneratorOptions options = generated(42, 64 * 1024, DocumentKind::Document, true);
    const std::string first = generateDocumentText(options);
    EXPECT_EQ(generateDocumentText(options), first);
    EXPECT_NE(generateDocumentText(generated(43, 64 * 1024, DocumentKind::Document, true)), first);
}

TEST(DocumentGeneratorTest, DocumentsHaveExactlyTheSizeAsked) {
    for (const std::uint64_t size : {1024u, 5000u, 16u * 1024, 100u * 1024}) {
        for (const bool crlf : {false, true}) {
            for (const DocumentKind kind : {DocumentKind::Document, DocumentKind::Style}) {
                const std::string text =
                    generateDocumentText(generated(size, size, kind, false, crlf));
                EXPECT_EQ(text.size(), size) << size << (crlf ? " crlf" : "");
                EXPECT_TRUE(text.starts_with("<!OPS, Version = 8."));
            }
        }
    }
    // Below the smallest document the whole small document is written, and
    // its body is never empty.
    const std::string tiny = generateDocumentText(generated(1, 1, DocumentKind::Document));
    EXPECT_GT(tiny.size(), tiny.find("<!End Declarations>") + 25);
}

// A size is a number and one of the known suffixes; anything else, or a size
// past 64 bits, is refused rather than read as some other size.
TEST(DocumentGeneratorTest, SizesTakeTheirSuffixesAndRefuseTheRest) {
    EXPECT_EQ(parseSize("700"), 700u);
    EXPECT_EQ(parseSize("64K"), 64u * 1024);
    EXPECT_EQ(parseSize("2MB"), 2u * 1024 * 1024);
    EXPECT_EQ(parseSize("1G"), 1024u * 1024 * 1024);
    for (const char* bad : {"", "K", "-1", " 5", "5Q", "5 K", "17179869184G"})
        EXPECT_EQ(parseSize(bad), std::nullopt) << bad;
}

TEST(DocumentGeneratorTest, ALargeDocumentHoldsEveryConstruct) {
    const std::string text =
        generateDocumentText(generated(9, 600 * 1024, DocumentKind::Document, true));
    for (const char* construct : {"Character Encoding = SJIS",
                                  "<!Document,",
                                  "<!Font Definitions,",
                                  "<!Color Definitions,",
                                  "<!Color Name,",
                                  "<!Color Tint,",
                                  "<!Pattern Definitions,",
                                  "<!Page,",
                                  "<!Page Number Stream,",
                                  "<!Autonumber Stream,",
                                  "Level 1 Prefix",
                                  "<!Class, \"",
                                  "Read Only =\t\tyes",
                                  "Contents =\tShared",
                                  "Contents =\tPrefix Shared",
                                  "Contents =\t\tPrefix",
                                  "@Audience",
                                  "<!Master Frame,",
                                  "<!Master Diagramming Object,",
                                  "<!Master Table,",
                                  "<Master Row,",
                                  "<Page Header,",
                                  "<Page Footer,",
                                  "<First Page Header,",
                                  "<First Page Footer,",
                                  "<Right Page Header,",
                                  "<Right Page Footer,",
                                  "<Left Page Header,",
                                  "<Left Page Footer,",
                                  "<!End Declarations>",
                                  "Subcomponent = yes",
                                  "<End Sub>",
                                  "<\"|:list\"",
                                  "<F0>",
                                  "<#1e>",
                                  "<#0",
                                  "\x1b$B",
                                  "<|,",
                                  "<<",
                                  "<HR>",
                                  "<Tab.>",
                                  "<Table,",
                                  "Hidden =\t\tyes>",
                                  "Read Only = yes>",
                                  "<Row,",
                                  "<Cell>",
                                  "<End Table>",
                                  "<Frame,",
                                  "Numbered =",
                                  "Shared Contents = yes",
                                  "Diagram =\nV11,",
                                  "(g9,1,",
                                  "(t14,",
                                  "(c5,",
                                  "(cD,",
                                  "(T12,",
                                  "<End Text>)",
                                  "(N5,",
                                  ", @\"Platform\" =",
                                  "(m3,",
                                  "(C4,",
                                  "(O5,",
                                  "(D0,2,0)",
                                  "(p8,",
                                  "<Autonum,",
                                  "<Ref,",
                                  "Page Value =",
                                  "<Index,",
                                  "variable-tag \"\"",
                                  "var-suffix \"\"",
                                  "<Comment>"}) {
        EXPECT_NE(text.find(construct), std::string::npos) << construct;
    }
}

TEST(DocumentGeneratorTest, RefusedConstructsAppearOnlyWhenAsked) {
    const struct {
        Refused kind;
        const char* text;
    } cases[] = {
        {Refused::RevisionTracking, "<!Revision Tracking,"},
        {Refused::SplitDocument, "<!APage,"},
        {Refused::APageAttribute, "A-Page,"},
        {Refused::ClassDefaults, "<!Class Defaults,"},
        {Refused::ManualComment, "<!Comment,"},
        {Refused::IncludeDeclarations, "<!Include Declarations,"},
        {Refused::Include, "<!Include,"},
        {Refused::NotShiftJis, "Character Encoding = EUC"},
        {Refused::WrongVersion, "<!OPS, Version = 8.4>"},
    };
    TempDir work;
    for (const DocumentKind kind : {DocumentKind::Document, DocumentKind::Style}) {
        const std::string plain = generateDocumentText(generated(3, 200 * 1024, kind));
        for (const auto& refusal : cases) {
            EXPECT_EQ(plain.find(refusal.text), std::string::npos) << refusal.text;
            GeneratorOptions options = generated(3, 40 * 1024, kind);
            options.refused.insert(refusal.kind);
            const std::string text = generateDocumentText(options);
            EXPECT_NE(text.find(refusal.text), std::string::npos) << refusal.text;
            // Refused files are still well formed: refusing them is the
            // converter's decision, not a syntax error.
            std::ostringstream listing;
            EXPECT_EQ(writeInterleafDiagnostics(work.write("refused.DOC", text), listing, 0, 1252),
                      0)
                << refusal.text;
        }
    }
    GeneratorOptions longIndex = generated(3, 40 * 1024, DocumentKind::Document);
    longIndex.refused.insert(Refused::LongIndexMarker);
    const std::string text = generateDocumentText(longIndex);
    const std::size_t marker = text.find("<Index, \"", text.find("<!End Declarations>"));
    bool foundLong = false;
    for (std::size_t at = marker; at != std::string::npos; at = text.find("<Index, \"", at + 1))
        foundLong = foundLong || text.find('"', at + 9) - (at + 9) > 250;
    EXPECT_TRUE(foundLong);
}
