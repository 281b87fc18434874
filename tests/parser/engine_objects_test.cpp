// The engines' small shared objects: the exception and its texts, reference
// counting, lexemes and the lead-byte tests.
#include "parser/ss_dbcs_info.h"
#include "parser/ss_exception.h"
#include "parser/ss_lex_lexeme.h"
#include "parser/ss_ref_count.h"

#include <gtest/gtest.h>

#include <string>

namespace quillex {
namespace {

TEST(SSException, FormatsParametersAndCutsAt127Characters) {
    const SSException open(SSExceptionId::LexOpenFile, {"a.doc", 13});
    EXPECT_EQ(open.id(), 1);
    EXPECT_STREQ(open.text(), "SSLex0101e: Error opening file, a.doc, 13");
    EXPECT_STREQ(open.what(), open.text());
    ASSERT_EQ(open.parmCount(), 2u);
    EXPECT_EQ(open.parm(0).text(), "a.doc");
    EXPECT_EQ(open.parm(1).number(), 13);

    const std::string longName(200, 'x');
    const SSException cut(SSExceptionId::YaccOpenFile, {longName});
    const std::string text = cut.text();
    EXPECT_EQ(text.size(), 127u);
    EXPECT_EQ(text, ("SSYacc0101e: Open file failed, " + longName).substr(0, 127));

    EXPECT_STREQ(SSException(SSExceptionId::YaccTooManyTokens, {0x8000000}).text(),
                 "SSYacc: Too many tokens or productions, 134217728");
    EXPECT_STREQ(SSException(42, "own text").text(), "own text");
}

TEST(SSException, OutOfStorageAndThePendingSlot) {
    const SSExceptionOutOfStorage storage;
    EXPECT_EQ(storage.id(), -1);
    EXPECT_STREQ(storage.text(), "SSException0001e: Out of storage");

    SSExceptionPresent slot;
    EXPECT_FALSE(slot.isPresent());
    try {
        slot.throwException(SSExceptionId::LifoStackFull);
    } catch (const SSException& e) {
        EXPECT_EQ(e.id(), 8);
        EXPECT_STREQ(e.text(), "SSLifo0001e: Stack full");
    }
    ASSERT_TRUE(slot.isPresent());
    EXPECT_EQ(slot.exception()->id(), 8);
    slot.clear();
    EXPECT_EQ(slot.exception(), nullptr);
}

TEST(SSRefCount, ObjectsLiveWhileReferencedAndRefuseNegativeCounts) {
    static int destroyed = 0;
    struct Counted : SSRefCount {
        ~Counted() override { ++destroyed; }
    };
    destroyed = 0;
    {
        SSRefPtr<Counted> first(new Counted);
        EXPECT_EQ(first->refCount(), 1u);
        SSRefPtr<Counted> second = first;
        EXPECT_EQ(first->refCount(), 2u);
        first.reset();
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);

    Counted onStack;
    try {
        onStack.refDec();
        FAIL() << "no exception";
    } catch (const SSException& e) {
        EXPECT_EQ(e.id(), 28);
        EXPECT_STREQ(e.text(), "SSRef0001e: Reference count less than zero");
    }
}

TEST(SSLexLexeme, TextIsZeroTerminatedAndReplaceable) {
    auto lexeme = SSLexLexeme::create("12", 51, 3, 7);
    EXPECT_EQ(lexeme->token(), 51);
    EXPECT_EQ(lexeme->line(), 3u);
    EXPECT_EQ(lexeme->offset(), 7u);
    EXPECT_EQ(lexeme->asConstChar()[2], '\0');
    EXPECT_EQ(lexeme->asConstChar()[3], '\0');

    lexeme->setText("a much longer text than before");
    EXPECT_EQ(lexeme->text(), "a much longer text than before");
    EXPECT_EQ(lexeme->asConstChar()[lexeme->length()], '\0');
    lexeme->setText("ab");
    EXPECT_EQ(lexeme->length(), 2u);
    EXPECT_TRUE(lexeme->isEqualLexeme(*SSLexLexeme::create("ab", 9)));
    EXPECT_FALSE(lexeme->isEqualLexeme(*SSLexLexeme::create("abc")));
}

TEST(SSLexLexeme, Unsigned32SaturatesOnOverflow) {
    bool overflow = true;
    EXPECT_EQ(SSLexLexeme::create("4294967295")->asUnsigned32(overflow), 4294967295u);
    EXPECT_FALSE(overflow);
    EXPECT_EQ(SSLexLexeme::create("4294967296")->asUnsigned32(overflow), 0xFFFFFFFFu);
    EXPECT_TRUE(overflow);
    EXPECT_EQ(SSLexLexeme::create("83x")->asUnsigned32(overflow), 83u);
    EXPECT_FALSE(overflow);
}

TEST(SSDbcsInfo, LeadBytesPerCodePage) {
    EXPECT_FALSE(SSDbcsInfo().isLeadByte(0x82)); // 1252 by default
    const SSDbcsInfo shiftJis(932);
    EXPECT_TRUE(shiftJis.isLeadByte(0x81));
    EXPECT_TRUE(shiftJis.isLeadByte(0x9F));
    EXPECT_FALSE(shiftJis.isLeadByte(0xA0));
    EXPECT_TRUE(shiftJis.isLeadByte(0xFC));
    EXPECT_FALSE(shiftJis.isLeadByte(0xFD));
    for (const std::uint32_t codePage : {936u, 949u, 950u}) {
        const SSDbcsInfo info(codePage);
        EXPECT_FALSE(info.isLeadByte(0x80));
        EXPECT_TRUE(info.isLeadByte(0x81));
        EXPECT_TRUE(info.isLeadByte(0xFE));
        EXPECT_FALSE(info.isLeadByte(0xFF));
    }
    EXPECT_EQ(SSDbcsInfo::defaultInfo().codePage(), 1252u);
}

TEST(SSCodePageClass, ClassesAndTheirLeadBytes) {
    EXPECT_EQ(SSCodePageClass::classOf(932), 2u);
    EXPECT_EQ(SSCodePageClass::classOf(936), 3u);
    EXPECT_EQ(SSCodePageClass::classOf(949), 4u);
    EXPECT_EQ(SSCodePageClass::classOf(950), 5u);
    EXPECT_EQ(SSCodePageClass::classOf(1258), 1u);
    EXPECT_EQ(SSCodePageClass::classOf(1361), 1u);
    EXPECT_EQ(SSCodePageClass::classOf(437), 6u);
    // A class reads the lead bytes of its code page: GBK's start at 0x81.
    EXPECT_TRUE(SSCodePageClass::fromCodePage(936).isLeadByte(0x81));
    for (const std::uint32_t codePage : {932u, 936u, 949u, 950u, 1252u})
        for (unsigned byte = 0; byte < 256; ++byte)
            EXPECT_EQ(
                SSCodePageClass::fromCodePage(codePage).isLeadByte(static_cast<std::uint8_t>(byte)),
                SSDbcsInfo(codePage).isLeadByte(static_cast<std::uint8_t>(byte)))
                << codePage << " " << byte;
    EXPECT_TRUE(SSCodePageClass::fromCodePage(950).isDoubleByte());
    EXPECT_FALSE(SSCodePageClass::fromCodePage(1252).isDoubleByte());
    EXPECT_FALSE(SSCodePageClass().isDoubleByte()); // follows the program-wide 1252
}

} // namespace
} // namespace quillex
