// Attribute parsing, quoted names and attribute texts.
#include "forward/attribute_text.h"
#include "forward/attributes.h"
#include "forward/class_information.h"

#include <gtest/gtest.h>

using namespace quillex;

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(Attributes, NamesValuesAndWordsInTagOrder) {
    const TagAttributes a = TagAttributes::parse(
        "<\"titleA\",\n\tBegin New Page =\t\tyes,\n\tFont =  F20 ,\n\tLevel 1 Suffix =\t>");
    EXPECT_EQ(a.pairs(), (Pairs{{"QMX_PROPERTY0", "\"titleA\""},
                                {"Begin New Page", "yes"},
                                {"Font", "F20"},
                                {"Level 1 Suffix", " "}}));
    EXPECT_EQ(a.value("Font"), "F20");
    EXPECT_TRUE(a.valueIs("Begin New Page", "yes"));
    EXPECT_FALSE(a.has("Hidden"));
    EXPECT_EQ(a.value("Hidden"), std::nullopt);
}

TEST(Attributes, QuotedRunsKeepCommasEqualsAndDoubledQuotes) {
    const TagAttributes a =
        TagAttributes::parse("<Autonum, \"list\", 1, Value = \"a, b = \"\"c\"\">\", Tag = x>");
    EXPECT_EQ(a.pairs(), (Pairs{{"QMX_PROPERTY0", "Autonum"},
                                {"QMX_PROPERTY1", "\"list\""},
                                {"QMX_PROPERTY2", "1"},
                                {"Value", "\"a, b = \"\"c\"\">\""},
                                {"Tag", "x"}}));
    EXPECT_TRUE(a.valueIs("Value", "a, b = \"\"c\"\">"));
    // The escape character lets quotes stand inside a run.
    const TagAttributes e = TagAttributes::parse("<Ref, Value = \"\x1b\"x\"\x1b\", Tag = t>");
    EXPECT_EQ(e.value("Value"), "\"\x1b\"x\"\x1b\"");
    EXPECT_EQ(e.value("Tag"), "t");
}

// The two syntaxes of the one field scan: a tag ends a name at every "=" and
// takes a single quote as text; a declaration ends it at the first "=" and
// reads a single-quoted value whole.
TEST(Attributes, TagAndDeclarationFieldSyntaxes) {
    const std::string text = "<a = b = c, n = '<x, \"y\", 1>', = v, ,>";
    const auto fieldsOf = [&](TagFieldSyntax syntax) {
        Pairs fields;
        for (const TagField& field : scanTagFields(text, syntax))
            fields.emplace_back(field.name.value_or("(bare)"), field.value);
        return fields;
    };
    EXPECT_EQ(fieldsOf({}), (Pairs{{"b", "c"},
                                   {"n", "'<x"},
                                   {"(bare)", "\"y\""},
                                   {"(bare)", "1"},
                                   {"(bare)", "'"},
                                   {"", "v"}}));
    EXPECT_EQ(fieldsOf({.singleQuotedValues = true, .firstEqualsEndsName = true}),
              (Pairs{{"a", "b = c"}, {"n", "'<x, \"y\", 1>'"}, {"", "v"}}));
}

TEST(Attributes, RepeatedNamesGetTheFirstFreeNumber) {
    const TagAttributes a =
        TagAttributes::parse("<!Master Table, Row = \"a\", Row = \"b\", Row = \"c\", Row0 = d>");
    EXPECT_EQ(a.value("Row"), "\"a\"");
    EXPECT_EQ(a.value("Row0"), "\"b\"");
    EXPECT_EQ(a.value("Row1"), "\"c\"");
    EXPECT_EQ(a.value("Row00"), "d");
    EXPECT_EQ(a.pairs().size(), 5u);
}

TEST(Attributes, EffectivityIsAnAttributeWhoseNameBeginsWithTheAtSign) {
    EXPECT_EQ(TagAttributes::parse("<\"p\", Font = F20@i*>").effectivity(), nullptr);
    const TagAttributes a = TagAttributes::parse("<\"p\", @Audience = \"expert\">");
    ASSERT_NE(a.effectivity(), nullptr);
    EXPECT_EQ(a.effectivity()->second, "\"expert\"");
}

TEST(Attributes, FirstQuotedValue) {
    EXPECT_EQ(firstQuotedValue("<\"|:list\", Subcomponent = yes>"), "|:list");
    EXPECT_EQ(firstQuotedValue("<\"say \"\"hi\"\"\", Font = F1>"), "say \"hi\"");
    EXPECT_EQ(firstQuotedValue("<|, \"12\">"), "12");
    EXPECT_EQ(firstQuotedValue("<|,41>"), "");
    EXPECT_EQ(firstQuotedValue("<\"\x1b$B\"\x1b(B\">"), "\x1b$B\"\x1b(B");
}

TEST(Attributes, AttributeTextsAreConvertedLikeText) {
    CharacterSettings settings;
    EXPECT_EQ(convertAttributeText("\"  I - \"", settings), "  I - ");
    EXPECT_EQ(convertAttributeText("166", settings), "166");
    EXPECT_EQ(convertAttributeText("\"a <<b> \"\"c\"\" <#e9><#7f>\"", settings),
              "a <:lt>b<:gt> \"c\" \xe9\"");
    EXPECT_EQ(convertAttributeText("\"<#7f>x\"", settings, true), "<:ldq>x");
    settings.smartQuotes = false;
    EXPECT_EQ(convertAttributeText("\"<#7f>x\"", settings, true), "\"x");
    settings.japaneseSource = true;
    EXPECT_EQ(convertAttributeContent("<#e9>", settings), "<:r233>");
}

TEST(ClassInformation, ReadOnlySharedPrefixAndEffectivity) {
    auto read = [](const char* tag) { return readClassInformation(TagAttributes::parse(tag)); };
    EXPECT_TRUE(read("<!Class, \"a\", Read Only = yes>").readOnly);
    EXPECT_FALSE(read("<!Class, \"a\", Read Only = no>").readOnly);
    const ClassInformation shared = read("<!Class, \"|:a\", Contents = Shared>");
    EXPECT_TRUE(shared.sharedContents);
    EXPECT_FALSE(shared.prefixContents);
    const ClassInformation both = read("<!Class, \"a\", Contents = Prefix Shared>");
    EXPECT_TRUE(both.sharedContents);
    EXPECT_TRUE(both.prefixContents);
    EXPECT_TRUE(read("<!Class, \"a\", Contents = Prefix>").prefixContents);
    EXPECT_EQ(read("<!Class, \"a\", @Level = \"2\">").effectivity, "\"2\"");
    EXPECT_EQ(read("<!Class, \"a\">").effectivity, std::nullopt);
}
