// Reading rules that real documents from other generators rely on, each with
// the small document that showed it lost or damaged text: the QMX body it
// gives and the markup its new tags stand for, which the backward conversion
// writes back.
#include "conversion_fixture.h"

using namespace quillex;
using namespace quillex::testing;

namespace {

using Lines = std::vector<std::string>;

const std::string kHead = "<!OPS, Version = 8.0>\n\n<!Class, \"para\">\n\n<!Class, \"cellp\">\n\n"
                          "<!Class, \"aud\",\n\t@Audience = expert>\n\n<!End Declarations>\n\n"
                          "<\"para\">\n\n";

struct Case {
    const char* what;
    std::string body;
    Lines expected;
    std::vector<std::pair<std::string, std::string>> replacements; // tag, markup
};

std::vector<Case> cases() {
    return {
        {"a blank line ends the paragraph; the next one starts with the class's plain start",
         "<|,\"1\">First paragraph ends here\n\nSecond paragraph starts here\n",
         {"<page \"1\">", "<ps \"para\" 1>First paragraph ends here",
          "<ps \"para\" 1>Second paragraph starts here", "</page>"},
         {{"<ps \"para\" 1>", "<\"para\">" + std::string(kMarkupSeparator)}}},
        {"a line of blanks and tabs is blank; an open font closes at the paragraph end",
         "<|,\"1\">One <F1>bold\n \t \ntwo<F0> three\n",
         {"<page \"1\">", "<ps \"para\" 1>One <:fc 1>bold \t <:/fc>", "<ps \"para\" 1>two three",
          "</page>"},
         {}},
        {"blanks after a blank line lead the paragraph that follows, blanks before it trail "
         "the one before",
         "<|,\"1\">first<Tab>(a)) \n\n     <Tab><Tab>(b))\n",
         {"<page \"1\">", "<ps \"para\" 1>first<:t>(a)) ", "<ps \"para\" 1>     <:t><:t>(b))",
          "</page>"},
         {}},
        {"in a cell the new paragraph takes the cell paragraph's class; a blank line inside an "
         "open subcomponent closes it with the paragraph",
         "<|,\"1\">Before.\n\n<Table, Columns = 1>\n\n<Row>\n\n<Cell><\"cellp\">First entry\n\n"
         "Second entry\n\n<End Table>\n\n<\"para\">\n\nA <\"aud\", Subcomponent = yes, "
         "@Audience = x>sub\n\ntext<End Sub> end\n",
         {"<page \"1\">", "<ps \"para\" 1>Before.", "<tb 1>", "<row 1>", "<ct 1>",
          "<ps \"cellp\" 2>First entry", "<ps \"cellp\" 2>Second entry", "</ct>", "</row>", "</tb>",
          "<ps \"para\" 1>A <:cns \"expert\" 1>sub<:/cns>", "<ps \"para\" 1>text<:crmk 1> end",
          "</page>"},
         {{"<ps \"cellp\" 2>", "<\"cellp\">" + std::string(kMarkupSeparator)},
          {"<:crmk 1>", "<End Sub>"}}},
        {"an anchored frame after a blank line starts the new paragraph",
         "<|,\"1\">Text before\n\n<Frame, Name = \"f\", Diagram = V11, "
         "(t14,1,0,0,0.10,0.20,0,0,0,0,0,0,Pic)> after frame\n",
         {"<page \"1\">", "<ps \"para\" 1>Text before", "<ps \"para\" 1><:af 1> after frame",
          "<af 1>", "<ts 1>Pic", "</ts>", "</af>", "</page>"},
         {}},
        {"a single line end carries nothing, even inside a word; a tab is a character",
         "<|,\"1\">Tracin\ng objects\tand\ttabs\n",
         {"<page \"1\">", "<ps \"para\" 1>Tracing objects\tand\ttabs", "</page>"},
         {}},
        {"text after an anchored frame in a table cell stays in the cell",
         "<|,\"1\">Before.\n\n<Table, Columns = 1>\n\n<Row>\n\n<Cell><\"cellp\">Before the picture "
         "<Frame, Name = \"pic\", Placement = At Anchor, Diagram = V11, (g9,1,0, "
         "(t14,1,0,0,0.10,0.20,0,0,0,0,0,0,Label))> after the picture.\n\n<End Table>\n",
         {"<page \"1\">", "<ps \"para\" 1>Before.", "<tb 1>", "<row 1>", "<ct 1>",
          "<ps \"cellp\" 2>Before the picture <:af 1> after the picture.", "</ct>", "<ctart 2>",
          "<af 1>", "<ts 1>Label", "</ts>", "</af>", "</ctart>", "</row>", "</tb>", "</page>"},
         {}},
        {"unquoted index values are taken whole",
         "<|,\"1\">Text<Index, \"Heading\", Sort String = hsort, See = other>.\n",
         {"<page \"1\">", "<ps \"para\" 1>Text<:imk 1>.", "<imk 1>", "<ie>Heading", "<ss>hsort",
          "<sa>other", "</imk>", "</page>"},
         {}},
        {"an unquoted page label is the label",
         "<|,ii>Roman page two.\n",
         {"<page \"ii\">", "<ps \"para\" 1>Roman page two.", "</page>"},
         {{"<page \"ii\">", "<|,ii>"}}},
        {"<FJ> is no font change: it stays where it stands, as a marker for itself",
         "<|,\"1\">justify<FJ>\nmiddle<FJ>more text\n",
         {"<page \"1\">", "<ps \"para\" 1>justify<:crmk 1>middle<:crmk 1>more text", "</page>"},
         {{"<:crmk 1>", "<FJ>"}}},
        {"an unquoted effectivity value is written quoted",
         "<|,\"1\">Text for <\"aud\", Subcomponent = yes>experts<End Sub> only.\n",
         {"<page \"1\">", "<ps \"para\" 1>Text for <:cns \"expert\" 1>experts<:/cns> only.",
          "</page>"},
         {}},
        {"a body without page mark opens a page that stands for no markup",
         "A document without page marks.\n",
         {"<page \"\">", "<ps \"para\" 1>A document without page marks.", "</page>"},
         {{"<page \"\">", ""}}},
        {"text that no component start opens gets a paragraph that stands for no markup",
         "<|,\"1\">First.\n\n<Table, Columns = 1>\n\n<Row>\n\n<Cell>Loose cell text\n\n"
         "<End Table>\n",
         {"<page \"1\">", "<ps \"para\" 1>First.", "<tb 1>", "<row 1>", "<ct 1>",
          "<ps \"\" 2>Loose cell text", "</ct>", "</row>", "</tb>", "</page>"},
         {{"<ps \"\" 2>", ""}}},
    };
}

class RealDocumentRules : public ConversionTest {};

} // namespace

