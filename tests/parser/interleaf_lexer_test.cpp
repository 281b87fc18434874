// The Interleaf lexer over real files: lexemes with their exact text, line and
// offset, the list each leaves current, token names, and unexpected characters.
#include "conversion/result_code.h"
#include "interleaf_test_support.h"
#include "lexer_definition.h"
#include "parser/interleaf/interleaf_lexer.h"
#include "parser/interleaf/interleaf_table_images.h"
#include "parser/interleaf/interleaf_tokens.h"
#include "parser/resource_registry.h"
#include "parser/ss_lex_buffer_consumer.h"
#include "parser/ss_lex_string_consumer.h"
#include "parser/ss_yacc_table.h"
#include "parser/text_position.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

using namespace quillex;
using namespace quillex::ileaf;
using quillex::testing::RecordingHost;
using quillex::testing::TempDir;

namespace {

struct Lexeme {
    std::int32_t token;
    std::string text;
    std::uint32_t line;
    std::uint32_t offset;
    int list; // the expression list current after the lexeme
    bool operator==(const Lexeme&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Lexeme& l) {
    return out << tokenName(l.token) << " \"" << l.text << "\" " << l.line << ':' << l.offset
               << " list " << l.list;
}

int currentList(InterleafLexer& lexer) {
    for (std::uint32_t i = 0; i < lexer.table()->expressionLists(); ++i)
        if (lexer.isCurrentExpressionList(i))
            return static_cast<int>(i);
    return -1;
}

// Scans `input` from expression list `list` (0: as a file starts).
std::vector<Lexeme> scan(const std::string& input, int list = 0, std::size_t limit = 1000) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", input);
    InterleafLexer lexer(file);
    if (list != 0)
        lexer.pushExpressionList(lexer.table()->expressionList(list));
    std::vector<Lexeme> out;
    while (out.size() < limit) {
        SSRefPtr<SSLexLexeme> l = ++lexer;
        if (!l)
            break;
        out.push_back(
            {l->token(), std::string(l->text()), l->line(), l->offset(), currentList(lexer)});
    }
    return out;
}

void expectLexemes(const std::vector<Lexeme>& actual, const std::vector<Lexeme>& expected) {
    ASSERT_EQ(actual.size(), expected.size()) << ::testing::PrintToString(actual);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "lexeme " << i;
}

} // namespace

TEST(InterleafLexer, HeaderSwitchesToTheDocumentBody) {
    expectLexemes(scan("<!OPS, Version = 8.0>\n"), {
                                                       {OPS_START, "<!OPS,", 1, 1, 4},
                                                       {VERSION, " Version = ", 1, 7, 4},
                                                       {INTEGER, "8", 1, 18, 4},
                                                       {PERIOD, ".", 1, 19, 4},
                                                       {INTEGER, "0", 1, 20, 4},
                                                       {OPS_END, ">", 1, 21, 1},
                                                       {JUNK, "\n", 1, 22, 1},
                                                   });
}

TEST(InterleafLexer, HeaderWithoutBlankLexesVersionAsWord) {
    const auto lexemes = scan("<!OPS,Version = 8.0>", 0, 2);
    ASSERT_EQ(lexemes.size(), 2u);
    EXPECT_EQ(lexemes[1], (Lexeme{WORD, "Version", 1, 7, 4}));
}

TEST(InterleafLexer, FileWithoutHeaderGivesIncorrectFileCharacters) {
    expectLexemes(scan("<!OPX"), {{INCORRECT_FILE, "<", 1, 1, 0},
                                  {INCORRECT_FILE, "!", 1, 2, 0},
                                  {INCORRECT_FILE, "O", 1, 3, 0},
                                  {INCORRECT_FILE, "P", 1, 4, 0},
                                  {INCORRECT_FILE, "X", 1, 5, 0}});
}

