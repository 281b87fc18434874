// The Interleaf parser over whole documents: acceptance of the corpus and of
// samples that use every production, what the reduce callback receives, and
// syntax errors with their expected-token texts.
#include "conversion/result_code.h"
#include "interleaf_test_support.h"
#include "parser/interleaf/interleaf_diagnostics.h"
#include "parser/interleaf/interleaf_parser.h"
#include "parser/interleaf/interleaf_tokens.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

using namespace quillex;
using namespace quillex::ileaf;
using quillex::testing::interleafSample;
using quillex::testing::RecordingHost;
using quillex::testing::TempDir;

namespace {

// Records each reduction, with the texts of its right-hand side, and keeps
// the default element.
class RecordingParser : public InterleafParser {
  public:
    using InterleafParser::InterleafParser;

    std::vector<Production> productions;
    std::map<Production, std::vector<std::string>> firstRightSides;
    std::map<Production, SourceSpan> firstSpans;

    bool reduce(std::uint32_t number, std::uint32_t size, SSYaccStackElement& left) override {
        const auto production = static_cast<Production>(number);
        productions.push_back(production);
        if (!firstRightSides.count(production)) {
            std::vector<std::string> texts;
            for (std::uint32_t i = 0; i < size; ++i)
                texts.push_back(spanOf(*elementFromProduction(static_cast<std::int32_t>(i))).text);
            firstRightSides[production] = texts;
        }
        const bool goOn = InterleafParser::reduce(number, size, left);
        if (!firstSpans.count(production))
            firstSpans[production] = spanOf(left);
        return goOn;
    }
};

const std::string kHeader = "<!OPS, Version = 8.0>\n";

} // namespace

TEST(InterleafParser, CorpusDocumentsParse) {
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(QUILLEX_CORPUS) / "as-8.0")) {
        SCOPED_TRACE(entry.path().filename().string());
        RecordingHost host;
        InterleafParser parser(entry.path().string(), &host, 1);
        EXPECT_EQ(parser.parse(), 0);
        EXPECT_EQ(parser.errorCode(), 0);
        EXPECT_TRUE(host.results.empty()) << host.results.front();
        ++files;
    }
    EXPECT_EQ(files, 9);
}

TEST(InterleafParser, SampleDocumentsUseEveryProduction) {
    std::set<Production> used;
    for (const char* name : {"every_production.doc", "declarations_only.doc"}) {
        SCOPED_TRACE(name);
        RecordingHost host;
        RecordingParser parser(interleafSample(name), &host, 1);
        EXPECT_EQ(parser.parse(), 0);
        EXPECT_TRUE(host.results.empty()) << host.results.front();
        used.insert(parser.productions.begin(), parser.productions.end());
    }
    for (std::uint32_t p = 1; p < kProductionCount; ++p)
        EXPECT_TRUE(used.count(static_cast<Production>(p))) << "production " << p;
    EXPECT_FALSE(used.count(Production::Goal));
}

TEST(InterleafParser, ReduceSeesTheLexemesOfTheRightHandSide) {
    TempDir folder;
    const std::string file =
        folder.write("input.DOC", kHeader + "<!Class, \"para\", Top = \"a\"\"b\">\n<F0>text\n");
    RecordingParser parser(file);
    ASSERT_EQ(parser.parse(), 0);
    using Texts = std::vector<std::string>;
    EXPECT_EQ(parser.firstRightSides[Production::OpsHeaderStart],
              (Texts{"<!OPS,", " Version = ", "8", ".", "0"}));
    EXPECT_EQ(parser.firstRightSides[Production::ClassStart], (Texts{"<!Class, \"", "para", "\""}));
    EXPECT_EQ(parser.firstRightSides[Production::TagDoubleQuotedValue],
              (Texts{"<!Class, \"para\", Top = ", "\"", "a\"\"b", "\""}));
    EXPECT_EQ(parser.firstRightSides[Production::ItemWithLayout],
              (Texts{"<!OPS, Version = 8.0>", "\n"}));
}

