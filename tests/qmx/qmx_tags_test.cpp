// The QMX tag table: its rows agree with each other, and the lookups the
// conversions, the verifier and the bridge make through it.
#include "qmx/qmx_header.h"
#include "qmx/qmx_tags.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace quillex;
using namespace quillex::qmx;

TEST(QmxTags, RowsAgreeWithTheirClosingTagsBlocksAndNames) {
    std::set<std::string_view> texts;
    for (const TagRow& row : tagRows()) {
        EXPECT_TRUE(texts.insert(row.text).second) << "twice: " << row.text;
        EXPECT_TRUE(row.text.starts_with('<')) << row.text;
        EXPECT_EQ(isInternal(row.text), row.text.starts_with("<:")) << row.text;
        if (row.closing != Tag::None) {
            const std::string_view closing = rowOf(row.closing).text;
            EXPECT_TRUE(closing.starts_with("</") || closing.starts_with("<:/"))
                << row.text << " closes with " << closing;
            EXPECT_EQ(isInternal(closing), isInternal(row.text)) << row.text;
        }
        if (row.block != Anchored::None) {
            const AnchoredBlock& block = anchoredBlock(row.block);
            EXPECT_TRUE(block.opening.starts_with(row.text)) << row.text;
            EXPECT_EQ(block.closing, rowOf(row.closing).text) << row.text;
        }
        // A name of several rows reaches its first row; every other name its only one.
        EXPECT_EQ(rowOf(row.tag).tag, row.tag);
        // Only internal pairs are carried as begin and end.
        EXPECT_TRUE((row.traits & Paired) == 0 || isInternal(row.text)) << row.text;
    }
}

TEST(QmxTags, NoHeadBeginsAnotherRowSoEveryTagHasOneRow) {
    const auto isCatchAll = [](const TagRow& row) {
        return row.tag == Tag::UnlistedInternal || row.tag == Tag::UnlistedExternal;
    };
    for (const TagRow& a : tagRows()) {
        if (isCatchAll(a) || isWhole(a.text))
            continue;
        for (const TagRow& b : tagRows()) {
            if (&a != &b && !isCatchAll(b)) {
                EXPECT_FALSE(headOf(b.text).starts_with(headOf(a.text)))
                    << a.text << " begins " << b.text;
            }
        }
        EXPECT_GE(headOf(a.text).size(), 3u) << a.text; // the classification's key
    }
    for (const TagRow& row : tagRows()) {
        if (!isCatchAll(row)) {
            EXPECT_EQ(classify(row.text), &row) << row.text;
        }
    }
    EXPECT_EQ(classify("<:r0>")->tag, Tag::UnlistedInternal);
    EXPECT_EQ(classify("<foo 1>")->tag, Tag::UnlistedExternal);
    EXPECT_EQ(classify("<"), &rowOf(Tag::UnlistedExternal));
    EXPECT_EQ(classify("text"), nullptr);
    EXPECT_EQ(classify("<page \"2\">")->tag, Tag::Page);
    EXPECT_EQ(classify("</page>x")->tag, Tag::UnlistedExternal);
}

TEST(QmxTags, LookupsMatchHeadsAndWholeTags) {
    struct Case {
        std::string_view text;
        Trait trait;
        bool has;
    };
    const Case cases[] = {
        {"<ps \"Body\" 3>", TakesText, true},
        {"<ps \"Body\" 3>", StartsLine, true},
        {"<ie>", TakesText, true},
        {"<ie>x", TakesText, false}, // compared whole
        {"<tb 4>", TakesText, false},
        {"<tb 4>", StartsLine, true},
        {"</page>", StartsLine, true},
        {"</page >", StartsLine, false},
        {"<:v \"x\" 5>", HidesComponent, true},
        {"<v \"x\" 5>", HidesComponent, true},
        {"<vfmt \"x\">", HidesComponent, false},
        {"<:iaf 2>", OpensFrame, true},
        {"<af 2>", OpensFrame, true},
        {"<afx>", OpensFrame, false},
        {"<hrow 3>", OpensRow, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(has(c.text, c.trait), c.has) << c.text;

    EXPECT_TRUE(is("<page \"1\">", Tag::Page));
    EXPECT_TRUE(is("<page x>", Tag::Page)); // by head: the quote is the argument's
    EXPECT_FALSE(is("</tb>x", Tag::TableEnd));
    EXPECT_TRUE(begins("</tb>x", Tag::TableEnd));
    EXPECT_TRUE(begins("<imk>", Tag::IndexMarker));
    EXPECT_EQ(withBackward("<:cnmk 4>", Backward::ExpandedUnchanged)->tag,
              Tag::InlineHiddenComponent);
    EXPECT_EQ(withBackward("</dummy>", Backward::Dropped)->tag, Tag::GroupEnd);
    EXPECT_EQ(withBackward("<language \"French\">", Backward::Dropped)->tag, Tag::Language);
    EXPECT_EQ(withBackward("<af 3>", Backward::Dropped), nullptr);
}

TEST(QmxTags, TheBridgeCarriesPairsCodesAndCharacters) {
    EXPECT_EQ(carriageOf("<:fc 1>"), Carriage::Begin);
    EXPECT_EQ(carriageOf("<:/fc>"), Carriage::End);
    EXPECT_EQ(carriageOf("<:cs \"x\" 2>"), Carriage::Begin);
    EXPECT_EQ(carriageOf("<:af 7>"), Carriage::Begin);
    EXPECT_EQ(carriageOf("<:/af>"), Carriage::End);
    EXPECT_EQ(carriageOf("<:b>"), Carriage::Begin);
    EXPECT_EQ(carriageOf("<:fcx>"), Carriage::Placeholder);
    EXPECT_EQ(carriageOf("<:t>"), Carriage::Placeholder);
    EXPECT_EQ(carriageOf("<:lt>"), Carriage::Character);
    EXPECT_EQ(carriageOf("<ps \"x\" 1>"), Carriage::Fixed);
    EXPECT_EQ(literalCharacter("<:gt>"), '>');
    EXPECT_EQ(literalTagFor('<'), "<:lt>");
    EXPECT_EQ(literalTagFor('a'), "");
}

TEST(QmxTags, TheFirstLineTellsTheFile) {
    EXPECT_EQ(kindOfFirstLine("<qmx \"I2.00\">"), FirstLine::Current);
    EXPECT_EQ(kindOfFirstLine("<qmx \"I3.00\">"), FirstLine::OtherVersion);
    EXPECT_EQ(kindOfFirstLine("<tfi>"), FirstLine::FirstVersion);
    EXPECT_EQ(kindOfFirstLine("<qmx \"F1.00\">"), FirstLine::OtherSystem);
    EXPECT_EQ(kindOfFirstLine("<tf>"), FirstLine::OtherSystem);
    EXPECT_EQ(kindOfFirstLine("<tf >"), FirstLine::NotQmx);
    EXPECT_EQ(kindOfFirstLine(""), FirstLine::NotQmx);
}