TEST(InterleafLexer, TagsQuotedValuesAndNestedTags) {
    const std::string input = "<!OPS, Version = 8.0>\n"
                              "<\"para\", Top = '<F0>'>Hi \"there\"\n"
                              "<F0>x";
    const auto lexemes = scan(input);
    ASSERT_EQ(lexemes.size(), 28u);
    expectLexemes(std::vector<Lexeme>(lexemes.begin() + 7, lexemes.end()),
                  {
                      {COMPONENT_START, "<\"", 2, 1, 6},
                      {DQUOTED_TEXT, "para", 2, 3, 6},
                      {END_DQUOTE, "\"", 2, 7, 5},
                      {JUNK, ",", 2, 8, 5},
                      {JUNK, " ", 2, 9, 5},
                      {WORD, "Top", 2, 10, 5},
                      {JUNK, " ", 2, 13, 5},
                      {JUNK, "=", 2, 14, 5},
                      {JUNK, " ", 2, 15, 5},
                      {START_SQUOTE, "'", 2, 16, 3},
                      {TAG_START, "<", 2, 17, 5},
                      {WORD, "F0", 2, 18, 5},
                      {TAG_END, ">", 2, 20, 3},
                      {END_SQUOTE, "'", 2, 21, 5},
                      {TAG_END, ">", 2, 22, 1},
                      {TEXT, "Hi \"there\"", 2, 23, 1},
                      {JUNK, "\n", 2, 33, 1},
                      {TAG_START, "<", 3, 1, 5},
                      {WORD, "F0", 3, 2, 5},
                      {TAG_END, ">", 3, 4, 1},
                      {TEXT, "x", 3, 5, 1},
                  });
}

TEST(InterleafLexer, FrameWithDiagramGroupAndTextString) {
    const std::string input = "<Frame, Name = \"f\", Diagram = V11,\n"
                              "(g1,a,,\n"
                              "(t2, x,)\n"
                              ")>";
    expectLexemes(scan(input, 1), {
                                      {FRAME_START, "<Frame,", 1, 1, 7},
                                      {JUNK, " ", 1, 8, 7},
                                      {FRAME_NAME, "Name = ", 1, 9, 7},
                                      {START_DQUOTE, "\"", 1, 16, 2},
                                      {DQUOTED_TEXT, "f", 1, 17, 2},
                                      {END_DQUOTE, "\"", 1, 18, 7},
                                      {JUNK, ",", 1, 19, 7},
                                      {JUNK, " ", 1, 20, 7},
                                      {DIAGRAM_START, "Diagram = V11,", 1, 21, 10},
                                      {JUNK, "\n", 1, 35, 10},
                                      {GROUP_START, "(g1", 2, 1, 12},
                                      {COMMA, ",", 2, 4, 12},
                                      {DIAGRAM_DATA, "a", 2, 5, 12},
                                      {COMMA, ",", 2, 6, 12},
                                      {COMMA, ",", 2, 7, 12},
                                      {TEXT_STRING_START, "(t2", 3, 1, 17},
                                      {COMMA, ",", 3, 4, 17},
                                      {DIAGRAM_DATA, " x", 3, 5, 17},
                                      {COMMA, ",", 3, 7, 17},
                                      {TEXT_STRING_END, ")", 3, 8, 12},
                                      {GROUP_END, ")", 4, 1, 10},
                                      {FRAME_END, ">", 4, 2, 1},
                                  });
}

