// Checks of the generated table images through an independent reader: the
// byte layouts, each expression list against its rules, and LR parses of
// sample and corpus documents.
#include "parser/interleaf/interleaf_table_images.h"
#include "parser/interleaf/interleaf_tokens.h"
#include "tablegen_image_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

using namespace quillex;
using namespace quillex::testing;

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::uint32_t> tokensOf(const std::vector<RefLexeme>& lexemes) {
    std::vector<std::uint32_t> tokens;
    for (const RefLexeme& l : lexemes)
        tokens.push_back(l.token);
    return tokens;
}

const std::vector<LexList>& lexLists() {
    static const std::vector<LexList> lists = decodeLexImage(interleafLexTableImage());
    return lists;
}

const YaccImage& yacc() {
    static const YaccImage image = decodeYaccImage(interleafYaccTableImage());
    return image;
}

} // namespace

TEST(TablegenImage, LexerImageHasTwentyFourListsThatSkipTheStartSymbol) {
    ASSERT_EQ(lexLists().size(), 24u);
    const std::set<std::uint32_t> usedFlags{0x10, 0x18, 0x30, 0x38, 0x50, 0x58, 0x70};
    for (std::size_t l = 0; l < lexLists().size(); ++l) {
        const LexList& list = lexLists()[l];
        const LexMatch start = longestMatch(list, {0xFFFFFFFF}, 0);
        ASSERT_TRUE(start.accepted) << "list " << l;
        EXPECT_EQ(start.length, 1u);
        EXPECT_EQ(start.final.token, 0xFFFFFFFFu);
        EXPECT_EQ(start.final.flags, 0x50u);
        for (const LexFinal& f : list.finals) {
            if (f.flags == 0) {
                EXPECT_EQ(f.token, 0u);
                continue;
            }
            EXPECT_TRUE(usedFlags.count(f.flags)) << "list " << l << " flags " << f.flags;
            EXPECT_NE(f.token, 0u);
            if (f.flags & 0x20) {
                EXPECT_LT(f.list, 24u);
            }
        }
    }
}

TEST(TablegenImage, ParserImageHasTheInterleafGrammarShape) {
    const auto image = interleafYaccTableImage();
    EXPECT_EQ(image.size(), 26812u);
    EXPECT_EQ(wordAt(image, 8), 308u);
    EXPECT_EQ(wordAt(image, 16), 1252u);
    EXPECT_EQ(wordAt(image, 12), 2516u);
    const YaccImage& y = yacc();
    ASSERT_EQ(y.productions.size(), 158u);
    EXPECT_EQ(y.productions[0], std::make_pair(2u, 0u));        // goal : document eof
    EXPECT_EQ(y.productions[8], std::make_pair(2u, 16390u));    // item : item JUNK
    EXPECT_EQ(y.productions[92], std::make_pair(0u, 16408u));   // group_field_1 : (empty)
    EXPECT_EQ(y.productions[108], std::make_pair(26u, 16401u)); // text_string
    EXPECT_EQ(y.productions[145], std::make_pair(51u, 16434u)); // named_object_head
    EXPECT_EQ(y.productions[157], std::make_pair(2u, 16404u));  // old_style_outline
    // One accepting entry, in state 52, on the end of input.
    int accepts = 0;
    for (std::size_t s = 0; s < y.rows.size(); ++s)
        for (const YaccEntry& e : y.rows[s].actions)
            if (e.value & 0x10000000) {
                ++accepts;
                EXPECT_EQ(s, 52u);
                EXPECT_EQ(e.key, 0xFFFFFFFFu);
            }
    EXPECT_EQ(accepts, 1);
}

// One case per rule of each list: the list, the input, the token and length
// of the longest match, and the final-state flags and list index.
struct RuleCase {
    int list;
    std::string input;
    std::uint32_t token;
    std::size_t length;
    std::uint32_t flags;
    std::uint32_t target = 0;
};

constexpr std::uint32_t kFinal = 0x10, kPop = 0x18, kPush = 0x30, kGoto = 0x38;
constexpr std::uint32_t kSkip = 0x50, kSkipPop = 0x58, kSkipPush = 0x70;