TEST(InterleafParser, DefaultReductionSpansTheSourceText) {
    const std::string body = "<F0>two\nlines<\"p\">";
    TempDir folder;
    const std::string file = folder.write("input.DOC", kHeader + body);
    RecordingParser parser(file);
    ASSERT_EQ(parser.parse(), 0);
    // The whole document: every byte, first line to just past the last byte.
    const SourceSpan& document = parser.firstSpans.at(Production::DocumentWithoutBody);
    EXPECT_EQ(document.text, kHeader + body);
    EXPECT_EQ(document.startLine, 1u);
    EXPECT_EQ(document.startColumn, 1u);
    EXPECT_EQ(document.endLine, 3u);
    EXPECT_EQ(document.endColumn, 11u);
    // A tag: "<F0>" on line 2.
    const SourceSpan& tag = parser.firstSpans.at(Production::Tag);
    EXPECT_EQ(tag.text, "<F0>");
    EXPECT_EQ(tag.startLine, 2u);
    EXPECT_EQ(tag.endColumn, 5u);
}

// Joining spans: a long text that follows a short one takes it in front in
// its own buffer, and a text that grows large takes the room it is given at
// once; neither changes the text or the positions.
TEST(SourceSpan, JoinsKeepTextAndPositionsWhicheverBufferIsKept) {
    const auto span = [](std::string text, std::uint32_t line, std::uint32_t column,
                         std::uint32_t endLine, std::uint32_t endColumn) {
        return SourceSpan{std::move(text), line, column, endLine, endColumn};
    };
    SourceSpan longTail = span(std::string(3000, 'b'), 2, 4, 3, 9);
    longTail.text.reserve(8000);
    const char* tailBuffer = longTail.text.data();
    SourceSpan joined = span("aa", 1, 1, 2, 4);
    joined.append(std::move(longTail));
    EXPECT_EQ(joined.text, "aa" + std::string(3000, 'b'));
    EXPECT_EQ(joined.text.data(), tailBuffer); // put in front, not copied behind
    EXPECT_EQ(std::tuple(joined.startLine, joined.startColumn, joined.endLine, joined.endColumn),
              std::tuple(1u, 1u, 3u, 9u));

    SourceSpan shortTail = span("cc", 3, 9, 3, 11);
    joined.append(std::move(shortTail), 4u << 20);
    EXPECT_EQ(joined.text, "aa" + std::string(3000, 'b') + "cc");
    EXPECT_EQ(joined.endColumn, 11u);

    SourceSpan large = span(std::string((1u << 20) - 1, 'x'), 1, 1, 1, 1u << 20);
    const SSRefPtr<SSLexLexeme> word = SSLexLexeme::create("yz\nw", 4, 1, 1u << 20);
    large.appendLexeme(*word, 6u << 20);
    EXPECT_GE(large.text.capacity(), 6u << 20);
    EXPECT_EQ(large.text.substr(large.text.size() - 5), "xyz\nw");
    EXPECT_EQ(std::tuple(large.endLine, large.endColumn), std::tuple(2u, 2u));
    // Lexemes without a line (the end of input) add nothing.
    const SSRefPtr<SSLexLexeme> eof = SSLexLexeme::create("eof", -1, 0xFFFFFFFF, 0xFFFFFFFF);
    large.appendLexeme(*eof);
    EXPECT_EQ(large.text.size(), (1u << 20) + 3);
}

TEST(InterleafParser, HeaderWithoutBlankIsASyntaxError) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", "<!OPS,Version = 8.0>\n");
    RecordingHost host;
    InterleafParser parser(file, &host, 1);
    EXPECT_NE(parser.parse(), 0);
    EXPECT_EQ(parser.errorCode(), 6);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_EQ(host.results[0], "Unexpected text: Version Expected VERSION.");
}

TEST(InterleafParser, SyntaxErrorWithoutDebugIsSilent) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", "<!OPS,Version = 8.0>\n");
    RecordingHost host;
    InterleafParser parser(file, &host, 0);
    EXPECT_NE(parser.parse(), 0);
    EXPECT_EQ(parser.errorCode(), 6);
    EXPECT_TRUE(host.results.empty());
}