TEST(InterleafLexer, DiagramObjectsAndSkippedBlocks) {
    const std::string input = "(E1 a\\)b(c)(m2)(C3)\n"
                              "(O4 (a(b)\\)) x)\n"
                              "(V5 (g6,,,) x)(D7 junk (D0,2,00)\n"
                              "(c8,a,(cD,lbl,x)(q)\n"
                              ")\n"
                              "(T9,a,<F0>b<End Text>)\n"
                              "(N1,x, @\"k\" = \"v\",y)";
    expectLexemes(scan(input, 12), {
                                       {GRAPHIC_OBJECT_START, "(E1", 1, 1, 18},
                                       {GRAPHIC_OBJECT_END, ")", 1, 11, 12},
                                       {EQUATION_START, "(m2", 1, 12, 18},
                                       {GRAPHIC_OBJECT_END, ")", 1, 15, 12},
                                       {OUTLINE_OBJECT_START, "(C3", 1, 16, 18},
                                       {GRAPHIC_OBJECT_END, ")", 1, 19, 12},
                                       {OLD_STYLE_OUTLINE_OBJECT_START, "(O4", 2, 1, 15},
                                       {OLD_STYLE_OUTLINE_OBJECT_END, ")", 2, 15, 12},
                                       {GROUP_START, "(g6", 3, 5, 12},
                                       {COMMA, ",", 3, 8, 12},
                                       {COMMA, ",", 3, 9, 12},
                                       {COMMA, ",", 3, 10, 12},
                                       {GROUP_END, ")", 3, 11, 11},
                                       {CHART_START, "(c8", 4, 1, 19},
                                       {COMMA, ",", 4, 4, 19},
                                       {DIAGRAM_DATA, "a", 4, 5, 19},
                                       {COMMA, ",", 4, 6, 19},
                                       {CHART_LABEL_START, "(cD,", 4, 7, 20},
                                       {DIAGRAM_DATA, "lbl", 4, 11, 20},
                                       {CHART_LABEL_END, ",x)", 4, 14, 19},
                                       {CHART_END, ")", 5, 1, 12},
                                       {MICRO_DOCUMENT_START, "(T9", 6, 1, 21},
                                       {COMMA, ",", 6, 4, 21},
                                       {DIAGRAM_DATA, "a", 6, 5, 21},
                                       {COMMA, ",", 6, 6, 21},
                                       {TAG_START, "<", 6, 7, 22},
                                       {WORD, "F0", 6, 8, 22},
                                       {TAG_END, ">", 6, 10, 23},
                                       {TEXT, "b", 6, 11, 23},
                                       {END_TEXT, "<End Text>", 6, 12, 21},
                                       {MICRO_DOCUMENT_END, ")\n", 6, 22, 12},
                                       {NAMED_OBJECT_START, "(N1", 7, 1, 13},
                                       {COMMA, ",", 7, 4, 13},
                                       {DIAGRAM_DATA, "x", 7, 5, 13},
                                       {COMMA, ",", 7, 18, 13},
                                       {DIAGRAM_DATA, "y", 7, 19, 13},
                                       {NAMED_OBJECT_END, ")", 7, 20, 12},
                                   });
}

TEST(InterleafLexer, HeaderFooterSkipsToItsDiagram) {
    expectLexemes(scan("<Page Header, junk V11, (g1,,,)\n>x", 1),
                  {
                      {PAGE_HEADER_START, "<Page Header,", 1, 1, 8},
                      {JUNK, " ", 1, 24, 9},
                      {GROUP_START, "(g1", 1, 25, 12},
                      {COMMA, ",", 1, 28, 12},
                      {COMMA, ",", 1, 29, 12},
                      {COMMA, ",", 1, 30, 12},
                      {GROUP_END, ")", 1, 31, 9},
                      {JUNK, "\n", 1, 32, 9},
                      {FRAME_END, ">", 2, 1, 1},
                      {TEXT, "x", 2, 2, 1},
                  });
}

TEST(InterleafLexer, KeywordsNeedTheirWholeText) {
    // Without a blank after it, the end of the declarations is a plain tag.
    auto lexemes = scan("<!End Declarations>x", 1, 1);
    EXPECT_EQ(lexemes.at(0), (Lexeme{TAG_START, "<", 1, 1, 5}));
    lexemes = scan("<!End Declarations>\n\nx", 1);
    EXPECT_EQ(lexemes.at(0), (Lexeme{END_DECLARATIONS, "<!End Declarations>\n\n", 1, 1, 1}));
    EXPECT_EQ(lexemes.at(1), (Lexeme{TEXT, "x", 3, 1, 1}));
    lexemes = scan("<Comment><Comment, a>", 1, 2);
    EXPECT_EQ(lexemes.at(0), (Lexeme{TAG, "<Comment>", 1, 1, 1}));
    EXPECT_EQ(lexemes.at(1), (Lexeme{MANUAL_COMMENT_START, "<Comment", 1, 10, 5}));
    lexemes = scan("<!Class, \"x\"", 1, 1);
    EXPECT_EQ(lexemes.at(0), (Lexeme{CLASS_START, "<!Class, \"", 1, 1, 6}));
}

TEST(InterleafLexer, KanjiRunIsATextLexemeOfItsOwn) {
    expectLexemes(
        scan("ab\x1b$B<>\"\x1b(Bcd", 1),
        {{TEXT, "ab", 1, 1, 1}, {TEXT, "\x1b$B<>\"\x1b(B", 1, 3, 1}, {TEXT, "cd", 1, 12, 1}});
}

