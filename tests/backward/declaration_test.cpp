// Declarations read and written again, adapted to the target language and
// hyphenation, and the classes of the QMX small-caps and western-font tags.
#include "backward/declaration.h"
#include "backward/declaration_rewriting.h"
#include "backward_test_support.h"
#include "forward/attributes.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::backward;
using namespace quillex::testing;

namespace {

std::unique_ptr<DocumentPiece> piece(PieceKind kind, Lines lines) {
    auto made = std::make_unique<DocumentPiece>(kind);
    made->lines = std::move(lines);
    return made;
}

BackwardContext languages(const char* source, const char* target, bool hyphenation = true) {
    BackwardContext context;
    context.sourceInterleafLanguage = source;
    context.targetInterleafLanguage = target;
    context.keepTranslationHyphenation = hyphenation;
    return context;
}

} // namespace

// Written again, a declaration says what it said: the forward conversion
// reads the same attributes from it, and nothing of it is lost.
TEST(Declaration, WrittenAgainReadsTheSame) {
    const char* declarations[] = {
        "<!Page,\n\tHyphenation =\t\ton,\n\tConsecutive Hyphens =\t3>",
        "<Index, \"a, \"\"b\"\"\", Sort = \"x\", \"c\", Sort = \"y\", See = \"\x1b\"\x1b\">",
        "<!Autonumber Stream, \"footnote\", 1,\n\tLevel 1 Suffix =\t>",
        "<\"para\", Font = F20@LUSEnglish, Subcomponent = yes>",
    };
    for (const char* text : declarations) {
        const std::string written = Declaration::parse(text).write();
        EXPECT_EQ(TagAttributes::parse(written).pairs(), TagAttributes::parse(text).pairs())
            << text;
        EXPECT_EQ(Declaration::parse(written).write(), written);
    }
    EXPECT_EQ(
        Declaration::parse("<Index, \"a\", Sort = \"x\", \"b\", Sort = \"y\", Empty =>").write(),
        "<Index,\n\"a\",\nSort = \"x\",\n\"b\",\nSort = \"y\",\nEmpty =  >");
    // A value in single quotes keeps its commas and its ">".
    EXPECT_EQ(
        Declaration::parse("<!Class, \"n\", Numbered = '<Autonum, \"fn\", 1>', x = y>").write(),
        "<!Class,\n\"n\",\nNumbered = '<Autonum, \"fn\", 1>',\nx = y>");
    EXPECT_EQ(quotedValue("say \"hi\""), "\"say \"\"hi\"\"\"");
}

TEST(DeclarationRewriting, LanguageAndHyphenation) {
    const Lines source = {
        "<!Page,\n\tHyphenation =\t\ton>",
        "<!Class, \"p\",\n\tFont =\t\tF20@LUSEnglish,\n\tTop Margin =\t0.1 inches>",
        "<F20@LUSEnglish>",
        "<F0>",
        "<\"sub\", Subcomponent = yes>",
        "<Index, \"x\", Dictionary = \"USEnglish\">",
        "<Comment, QMX No Change>",
        "<F21@LUSEnglish>",
        "<Comment, QMX End of No Change>",
        "text @LUSEnglish",
    };
    int depth = 0;
    // Same languages, hyphenation kept: nothing changes.
    Lines lines = source;
    rewriteDeclarations(lines, languages("USEnglish", "USEnglish"), depth);
    EXPECT_EQ(lines, source);

    lines = source;
    rewriteDeclarations(lines, languages("USEnglish", "German", false), depth);
    const Lines expected = {
        "<!Page,\nHyphenation = off>",
        "<!Class,\n\"p\",\nFont = F20@LGerman,\nTop Margin = 0.1 inches>",
        "<F20@LGerman>",
        "<F0>",
        "<\"sub\", Subcomponent = yes>", // no font: its bytes stay
        "<Index,\n\"x\",\nDictionary = \"German\">",
        "<Comment, QMX No Change>",
        "<F21@LUSEnglish>",
        "<Comment, QMX End of No Change>",
        "text @LUSEnglish",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(depth, 0);

    // Hyphenation off alone: a page declaration without the property gets
    // it; class fonts keep their language.
    lines = {"<!Page, Width = 3 inches>", source[1]};
    rewriteDeclarations(lines, languages("German", "German", false), depth);
    EXPECT_EQ(lines, (Lines{"<!Page,\nWidth = 3 inches,\nHyphenation = off>", source[1]}));

    // A stretch left unchanged may span pieces.
    lines = {"<Comment, QMX No Change>", "<F20@LUSEnglish>"};
    rewriteDeclarations(lines, languages("USEnglish", "German"), depth);
    EXPECT_EQ(depth, 1);
    lines = {"<F20@LUSEnglish>", "<Comment, QMX End of No Change>", "<F20@LUSEnglish>"};
    rewriteDeclarations(lines, languages("USEnglish", "German"), depth);
    EXPECT_EQ(lines[0], "<F20@LUSEnglish>");
    EXPECT_EQ(lines[2], "<F20@LGerman>");
}

TEST(QmxClasses, FontAndClassesWhereMissing) {
    PieceList pieces;
    pieces.push_back(piece(PieceKind::FontDefinitions,
                           {"<!Font Definitions,\n\tF1 = Times 10,\n\tF2 = Times 11,\n\tF4 = X>"}));
    pieces.push_back(piece(PieceKind::Class, {"<!Class, \"p\">"}));
    pieces.push_back(piece(PieceKind::Class, {"<!Class, \"q\">"}));
    addQmxClasses(pieces, false, true);
    EXPECT_EQ(pieces[0]->lines.front(),
              "<!Font Definitions,\nF1 = Times 10,\nF2 = Times 11,\nF4 = X,\nF3 = Times 10.2>");
    EXPECT_EQ(pieces[1]->lines,
              (Lines{"<!Class,\n\"QMXSmallCaps\",\nFont = F3@X>", "<!Class, \"p\">"}));
    EXPECT_EQ(pieces[2]->lines, Lines{"<!Class, \"q\">"});

    // Fonts F1 to F3 taken: the next number is free.
    pieces[0]->lines = {"<!Font Definitions, F1 = a, F2 = b, F3 = c>"};
    pieces[1]->lines = {"<!Class, \"p\">"};
    addQmxClasses(pieces, false, false);
    EXPECT_EQ(pieces[1]->lines,
              (Lines{"<!Class,\n\"QMXSmallCaps\",\nFont = F4@X>",
                     "<!Class,\n\"QMXWesternFont\",\nFont = F4>", "<!Class, \"p\">"}));

    // Both declared: no new font.
    const std::string fonts(pieces[0]->lines.front());
    addQmxClasses(pieces, true, true);
    EXPECT_EQ(pieces[0]->lines.front(), fonts);
}
