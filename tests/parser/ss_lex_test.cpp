// The scanner: longest match, the expression-list stack, error handling,
// and line and column counting through the file and string consumers.
#include "parser/ss_dbcs_info.h"
#include "parser/ss_lex.h"
#include "parser/ss_lex_buffer_consumer.h"
#include "parser/ss_lex_expression_list.h"
#include "parser/ss_lex_file_consumer.h"
#include "parser/ss_lex_string_consumer.h"

#include "engine_failure.h"
#include "sample_tables.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillex {
namespace {

using namespace test;
using quillex::testing::TempDir;

struct Seen {
    std::int32_t token;
    std::string text;
    std::uint32_t line;
    std::uint32_t offset;
    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
    return out << "{" << seen.token << ", \"" << seen.text << "\", " << seen.line << ", "
               << seen.offset << "}";
}

// A lexer over the sample table that records rejected text and skips it.
class SampleLex : public SSLex {
  public:
    explicit SampleLex(SSLexConsumer& consumer) : table_(sampleLexTable(), "sample") {
        setConsumer(consumer);
        setTable(table_);
        reset();
    }
    // Reads `fileName` with the lead bytes of `codePage`.
    explicit SampleLex(const std::string& fileName,
                       std::uint32_t codePage = SSDbcsInfo::defaultCodePage)
        : SSLex(fileName), leadBytes_(codePage), table_(sampleLexTable(), "sample") {
        consumer()->setDbcsInfo(leadBytes_);
        setTable(table_);
        pushExpressionList(table_.expressionList(0));
    }

    SSRefPtr<SSLexLexeme> error(SSLexConsumer& consumer) override {
        rejected.emplace_back(consumer.lexemeText());
        return {};
    }

    std::vector<Seen> all() {
        std::vector<Seen> seen;
        while (auto lexeme = ++*this)
            seen.push_back(
                {lexeme->token(), std::string(lexeme->text()), lexeme->line(), lexeme->offset()});
        return seen;
    }

    std::vector<std::string> rejected;