TEST(InterleafLexer, TextModeLineEnds) {
    // CR LF arrives as LF, a lone CR is an ordinary character, Ctrl-Z ends.
    expectLexemes(scan("a\r\nb\rc\x1A<F0>", 1),
                  {{TEXT, "a", 1, 1, 1}, {JUNK, "\n", 1, 2, 1}, {TEXT, "b\rc", 2, 1, 1}});
}

TEST(InterleafLexer, EmptyFieldDataDoesNotConsumeInput) {
    const auto lexemes = scan("(x", 17, 3);
    ASSERT_EQ(lexemes.size(), 3u);
    for (const Lexeme& l : lexemes)
        EXPECT_EQ(l, (Lexeme{DIAGRAM_DATA, "", 1, 1, 17}));
}

namespace {

// Scans `input` twice, as lexemes and as token records, and checks that both
// give the same tokens at the same places, and that where a record carries
// its end, counting its text's bytes from its start reaches the same place.
// Returns how many records carried their end, of `total`.
std::size_t checkTokenEnds(const std::string& input, std::uint32_t codePage, std::size_t& total) {
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    const SSDbcsInfo leadBytes(codePage);
    SSLexBufferConsumer lexemeInput(bytes);
    SSLexBufferConsumer tokenInput(bytes);
    lexemeInput.setDbcsInfo(leadBytes);
    tokenInput.setDbcsInfo(leadBytes);
    InterleafLexer lexemes(lexemeInput, nullptr, 1);
    InterleafLexer tokens(tokenInput, nullptr, 1);
    std::size_t ended = 0;
    total = 0;
    for (;;) {
        const SSRefPtr<SSLexLexeme> lexeme = ++lexemes;
        SSLexToken token;
        const bool more = tokens.nextToken(token);
        EXPECT_EQ(more, static_cast<bool>(lexeme)) << "token " << total;
        if (!more || !lexeme)
            return ended;
        ++total;
        SCOPED_TRACE("token " + std::to_string(total) + " at " + std::to_string(token.line) + ":" +
                     std::to_string(token.column));
        EXPECT_EQ(token.token, lexeme->token());
        EXPECT_EQ(token.text, lexeme->text());
        EXPECT_EQ(token.line, lexeme->line());
        EXPECT_EQ(token.column, lexeme->offset());
        if (token.endLine == 0)
            continue;
        ++ended;
        std::uint32_t line = token.line;
        std::uint32_t column = token.column;
        advancePosition(token.text, line, column);
        EXPECT_EQ(line, token.endLine);
        EXPECT_EQ(column, token.endColumn);
    }
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

// The parse takes a token's end from the scanner where that is where
// counting its text would reach: on real documents nearly always, and never
// after a double-byte character whose second byte is a line feed (the
// scanner reads it as one character on one line).
TEST(InterleafLexer, TokenEndsAreWhereCountingTheTextReaches) {
    std::size_t total = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(QUILLEX_CORPUS) / "as-8.0")) {
        SCOPED_TRACE(entry.path().filename().string());
        const std::size_t ended = checkTokenEnds(readFile(entry.path()), 1252, total);
        EXPECT_GT(ended, total * 9 / 10);
    }
    const std::string header = "<!OPS, Version = 8.0>\n\n";
    for (const std::uint32_t codePage : {932u, 1252u}) {
        SCOPED_TRACE("code page " + std::to_string(codePage));
        const std::string japanese = header + "<\"para\">ab\x82\xa0"
                                              "cd\n\x82\ne f\n\r\ng\n";
        const std::size_t ended = checkTokenEnds(japanese, codePage, total);
        EXPECT_GT(total, 4u);
        if (codePage == 932)
            EXPECT_LT(ended, total);
        else
            EXPECT_EQ(ended, total);
    }
}

TEST(InterleafLexer, TokenNamesMatchTheLexerDefinition) {
    std::ifstream in(std::string(QUILLEX_TEST_DATA) + "/../../resources/interleaf_lexer.def");
    ASSERT_TRUE(in);
    const auto def = tablegen::readLexerDefinition(in, "interleaf_lexer.def");
    TempDir folder;
    const std::string file = folder.write("input.DOC", "x");
    InterleafLexer lexer(file);
    std::set<std::int32_t> named;
    for (const auto& token : def.tokens) {
        EXPECT_STREQ(lexer.tokenToConstChar(token.number), token.name.c_str());
        named.insert(token.number);
    }
    EXPECT_EQ(named.size(), 83u);
    for (std::int32_t t = -3; t < 200; ++t) {
        if (!named.count(t) && t != -1 && t != -2) {
            EXPECT_STREQ(lexer.tokenToConstChar(t), "SSLexTokenNotFound") << t;
        }
    }
    EXPECT_STREQ(lexer.tokenToConstChar(-1), "eof");
    EXPECT_STREQ(lexer.tokenToConstChar(-2), "%error");
    EXPECT_STREQ(lexer.tokenToConstChar(COMMA), ",");
}