TEST(InterleafParser, ExpectedTextOfTwoTokensAtEndOfInput) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", kHeader + "<F0 Top = \"");
    RecordingHost host;
    InterleafParser parser(file, &host, 1);
    EXPECT_NE(parser.parse(), 0);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_EQ(host.results[0], "Unexpected text: eof Expected DQUOTED_TEXT, or END_DQUOTE.");
}

TEST(InterleafParser, ExpectedTokenTextJoinsNamesAndSkipsTheErrorToken) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", "x");
    InterleafLexer lexer(file);
    using Tokens = std::vector<std::int32_t>;
    EXPECT_EQ(expectedTokenText(Tokens{}, lexer), "");
    EXPECT_EQ(expectedTokenText(Tokens{VERSION}, lexer), "Expected VERSION");
    EXPECT_EQ(expectedTokenText(Tokens{TEXT, LESS_THAN, GREATER_THAN}, lexer),
              "Expected TEXT, LESS_THAN, or GREATER_THAN");
    EXPECT_EQ(expectedTokenText(Tokens{ERROR_TOKEN, TEXT, EOF_TOKEN}, lexer),
              "Expected TEXT, or eof");
    // ", or" goes with the last position of the list, even when that is the
    // skipped error token.
    EXPECT_EQ(expectedTokenText(Tokens{TEXT, COMMA, ERROR_TOKEN}, lexer), "Expected TEXT, ,");
}

TEST(InterleafParser, EmptyFieldDataEndsInASyntaxError) {
    TempDir folder;
    const std::string file =
        folder.write("input.DOC", kHeader + "<Frame, Diagram = V11, (t1,(x)>\n");
    RecordingHost host;
    InterleafParser parser(file, &host, 1);
    EXPECT_NE(parser.parse(), 0);
    EXPECT_EQ(parser.errorCode(), 6);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_EQ(host.results[0].rfind("Unexpected text:  Expected ", 0), 0u) << host.results[0];
}

TEST(InterleafParser, UnexpectedCharacterLeavesParseAsInteger) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", kHeader + "<F0 'x'>");
    InterleafParser parser(file);
    try {
        parser.parse();
        FAIL() << "no error raised";
    } catch (const ConversionFailure& failure) {
        EXPECT_EQ(failure.code(), 6);
    }
}

TEST(InterleafParser, MissingFileRaisesTheEngineError) {
    try {
        InterleafParser parser("/nonexistent/quillex.DOC");
        FAIL() << "no error raised";
    } catch (const SSException& e) {
        EXPECT_EQ(e.id(), 1);
    }
}

TEST(InterleafDiagnostics, ListsLexemesAndTheOutcome) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", kHeader + "<F0>a\tb\x01");
    std::ostringstream out;
    EXPECT_EQ(writeInterleafDiagnostics(file, out, 1, 1252), 0);
    const std::string text = out.str();
    EXPECT_NE(text.find(describeLexeme("VERSION", 1, 7, " Version = ")), std::string::npos);
    EXPECT_NE(text.find("JUNK                             1:22 \"\\n\"\n"), std::string::npos);
    EXPECT_NE(text.find("TEXT                             2:5 \"a\"\n"), std::string::npos);
    EXPECT_NE(text.find("\"\\t\""), std::string::npos);
    EXPECT_NE(text.find("\"b\\x01\""), std::string::npos);
    EXPECT_NE(text.find("Accepted\n"), std::string::npos);
}

TEST(InterleafDiagnostics, ReportsSyntaxErrorsAndMissingFiles) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", "<!OPS,Version = 8.0>\n");
    std::ostringstream out;
    EXPECT_EQ(writeInterleafDiagnostics(file, out, 1, 1252), 6);
    EXPECT_NE(out.str().find("Unexpected text: Version Expected VERSION."), std::string::npos);
    EXPECT_NE(out.str().find("Refused, error code 6"), std::string::npos);
    std::ostringstream missing;
    EXPECT_EQ(writeInterleafDiagnostics("/nonexistent/quillex.DOC", missing, 0, 1252), 4);
}