const std::vector<RuleCase> kRuleCases = {
    {0, "<!OPS, Version", 1, 6, kGoto, 4},
    {0, "<!OPX", 2, 1, kFinal},
    {0, "\n", 2, 1, kFinal},
    {1, "plain text  here<F0>", 4, 16, kFinal},
    {1, "\x1b$Bab<>\"\x1b(Bmore", 4, 11, kFinal},
    {1, "\t\n\t x", 3, 3, kFinal},
    {1, "> x", 6, 1, kFinal},
    {1, "<<F0>", 5, 2, kFinal},
    {1, "<\"para\">", 8, 2, kPush, 6},
    {1, "<F0>", 7, 1, kPush, 5},
    {1, "<!Class, \t\"para\"", 29, 11, kPush, 6},
    {1, "<!Class,\"para\"", 7, 1, kPush, 5},
    {1, "<!Autonumber Stream, \"list\"", 27, 22, kPush, 6},
    {1, "<!End Declarations>\n\n<", 43, 21, kFinal},
    {1, "<!End Declarations>x", 7, 1, kPush, 5},
    {1, "<Comment>", 42, 9, kFinal},
    {1, "<Comment, x>", 41, 8, kPush, 5},
    {1, "<!Comment, x>", 41, 9, kPush, 5},
    {1, "<!APage, x", 20, 8, kPush, 5},
    {1, "<!Class Defaults,", 28, 17, kPush, 5},
    {1, "<!Color Definitions,", 22, 20, kPush, 5},
    {1, "<!Color Name,", 23, 13, kPush, 5},
    {1, "<!Color Tint,", 24, 13, kPush, 5},
    {1, "<!Document,", 18, 11, kPush, 5},
    {1, "<!Font Definitions,", 21, 19, kPush, 5},
    {1, "<!Include Declarations,", 15, 23, kPush, 5},
    {1, "<!Include,", 16, 10, kPush, 5},
    {1, "<!Master Table,", 32, 15, kPush, 5},
    {1, "<!Page Number Stream,", 17, 21, kPush, 5},
    {1, "<!Page,", 19, 7, kPush, 5},
    {1, "<!Pattern Definitions,", 25, 22, kPush, 5},
    {1, "<!Revision Tracking,", 26, 20, kPush, 5},
    {1, "<Table, x", 10, 6, kPush, 5},
    {1, "<Row>", 12, 4, kPush, 5},
    {1, "<Cell>", 13, 5, kPush, 5},
    {1, "<Master Row>", 11, 11, kPush, 5},
    {1, "<End Table>", 14, 10, kPush, 5},
    {1, "<Frame, x", 9, 7, kPush, 7},
    {1, "<!Master Frame,", 30, 15, kPush, 7},
    {1, "<!Master Diagramming Object,", 31, 28, kPush, 7},
    {1, "<Page Header,", 33, 13, kPush, 8},
    {1, "<Page Footer,", 34, 13, kPush, 8},
    {1, "<First Page Header,", 35, 19, kPush, 8},
    {1, "<First Page Footer,", 36, 19, kPush, 8},
    {1, "<Right Page Header,", 37, 19, kPush, 8},
    {1, "<Right Page Footer,", 38, 19, kPush, 8},
    {1, "<Left Page Header,", 39, 18, kPush, 8},
    {1, "<Left Page Footer,", 40, 18, kPush, 8},
    {1, "<End Text>", 7, 1, kPush, 5},
    {23, "<End Text>", 119, 10, kPop},
    {23, "<!Class, \"x\"", 7, 1, kPush, 5},
    {23, "text<", 4, 4, kFinal},
    {2, "a\"\"b\x1b$B\"\x1b(B\" x", 44, 11, kFinal},
    {2, "\" x", 45, 1, kPop},
    {6, "\">", 45, 1, kGoto, 5},
    {6, "para\"", 44, 4, kFinal},
    {3, " \t\n'", 46, 3, kSkip},
    {3, "'", 47, 1, kPop},
    {3, "<F0>", 7, 1, kPush, 5},
    {4, " Version = 8", 48, 11, kFinal},
    {4, "Version = 8", 50, 7, kFinal},
    {4, "Character Encoding =\tx", 49, 21, kFinal},
    {4, "80.", 51, 2, kFinal},
    {4, "8a0 ", 50, 3, kFinal},
    {4, ".0", 52, 1, kFinal},
    {4, ">", 53, 1, kGoto, 1},
    {4, " x", 3, 1, kFinal},
    {4, "=", 3, 1, kFinal},
    {5, "A-Pages>", 50, 7, kFinal},
    {5, "A-Page>", 57, 6, kFinal},
    {5, "A-Page # Style>", 3, 14, kFinal},
    {5, "A-Page # St>", 57, 6, kFinal},
    {5, "Subcomponent =\tyes>", 56, 18, kFinal},
    {5, "Subcomponent = no", 50, 12, kFinal},
    {5, " \n\tx", 3, 3, kFinal},
    {5, "\"x\"", 54, 1, kPush, 2},
    {5, "'x'", 55, 1, kPush, 3},
    {5, ">", 58, 1, kPop},
    {5, "=", 3, 1, kFinal},
    {22, "A-Page", 50, 6, kFinal},
    {22, ">", 58, 1, kGoto, 23},
    {22, "\"", 54, 1, kPush, 2},
    {7, "Name = \"f\"", 60, 7, kFinal},
    {7, "Names", 50, 5, kFinal},
    {7, "Numbered = '", 59, 11, kFinal},
    {7, "Shared Contents = yes>", 61, 21, kFinal},
    {7, "Diagram =\nV11, (g1", 62, 14, kGoto, 10},
    {7, ">", 63, 1, kPop},
    {7, "'", 55, 1, kPush, 3},
    {7, "@", 3, 1, kFinal},
    {8, "V11,", 65, 4, kSkipPush, 9},
    {8, "V12,", 64, 1, kSkip},
    {9, "(t12,", 66, 4, kPush, 17},
    {9, "(T1,", 67, 3, kPush, 21},
    {9, "(c1,", 68, 3, kPush, 19},
    {9, "(V1,", 69, 3, kSkipPush, 11},
    {9, "(q7,", 69, 3, kSkipPush, 11},
    {9, "(g1,", 70, 3, kPush, 12},
    {9, "(N1,", 71, 3, kPush, 13},
    {9, "(z10 ", 72, 4, kPush, 18},
    {9, "(m1 ", 73, 3, kPush, 18},
    {9, "(C1 ", 74, 3, kPush, 18},
    {9, "(D1,", 75, 3, kSkipPush, 14},
    {9, "(O1 ", 76, 3, kPush, 15},
    {9, ">", 63, 1, kGoto, 1},
    {9, " \n", 3, 2, kFinal},
    {10, "(i1", 77, 3, kSkipPush, 11},
    {10, "(D1", 78, 3, kSkipPush, 14},
    {10, ">", 63, 1, kPop},
    {11, "\\)", 79, 2, kSkip},
    {11, "x", 80, 1, kSkip},
    {11, "(n1", 81, 3, kSkipPush, 11},
    {11, "(D1", 82, 3, kSkipPush, 14},
    {11, ")", 83, 1, kSkipPop},
    {11, "(g1", 70, 3, kPush, 12},
    {12, "\\x", 86, 2, kFinal},
    {12, "\\a", 84, 2, kSkip},
    {12, "\\\n", 85, 1, kSkip},
    {12, "<", 85, 1, kSkip},
    {12, "  ab c\\,d,", 86, 9, kFinal},
    {12, "  ,", 87, 2, kSkip},
    {12, ",", 88, 1, kFinal},
    {12, "(p1", 89, 3, kSkipPush, 11},
    {12, "(D1", 90, 3, kSkipPush, 14},
    {12, ")", 91, 1, kPop},
    {13, " \t", 92, 2, kSkip},
    {13, "(V1", 93, 3, kSkipPush, 11},
    {13, "(D1", 94, 3, kSkipPush, 14},
    {13, ", @\"k\"\"\" = \"v\" )", 95, 15, kSkip},
    {13, ", x", 88, 1, kFinal},
    {13, ")", 96, 1, kPop},
    {13, "(", 86, 0, kFinal},
    {14, "(D0,2,000))", 98, 10, kSkipPop},
    {14, "(D0,2,1)", 97, 1, kSkip},
    {15, "x", 99, 1, kSkip},
    {15, "\\(", 100, 2, kSkip},
    {15, "(", 101, 1, kSkipPush, 16},
    {15, ")", 102, 1, kPop},
    {16, "x", 103, 1, kSkip},
    {16, "\\)", 104, 2, kSkip},
    {16, "(", 105, 1, kSkipPush, 16},
    {16, ")", 106, 1, kSkipPop},
    {17, " a b,", 86, 4, kFinal},
    {17, "(", 86, 0, kFinal},
    {17, ",", 88, 1, kFinal},
    {17, ")", 107, 1, kPop},
    {18, "(", 108, 1, kSkip},
    {18, "\\)", 109, 2, kSkip},
    {18, ")", 110, 1, kPop},
    {19, " \n(", 111, 2, kSkip},
    {19, "(cD,", 112, 4, kPush, 20},
    {19, "(cX", 113, 1, kSkipPush, 16},
    {19, ")", 114, 1, kPop},
    {19, "<", 86, 0, kFinal},
    {20, " ", 115, 1, kSkip},
    {20, ",1,2)", 116, 5, kPop},
    {20, "lbl,", 86, 3, kFinal},
    {21, " ", 117, 1, kSkip},
    {21, "<F0>", 7, 1, kPush, 22},
    {21, ")\n", 118, 2, kPop},
    {21, ")x", 118, 1, kPop},
    {21, ",", 88, 1, kFinal},
};