// Single-quoted values accept only blanks, quotes and tags: each other
// character there is unexpected.
std::string fileWithUnexpected(int count) {
    return "<!OPS, Version = 8.0>\n<F0 '" + std::string(count, 'x') + "'>";
}

TEST(InterleafLexer, UnexpectedCharacterWithoutDebugThrowsAtOnce) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", fileWithUnexpected(1));
    RecordingHost host;
    InterleafLexer lexer(file, &host, 0);
    try {
        while (++lexer) {
        }
        FAIL() << "no error raised";
    } catch (const ConversionFailure& failure) {
        EXPECT_EQ(failure.code(), 6);
    }
    EXPECT_TRUE(host.results.empty());
}

TEST(InterleafLexer, TwentyUnexpectedCharactersAreReportedAndSkipped) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", fileWithUnexpected(20));
    RecordingHost host;
    InterleafLexer lexer(file, &host, 1);
    std::vector<std::int32_t> tokens;
    while (SSRefPtr<SSLexLexeme> l = ++lexer)
        tokens.push_back(l->token());
    ASSERT_EQ(host.results.size(), 20u);
    EXPECT_EQ(host.results.front(), "Unexpected character: x (line 2, offset 6)");
    EXPECT_EQ(host.results.back(), "Unexpected character: x (line 2, offset 25)");
    EXPECT_EQ(lexer.unexpectedCharacters(), 20);
    // Scanning went on after them: the quote and the tag end follow.
    ASSERT_GE(tokens.size(), 2u);
    EXPECT_EQ(tokens[tokens.size() - 2], END_SQUOTE);
    EXPECT_EQ(tokens.back(), TAG_END);
}

TEST(InterleafLexer, TwentyFirstUnexpectedCharacterAborts) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", fileWithUnexpected(25));
    RecordingHost host;
    InterleafLexer lexer(file, &host, 1);
    try {
        while (++lexer) {
        }
        FAIL() << "no error raised";
    } catch (const ConversionFailure& failure) {
        EXPECT_EQ(failure.code(), 6);
    }
    ASSERT_EQ(host.results.size(), 24u);
    EXPECT_EQ(host.results[20], "Unexpected character: x (line 2, offset 26)");
    EXPECT_EQ(host.results[21], "Aborting parsing of this file.");
    EXPECT_EQ(host.results[22], "More than 20 unexpected character errors!");
    EXPECT_EQ(host.results[23], "Too many errors - aborting!");
}

TEST(InterleafLexer, UnexpectedTextIncludesWhatWasReadBeforeTheRejectedCharacter) {
    TempDir folder;
    const std::string file = folder.write("input.DOC", "(x\n(y");
    RecordingHost host;
    InterleafLexer lexer(file, &host, 1);
    lexer.pushExpressionList(lexer.table()->expressionList(9));
    std::vector<std::int32_t> tokens;
    while (SSRefPtr<SSLexLexeme> l = ++lexer)
        tokens.push_back(l->token());
    EXPECT_EQ(tokens, std::vector<std::int32_t>{JUNK});
    ASSERT_EQ(host.results.size(), 2u);
    EXPECT_EQ(host.results[0], "Unexpected character: (x (line 1, offset 1)");
    EXPECT_EQ(host.results[1], "Unexpected character: (y (line 2, offset 1)");
}