  private:
    SSDbcsInfo leadBytes_;
    SSLexTable table_;
};

std::vector<Seen> lexString(std::string_view text, std::vector<std::string>* rejected = nullptr) {
    SSLexStringConsumer input(text);
    SampleLex lex(input);
    auto seen = lex.all();
    if (rejected)
        *rejected = lex.rejected;
    return seen;
}

TEST(SSLex, LongestMatchBacksUpToTheLastAcceptingState) {
    std::vector<std::string> rejected;
    const auto seen = lexString("+-+ ++ +- +", &rejected);
    EXPECT_EQ(
        seen,
        (std::vector<Seen>{
            {PMP, "+-+", 1, 1}, {PLUSPLUS, "++", 1, 5}, {PLUS, "+", 1, 8}, {PLUS, "+", 1, 11}}));
    // "+-" falls back to "+"; the "-" read past it is scanned again and has no rule.
    EXPECT_EQ(rejected, std::vector<std::string>{"-"});
}

TEST(SSLex, TextReadPastTheMatchAtTheEndOfDataIsScannedAgain) {
    std::vector<std::string> rejected;
    EXPECT_EQ(lexString("ab+-", &rejected),
              (std::vector<Seen>{{WORD, "ab", 1, 1}, {PLUS, "+", 1, 3}}));
    EXPECT_EQ(rejected, std::vector<std::string>{"-"});
}

TEST(SSLex, RejectedTextIncludesTheCharacterWithoutTransition) {
    std::vector<std::string> rejected;
    EXPECT_EQ(lexString("<x<>", &rejected), (std::vector<Seen>{{LTGT, "<>", 1, 3}}));
    EXPECT_EQ(rejected, std::vector<std::string>{"<x"});
}

TEST(SSLex, DefaultErrorRaisesInvalidTokenWithPosition) {
    SSLexTable table(sampleLexTable(), "sample");
    SSLexStringConsumer input("ab\n  <x");
    SSLex lex(input, table);
    EXPECT_EQ((++lex)->text(), "ab");
    try {
        ++lex;
        FAIL() << "no exception";
    } catch (const SSException& e) {
        EXPECT_EQ(e.id(), 5);
        EXPECT_STREQ(e.text(), "SSLex0105e: Invalid token, Line 2, Offset 3, <x");
    }
    // The error stays pending: the scanner hands out nothing more.
    EXPECT_TRUE(lex.exceptionPresent().isPresent());
    EXPECT_FALSE(++lex);
}

TEST(SSLex, ListActionsPushPopAndGoto) {
    SSLexTable table(sampleLexTable(), "sample");
    SSLexStringConsumer input("a\"b c\"{x|y\"z");
    SSLex lex(input, table);
    const auto next = [&] {
        auto lexeme = ++lex;
        return lexeme ? std::pair(lexeme->token(), std::string(lexeme->text()))
                      : std::pair(0, std::string("<none>"));
    };
    EXPECT_EQ(next(), std::pair(int{WORD}, std::string("a")));
    EXPECT_EQ(next(), std::pair(int{QUOTE}, std::string("\"")));
    EXPECT_TRUE(lex.isCurrentExpressionList(1));
    EXPECT_EQ(next(), std::pair(int{TEXT}, std::string("b c")));
    EXPECT_EQ(next(), std::pair(int{END}, std::string("\"")));
    EXPECT_TRUE(lex.isCurrentExpressionList(0));
    EXPECT_EQ(lex.expressionListDepth(), 1u);
    EXPECT_EQ(next(), std::pair(int{BRACE}, std::string("{")));
    EXPECT_EQ(next(), std::pair(int{NAME}, std::string("x")));
    // Goto replaces list 2 by list 1 on the stack.
    EXPECT_EQ(next(), std::pair(int{BAR}, std::string("|")));
    EXPECT_TRUE(lex.isCurrentExpressionList(1));
    EXPECT_EQ(lex.expressionListDepth(), 2u);
    EXPECT_EQ(next(), std::pair(int{TEXT}, std::string("y")));
    EXPECT_EQ(next(), std::pair(int{END}, std::string("\"")));
    EXPECT_TRUE(lex.isCurrentExpressionList(0));
    EXPECT_EQ(next(), std::pair(int{WORD}, std::string("z")));
    EXPECT_EQ(next().second, "<none>");
    EXPECT_EQ(lex.lexemesValid(), 10u);
}

TEST(SSLex, AcceptingStartStateGivesAnEmptyLexemeWithoutAdvancing) {
    SSLexTable table(sampleLexTable(), "sample");
    SSLexStringConsumer input("{#");
    SSLex lex(input, table);
    EXPECT_EQ((++lex)->token(), BRACE);
    for (int i = 0; i < 2; ++i) {
        auto empty = ++lex;
        ASSERT_TRUE(empty);
        EXPECT_EQ(empty->token(), EMPTY);
        EXPECT_EQ(empty->length(), 0u);
        EXPECT_EQ(empty->offset(), 2u);
    }
}

TEST(SSLex, ListActionFailures) {
    SSLexTable table(sampleLexTable(), "sample");
    {
        SSLexStringConsumer input("a)");
        SSLex lex(input, table);
        EXPECT_EQ((++lex)->token(), WORD);
        // Popping the only list leaves the stack without a top.
        try {
            ++lex;
            FAIL() << "no exception";
        } catch (const SSException& e) {
            EXPECT_EQ(e.id(), 9);
            EXPECT_STREQ(e.text(), "SSLifo0002e: No top, stack empty");
        }
    }
    {
        SSLexStringConsumer input("!");
        SSLex lex(input, table);
        try {
            ++lex;
            FAIL() << "no exception";
        } catch (const SSException& e) {
            EXPECT_EQ(e.id(), 6);
            EXPECT_STREQ(e.text(), "SSLex0106e: Invalid expression list index, 7");
        }
    }
    {
        SSLex lex;
        try {
            ++lex;
            FAIL() << "no exception";
        } catch (const SSException& e) {
            EXPECT_EQ(e.id(), 7);
            EXPECT_STREQ(e.text(), "SSLex0107e: Table or consumer missing, required");
        }
    }
    EXPECT_THROW(SSLex().popExpressionList(), SSException);
}

TEST(SSLex, FileLinesAndColumnsInTextMode) {
    TempDir folder;
    // CR LF reads as LF, a lone CR is an ordinary character, Ctrl-Z ends the data.
    const auto file = folder.write("lines.txt", "ab cd\r\nef\n\tgh\rij\r\n\r\n12\x1a zz");
    SampleLex lex(file);
    EXPECT_EQ(lex.all(), (std::vector<Seen>{{WORD, "ab", 1, 1},
                                            {WORD, "cd", 1, 4},
                                            {WORD, "ef", 2, 1},
                                            {WORD, "gh", 3, 2},
                                            {CR, "\r", 3, 4},
                                            {WORD, "ij", 3, 5},
                                            {INT, "12", 5, 1}}));
    EXPECT_TRUE(lex.rejected.empty());
}

TEST(SSLex, StringConsumerReadsBytesAsTheyAre) {
    EXPECT_EQ(lexString("a\r\nb"),
              (std::vector<Seen>{{WORD, "a", 1, 1}, {CR, "\r", 1, 2}, {WORD, "b", 2, 1}}));
    EXPECT_TRUE(lexString("").empty());
}

TEST(SSLex, DoubleByteCharactersCountTwoColumns) {
    TempDir folder;
    const auto file = folder.write("sjis.txt", "a\x82\xa0"
                                               "b\x81\x40\n\xe0\x40"
                                               "c");
    SampleLex lex(file, 932);
    EXPECT_EQ(lex.all(), (std::vector<Seen>{{WORD, "a", 1, 1},
                                            {WIDE, "\x82\xa0", 1, 2},
                                            {WORD, "b", 1, 4},
                                            {WIDE, "\x81\x40", 1, 5},
                                            {WIDE, "\xe0\x40", 2, 1},
                                            {WORD, "c", 2, 3}}));
}

TEST(SSLex, LeadByteAtTheEndOfTheDataStandsAlone) {
    TempDir folder;
    {
        SampleLex lex(folder.write("end.txt", "ab\x82"), 932);
        EXPECT_EQ(lex.all(), (std::vector<Seen>{{WORD, "ab", 1, 1}, {HIGH, "\x82", 1, 3}}));
    }
    {
        // Also when Ctrl-Z cuts the data right behind the lead byte.
        SampleLex lex(folder.write("cut.txt", "\x81\x1a\x40"), 936);
        EXPECT_EQ(lex.all(), (std::vector<Seen>{{HIGH, "\x81", 1, 1}}));
    }
    {
        // Without a double-byte code page every byte stands alone.
        SampleLex lex(folder.write("single.txt", "\x82\xa0"));
        EXPECT_EQ(lex.all(), (std::vector<Seen>{{HIGH, "\x82", 1, 1}, {HIGH, "\xa0", 1, 2}}));
    }
}

TEST(SSLex, UnicodeConsumerReadsSixteenBitCodes) {
    SSLexTable table(sampleLexTable(), "sample");
    SSLexStringConsumer input(std::string_view("\xff\xfe"
                                               "a\0b\0 \0",
                                               8),
                              SSLexConsumerType::Unicode);
    SSLex lex(input, table);
    auto word = ++lex;
    ASSERT_TRUE(word);
    EXPECT_EQ(word->token(), WORD);
    EXPECT_EQ(word->type(), SSLexLexemeType::Unicode);
    EXPECT_EQ(word->asConstUnicode(), u"ab");
    EXPECT_EQ(word->offset(), 1u);
    EXPECT_FALSE(++lex);
}

TEST(SSLex, SmallBufferRefillsAndGrows) {
    TempDir folder;
    const auto file = folder.write("long.txt", "abcdefghij klm 123456789");
    SSLexTable table(sampleLexTable(), "sample");
    {
        SSLexFileConsumer input(file, SSLexConsumerType::SingleByte, 4, 3);
        SSLex lex(input, table);
        std::vector<std::string> texts;
        while (auto lexeme = ++lex)
            texts.emplace_back(lexeme->text());
        EXPECT_EQ(texts, (std::vector<std::string>{"abcdefghij", "klm", "123456789"}));
        EXPECT_FALSE(input.isOpen());
    }
    {
        // A buffer that may not grow cannot hold a lexeme longer than itself.
        SSLexFileConsumer input(file, SSLexConsumerType::SingleByte, 4, 0);
        SSLex lex(input, table);
        try {
            ++lex;
            FAIL() << "no exception";
        } catch (const SSException& e) {
            EXPECT_EQ(e.id(), 3);
            EXPECT_STREQ(e.text(), "SSLex0103e: Lexeme too long, 4");
        }
    }
}

TEST(SSLex, AddedBytesAreScannedAfterTheBufferShifts) {
    SSLexTable table(sampleLexTable(), "sample");
    SSLexStringConsumer input("ab ");
    SSLex lex(input, table);
    EXPECT_EQ((++lex)->text(), "ab");
    // The buffer is full; dropping the scanned "ab" makes room for "cd".
    input.addBuffer(std::span(reinterpret_cast<const std::uint8_t*>("cd"), 2));
    auto word = ++lex;
    ASSERT_TRUE(word);
    EXPECT_EQ(word->text(), "cd");
    EXPECT_EQ(word->offset(), 4u);
    // A string consumer may not grow: more than the buffer holds is refused.
    EXPECT_EQ(failureOf([&] {
                  input.addBuffer(std::span(reinterpret_cast<const std::uint8_t*>("1234"), 4));
              }),
              std::pair(3, std::string("SSLex0103e: Lexeme too long, 0")));
}

// A consumer that holds all its data hands out lexemes that view it; one
// whose buffer moves later keeps the viewed bytes for them, and a consumer
// that refills its buffer hands out copies.
TEST(SSLex, LexemesViewFixedDataAndKeepTheirTextWhenTheBufferMoves) {
    SSLexTable table(sampleLexTable(), "sample");
    SSLexStringConsumer input("ab ");
    SSLex lex(input, table);
    auto first = ++lex;
    ASSERT_TRUE(first);
    const char* viewed = first->text().data();
    EXPECT_TRUE(first->isView());
    EXPECT_EQ(viewed, reinterpret_cast<const char*>(input.buffer()));
    input.addBuffer(std::span(reinterpret_cast<const std::uint8_t*>("cd"), 2));
    EXPECT_FALSE(input.holdsFixedData());
    EXPECT_EQ(first->text(), "ab");
    auto second = ++lex;
    ASSERT_TRUE(second);
    EXPECT_EQ(second->text(), "cd");
    EXPECT_FALSE(second->isView());
    // A zero-terminated text is a copy of the viewed one.
    EXPECT_STREQ(first->asConstChar(), "ab");
    EXPECT_FALSE(first->isView());
    EXPECT_NE(first->text().data(), viewed);

    TempDir folder;
    SSLexFileConsumer streamed(folder.write("long.txt", "abcdefghij klm"),
                               SSLexConsumerType::SingleByte, 4, 3);
    SSLex refilled(streamed, table);
    std::vector<SSRefPtr<SSLexLexeme>> kept;
    while (auto lexeme = ++refilled)
        kept.push_back(lexeme);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_FALSE(kept[0]->isView());
    EXPECT_EQ(kept[0]->text(), "abcdefghij");
    EXPECT_EQ(kept[1]->text(), "klm");
}

// Byte codes are answered from a row built per state; the answer must stay
// the in-order scan's, also for rows that are out of order or overlap.
TEST(SSLexExpressionList, ByteRowsAnswerAsTheInOrderScan) {
    const Bytes image = expressionListImage({
        {0, 0, 0, {{'b', 'd', 1}, {'a', 'a', 2}}}, // out of order: "a" stops the scan
        {0, 0, 0, {{'a', 'z', 2}, {'m', 'm', 0}, {0x100, 0x1FF, 0}}}, // overlapping
        {0, 0, 0, {{'0', '9', 0}, {'x', 'x', none}, {0xFFFFFFFF, 0xFFFFFFFF, 1}}},
    });
    const SSLexExpressionList list(image, "rows");
    const auto next = [&](std::uint32_t state, std::uint32_t code) {
        const bool hit = list.lookupNext(state, code);
        return std::pair(hit, state);
    };
    for (int round = 0; round < 2; ++round) { // the second round reads the built rows
        EXPECT_EQ(next(0, 'a'), std::pair(false, none));
        EXPECT_EQ(next(0, 'c'), std::pair(true, 1u));
        EXPECT_EQ(next(0, 'e'), std::pair(false, none));
        EXPECT_EQ(next(1, 'm'), std::pair(true, 2u));
        EXPECT_EQ(next(1, 0x150), std::pair(true, 0u));
        EXPECT_EQ(next(1, 0x250), std::pair(false, none));
        EXPECT_EQ(next(2, '5'), std::pair(true, 0u));
        EXPECT_EQ(next(2, 'x'), std::pair(false, none));
        EXPECT_EQ(next(2, 0xFFFFFFFF), std::pair(true, 1u));
        EXPECT_EQ(next(3, 'a'), std::pair(false, none));
    }
}

// The buffer consumer reads the owner's bytes where they are, as the string
// consumer reads its copy; changing the buffer takes a copy first.
TEST(SSLexBufferConsumer, ReadsTheOwnersBytesInPlace) {
    SSLexTable table(sampleLexTable(), "sample");
    const std::string text = "ab cd\nef";
    const std::string original = text;
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    std::vector<std::string> seen, expected;
    {
        SSLexStringConsumer copy(text, SSLexConsumerType::DoubleByte);
        SSLex lex(copy, table);
        while (auto lexeme = ++lex)
            expected.push_back(std::string(lexeme->text()) + "@" + std::to_string(lexeme->line()) +
                               ":" + std::to_string(lexeme->offset()));
    }
    SSLexBufferConsumer input(bytes);
    EXPECT_EQ(input.buffer(), bytes.data());
    SSLex lex(input, table);
    auto first = ++lex;
    ASSERT_TRUE(first);
    seen.push_back(std::string(first->text()) + "@" + std::to_string(first->line()) + ":" +
                   std::to_string(first->offset()));
    // Room for two more bytes once the scanned "ab" is dropped.
    input.addBuffer(std::span(reinterpret_cast<const std::uint8_t*>(" g"), 2));
    EXPECT_NE(input.buffer(), bytes.data());
    while (auto lexeme = ++lex)
        seen.push_back(std::string(lexeme->text()) + "@" + std::to_string(lexeme->line()) + ":" +
                       std::to_string(lexeme->offset()));
    expected.push_back("g@2:4");
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(text, original);
}

TEST(SSLexFileConsumer, EmptyOrMissingFile) {
    TempDir folder;
    const auto empty = folder.write("empty.doc", "");
    try {
        SSLexFileConsumer consumer(empty);
        FAIL() << "no exception";
    } catch (const SSException& e) {
        EXPECT_EQ(e.id(), 2);
        EXPECT_EQ(std::string(e.text()),
                  "SSLex0102e: Invalid file length or read error, " + empty + ", 0");
    }
    try {
        SSLex lex(folder.file("missing.doc"));
        FAIL() << "no exception";
    } catch (const SSException& e) {
        EXPECT_EQ(e.id(), 1);
        EXPECT_EQ(std::string(e.text()),
                  "SSLex0101e: Error opening file, " + folder.file("missing.doc") + ", 2");
    }
}

TEST(SSLexFileConsumer, AutoConsumerChoosesUnicodeOnByteOrderMark) {
    TempDir folder;
    EXPECT_EQ(SSLexAutoFileConsumer::detectType(
                  folder.write("u.txt", std::string_view("\xfe\xff\0a", 4))),
              SSLexConsumerType::Unicode);
    EXPECT_EQ(SSLexAutoFileConsumer::detectType(folder.write("b.txt", "ab")),
              SSLexConsumerType::SingleByte);
    SSLexAutoFileConsumer consumer(folder.file("u.txt"));
    EXPECT_EQ(consumer.type(), SSLexConsumerType::Unicode);
    ASSERT_TRUE(++consumer);
    EXPECT_EQ(consumer.current(), SSLexConsumer::startSymbol);
    // FE FF is big-endian.
    ASSERT_TRUE(++consumer);
    EXPECT_EQ(consumer.current(), 0x61u);
    EXPECT_FALSE(consumer.isLittleEndian());
}

// The scanner reads single-byte codes straight from the buffer through the
// byte rows; a table with too many states for byte rows takes the general
// path for every code. Both must see the same lexemes, rejected texts and
// final position, for either consumer type and for text that backs up,
// rejects, changes lists and runs over line ends and high bytes.
TEST(SSLex, InPlaceByteScanAgreesWithTheGeneralPath) {
    const auto padded = [](std::vector<DfaState> list) {
        list.resize(SSLexExpressionList::byteStateMask); // unreachable states
        return list;
    };
    const Bytes wide = lexTableImage(
        {padded(sampleMainList()), padded(sampleQuotedList()), padded(sampleBraceList())});
    SSLexTable bytesTable(sampleLexTable(), "sample");
    SSLexTable generalTable(wide, "wide");
    ASSERT_NE(bytesTable.expressionList(0).byteRows(), nullptr);
    ASSERT_EQ(generalTable.expressionList(0).byteRows(), nullptr);

    class Recorder : public SSLex {
      public:
        Recorder(SSLexConsumer& input, SSLexTable& table) : SSLex(input, table) {}
        SSRefPtr<SSLexLexeme> error(SSLexConsumer& consumer) override {
            seen.push_back("rejected " + std::string(consumer.lexemeText()) + "@" +
                           std::to_string(consumer.line()) + ":" +
                           std::to_string(consumer.offset()));
            return {};
        }
        std::vector<std::string> all() {
            while (auto lexeme = ++*this)
                seen.push_back(std::to_string(lexeme->token()) + " " + std::string(lexeme->text()) +
                               "@" + std::to_string(lexeme->line()) + ":" +
                               std::to_string(lexeme->offset()));
            seen.push_back("end " + std::to_string(consumer()->consumed()) + " " +
                           std::to_string(consumer()->line()) + ":" +
                           std::to_string(consumer()->offset()) + " " +
                           std::to_string(lexemesValid()));
            return seen;
        }
        std::vector<std::string> seen;
    };
    const std::string text = "ab 12\n+-+ ++ +- +\n\"quoted\ntext\" {name|more\n\"x\xE9y\" "
                             "<x<> \r\n\x81\x40zz{a} 9\xFF+-";
    for (const std::uint32_t codePage : {1252u, 932u})
        for (const auto type : {SSLexConsumerType::SingleByte, SSLexConsumerType::DoubleByte}) {
            const SSDbcsInfo leadBytes(codePage); // 932 has lead bytes
            const auto scan = [&](SSLexTable& table) {
                SSLexStringConsumer input(text, type);
                input.setDbcsInfo(leadBytes);
                Recorder lex(input, table);
                return lex.all();
            };
            const std::vector<std::string> expected = scan(generalTable);
            EXPECT_GT(expected.size(), 20u);
            EXPECT_EQ(scan(bytesTable), expected);
        }
}

} // namespace
} // namespace quillex