TEST(TablegenImage, EachListAcceptsItsRules) {
    std::set<int> listsCovered;
    for (const RuleCase& c : kRuleCases) {
        std::vector<std::uint32_t> codes;
        for (unsigned char ch : c.input)
            codes.push_back(ch);
        const LexMatch m = longestMatch(lexLists().at(c.list), codes, 0);
        SCOPED_TRACE("list " + std::to_string(c.list) + " input \"" + c.input + "\"");
        ASSERT_TRUE(m.accepted);
        EXPECT_EQ(m.final.token, c.token);
        EXPECT_EQ(m.length, c.length);
        EXPECT_EQ(m.final.flags, c.flags);
        EXPECT_EQ(m.final.list, c.target);
        listsCovered.insert(c.list);
    }
    EXPECT_EQ(listsCovered.size(), 24u);
}

TEST(TablegenImage, CharactersWithoutRulesAreRefused) {
    // Lists whose start state accepts nothing refuse a character no rule takes.
    const std::vector<std::pair<int, std::string>> refused = {
        {3, "x"}, {9, "x"}, {9, "(x"}, {10, "<"}, {11, "(x"}, {12, "(x"}, {1, "\x1b$Bab"}};
    for (const auto& [list, input] : refused) {
        std::vector<std::uint32_t> codes(input.begin(), input.end());
        EXPECT_FALSE(longestMatch(lexLists().at(list), codes, 0).accepted)
            << "list " << list << " input " << input;
    }
    // Double-byte characters are single codes that negated classes include.
    EXPECT_EQ(longestMatch(lexLists()[1], {0x8140, 0xE0A0, '<'}, 0).length, 2u);
    EXPECT_EQ(longestMatch(lexLists()[0], {0xFFFF}, 0).final.token, 2u);
}

