// Cross-reference variables: the suffix read out of the "Lisp" attribute
// with its escapes, the <xrv> block, and the suffix length warning.
#include "conversion_fixture.h"
#include "forward/xref_variables.h"

using namespace quillex;
using namespace quillex::testing;

namespace {

using Lines = std::vector<std::string>;

// A "Lisp" value as the tag writes it (quotes doubled) with `suffix`.
std::string lisp(const std::string& suffix) {
    return "\"(variable-tag \"\"v1\"\" var-suffix \"\"" + suffix + "\"\")<#0a>\"";
}

std::string variableDocument(const std::string& suffix, const std::string& text = "12") {
    return document("", "<\"p\">\n\n<|, \"1\">Before\n\n<\"var\", Lisp = " + lisp(suffix) + ">" +
                            text + "\n\n<\"p\">\n\nAfter\n\n");
}

class VariableTest : public ConversionTest {};

} // namespace

TEST(CrossReferenceVariable, SuffixEscapes) {
    auto read = [](const std::string& value, bool smartQuotes = true) {
        const auto variable = readCrossReferenceVariable(value, smartQuotes);
        return variable ? variable->suffix : std::string("(none)");
    };
    EXPECT_EQ(read(lisp("a\tb\nc\rd")), "abcd");
    EXPECT_EQ(read(lisp("\\^?q\\^?")), "<:ldq>q<:ldq>");
    EXPECT_EQ(read(lisp("\\^?q"), false), "\"q");
    EXPECT_EQ(read(lisp("say \\\"\"hi\\\"\"")), "say \"hi\"");
    EXPECT_EQ(read(lisp("\\x41\\B\\X0104\\")), "<#41>B<#0104>");
    EXPECT_EQ(read(lisp("a\\\\b\\qc")), "a\\b\\qc");
    EXPECT_EQ(read(lisp("")), "");
    // Not a variable: a pattern missing, or in the wrong order.
    EXPECT_EQ(read("\"(variable-tag \"\"v\"\")\""), "(none)");
    EXPECT_EQ(read("\"(var-suffix \"\"s\"\" variable-tag \"\"v\"\")\""), "(none)");
    EXPECT_EQ(readCrossReferenceVariable(lisp("x"), true)->name, "v1");
}

// The component becomes <xrv> with its text in the argument and the suffix,
// converted, offered between the tags; its paragraph end goes with it.
TEST_F(VariableTest, VariableBecomesItsBlock) {
    ASSERT_EQ(convert("var.DOC", variableDocument(" (\\x41\\<<1)", "12<Tab>b")), result::Success);
    const Lines expected = {"<page \"1\">", "<ps \"p\" 1>Before", "<xrv \"12<:t>b\" 1> (A<:lt>1)",
                            "</xrv>",       "<ps \"p\" 1>After",  "</page>"};
    EXPECT_EQ(body(), expected);
    EXPECT_EQ(replacement("<xrv \"12<:t>b\" 1>"),
              "<\"var\", Lisp = " + lisp(" (\\x41\\<<1)") +
                  ">\n\n\n\n\n12\n\n\n\n\n<Tab>\n\n\n\n\nb\n\n\n\n\n");
    EXPECT_TRUE(host.results.empty());
}

TEST_F(VariableTest, EmptySuffixAndReusedMarkup) {
    const std::string component = "<\"var\", Lisp = " + lisp("") + ">3\n\n";
    ASSERT_EQ(
        convert("var.DOC", document("", "<\"p\">\n\n<|, \"1\">A\n\n" + component + component)),
        result::Success);
    const Lines expected = {"<page \"1\">",  "<ps \"p\" 1>A", "<xrv \"3\" 1>", "</xrv>",
                            "<xrv \"3\" 1>", "</xrv>",        "</page>"};
    EXPECT_EQ(body(), expected);
}

// 15 visible characters pass; 16 warn with the limit 20. A tag counts one.
TEST_F(VariableTest, LongSuffixWarns) {
    ASSERT_EQ(convert("var.DOC", variableDocument("fifteen chars..")), result::Success);
    EXPECT_TRUE(host.results.empty());
    ASSERT_EQ(convert("var.DOC", variableDocument("\\^?ifteen chars...")), result::Success);
    EXPECT_EQ(host.results,
              (Lines{"Warning! The suffix in the cross-reference variable 'v1' is 16 characters "
                     "long.",
                     "After translation it may exceed the maximum length in Interleaf (20 "
                     "characters)."}));
}

// A "Lisp" attribute that defines no variable leaves an ordinary paragraph.
TEST_F(VariableTest, OtherLispAttributesAreOrdinaryComponents) {
    ASSERT_EQ(
        convert("var.DOC", document("", "<\"p\">\n\n<|, \"1\">A\n\n<\"q\", Lisp = \"(x)\">B\n\n")),
        result::Success);
    EXPECT_EQ(body(), (Lines{"<page \"1\">", "<ps \"p\" 1>A", "<ps \"q\" 2>B", "</page>"}));
}