TEST_F(RealDocumentRules, EachRuleKeepsEveryWordAndTheMarkupItStandsFor) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(convert("rules.DOC", kHead + c.body), result::Success);
        EXPECT_EQ(body(), c.expected);
        for (const auto& [tag, markup] : c.replacements)
            EXPECT_EQ(replacement(tag), markup) << tag;
    }
}

// Bytes that would end a file early: trailing Ctrl-Z bytes are an end-of-file
// mark, lone carriage returns end lines, and nothing is dropped silently.
TEST_F(RealDocumentRules, LineEndsOfEveryKindAndATrailingCtrlZKeepTheText) {
    std::string crOnly = kHead + "<|,\"1\">Old line ends.\n";
    for (char& c : crOnly)
        c = c == '\n' ? '\r' : c;
    for (const std::string& text : {crOnly, kHead + "<|,\"1\">Old line ends.\n\x1a\x1a"}) {
        ASSERT_EQ(convert("ends.DOC", text), result::Success);
        EXPECT_EQ(body(), (Lines{"<page \"1\">", "<ps \"para\" 1>Old line ends.", "</page>"}));
        EXPECT_TRUE(host.results.empty());
    }
}

// A file that gives the translator nothing converts, with a warning that
// says why.
TEST_F(RealDocumentRules, NothingToTranslateIsReportedWithItsReason) {
    ASSERT_EQ(convert("decl.DOC", "<!OPS, Version = 8.0>\n\n<!Class, \"para\">\n"),
              result::Success);
    EXPECT_EQ(host.results, (Lines{"Warning! The file has no <!End Declarations> line and so no "
                                   "body: it holds no text to translate."}));
    host.results.clear();
    ASSERT_EQ(convert("empty.DOC", kHead + "<|,\"1\">\n"), result::Success);
    EXPECT_EQ(host.results, (Lines{"Warning! The file holds no text to translate."}));
    host.results.clear();
    ASSERT_EQ(convert("text.DOC", kHead + "Words.\n"), result::Success);
    EXPECT_TRUE(host.results.empty());
}