// Every lexer and parser reads the one table compiled into the program,
// whatever image is registered; the registered images still load.
TEST(InterleafTables, CompiledInOnceWhateverImageIsRegistered) {
    SSLexStringConsumer firstText("<!OPS, Version = 8.0>");
    SSLexStringConsumer secondText("<!OPS, Version = 8.0>");
    const InterleafLexer first(firstText);
    const InterleafLexer second(secondText);
    EXPECT_EQ(first.table(), second.table());
    const std::shared_ptr<SSLexTable> lexTable = interleafLexTable();
    const std::shared_ptr<SSYaccTable> yaccTable = interleafYaccTable();
    EXPECT_EQ(first.table(), lexTable.get());
    EXPECT_EQ(yaccTable, interleafYaccTable());
    EXPECT_FALSE(yaccTable->hasRows());

    const std::span<const std::uint8_t> lexImage = interleafLexTableImage();
    const std::span<const std::uint8_t> yaccImage = interleafYaccTableImage();
    const std::vector<std::uint8_t> lexCopy(lexImage.begin(), lexImage.end());
    const std::vector<std::uint8_t> yaccCopy(yaccImage.begin(), yaccImage.end());
    unregisterResource(kInterleafLexTableName, kInterleafLexTableType);
    unregisterResource(kInterleafYaccTableName, kInterleafYaccTableType);
    registerResource(kInterleafLexTableName, kInterleafLexTableType, lexCopy);
    registerResource(kInterleafYaccTableName, kInterleafYaccTableType, yaccCopy);
    EXPECT_EQ(interleafLexTable(), lexTable);
    EXPECT_EQ(interleafYaccTable(), yaccTable);
    const SSLexTable replacedLex(kInterleafLexTableName, kInterleafLexTableType);
    const SSYaccTable replacedYacc(kInterleafYaccTableName, kInterleafYaccTableType);
    EXPECT_EQ(replacedLex.expressionLists(), lexTable->expressionLists());
    EXPECT_EQ(replacedYacc.states(), yaccTable->states());

    unregisterResource(kInterleafLexTableName, kInterleafLexTableType);
    unregisterResource(kInterleafYaccTableName, kInterleafYaccTableType);
    registerInterleafTables();
}

// The compiled lists answer every state and code as the lists decoded from
// the image do (bytes through the byte rows, double-byte codes through the
// image's rows), with the same final states and the same byte rows.
TEST(InterleafTables, CompiledListsAnswerAsTheDecodedImage) {
    const SSLexTable decoded(interleafLexTableImage(), "image");
    const std::shared_ptr<SSLexTable> compiled = interleafLexTable();
    ASSERT_EQ(compiled->expressionLists(), decoded.expressionLists());
    std::vector<std::uint32_t> codes;
    for (std::uint32_t code = 0; code < 0x120; ++code)
        codes.push_back(code);
    for (const std::uint32_t code :
         {0x8140u, 0x889Fu, 0x9FFCu, 0xE040u, 0xEAA4u, 0xFC4Bu, 0xFFFFu, 0x10000u, 0xFFFFFFFFu})
        codes.push_back(code);
    for (std::uint32_t l = 0; l < decoded.expressionLists(); ++l) {
        SCOPED_TRACE("list " + std::to_string(l));
        const SSLexExpressionList& want = decoded.expressionList(l);
        const SSLexExpressionList& got = compiled->expressionList(l);
        ASSERT_EQ(got.states(), want.states());
        ASSERT_EQ(got.size(), want.size());
        ASSERT_EQ(got.byteClassCount(), want.byteClassCount());
        ASSERT_EQ(got.byteRows() == nullptr, want.byteRows() == nullptr);
        EXPECT_TRUE(std::equal(got.byteClasses(), got.byteClasses() + 256, want.byteClasses()));
        for (std::uint32_t state = 0; state <= want.states(); ++state) {
            const SSLexFinalState a = got.lookupFinal(state);
            const SSLexFinalState b = want.lookupFinal(state);
            EXPECT_EQ(a.tokenWord(), b.tokenWord());
            EXPECT_EQ(a.expressionList(), b.expressionList());
            EXPECT_EQ(a.flags(), b.flags());
            if (want.byteRows() != nullptr && state < want.states()) {
                for (std::uint32_t c = 0; c < want.byteClassCount(); ++c) {
                    ASSERT_EQ(got.byteRows()[state * want.byteClassCount() + c],
                              want.byteRows()[state * want.byteClassCount() + c]);
                }
            }
            for (const std::uint32_t code : codes) {
                std::uint32_t fromCompiled = state;
                std::uint32_t fromImage = state;
                ASSERT_EQ(got.lookupNext(fromCompiled, code), want.lookupNext(fromImage, code));
                ASSERT_EQ(fromCompiled, fromImage) << state << " " << code;
            }
        }
    }
}