TEST(TablegenImage, HeaderLexesAndParses) {
    std::size_t failed = 0;
    const auto lexemes = referenceScan(lexLists(), "<!OPS, Version = 8.0>\n", &failed);
    EXPECT_EQ(failed, std::string::npos);
    ASSERT_EQ(lexemes.size(), 7u);
    using namespace ileaf;
    const std::vector<std::uint32_t> tokens{OPS_START, VERSION, INTEGER, PERIOD,
                                            INTEGER,   OPS_END, JUNK};
    EXPECT_EQ(tokensOf(lexemes), tokens);
    EXPECT_EQ(lexemes[1].text, " Version = ");
    EXPECT_TRUE(referenceParse(yacc(), tokensOf(lexemes)).accepted);
}

TEST(TablegenImage, HeaderWithoutBlankBeforeVersionExpectsVersionOnly) {
    const auto lexemes = referenceScan(lexLists(), "<!OPS,Version = 8.0>\n");
    ASSERT_GE(lexemes.size(), 2u);
    EXPECT_EQ(lexemes[1].token, static_cast<std::uint32_t>(ileaf::WORD));
    const RefParse parse = referenceParse(yacc(), tokensOf(lexemes));
    EXPECT_FALSE(parse.accepted);
    EXPECT_EQ(parse.errorAt, 1u);
    const auto& actions = yacc().rows.at(parse.errorState).actions;
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].key, static_cast<std::uint32_t>(ileaf::VERSION));
}

TEST(TablegenImage, SampleDocumentsUseEveryProduction) {
    std::set<std::uint32_t> reduced;
    for (const char* name : {"every_production.doc", "declarations_only.doc"}) {
        SCOPED_TRACE(name);
        std::size_t failed = 0;
        const auto lexemes = referenceScan(
            lexLists(), readFile(std::filesystem::path(QUILLEX_TEST_DATA) / "interleaf" / name),
            &failed);
        EXPECT_EQ(failed, std::string::npos);
        const RefParse parse = referenceParse(yacc(), tokensOf(lexemes));
        EXPECT_TRUE(parse.accepted)
            << "refused token " << parse.errorAt << " in state " << parse.errorState;
        reduced.insert(parse.reductions.begin(), parse.reductions.end());
    }
    for (std::uint32_t p = 1; p < ileaf::kProductionCount; ++p)
        EXPECT_TRUE(reduced.count(p)) << "production " << p << " not used";
}

TEST(TablegenImage, CorpusDocumentsParse) {
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(QUILLEX_CORPUS) / "as-8.0")) {
        SCOPED_TRACE(entry.path().filename().string());
        std::size_t failed = 0;
        const auto lexemes = referenceScan(lexLists(), readFile(entry.path()), &failed);
        EXPECT_EQ(failed, std::string::npos);
        const RefParse parse = referenceParse(yacc(), tokensOf(lexemes));
        EXPECT_TRUE(parse.accepted)
            << "refused token " << parse.errorAt << " ("
            << (parse.errorAt < lexemes.size() ? lexemes[parse.errorAt].text : "eof")
            << ") in state " << parse.errorState;
        ++files;
    }
    EXPECT_EQ(files, 9);
}
