// Frames through the forward conversion: reading order of diagram texts,
// print-locked and untranslatable objects, named objects, footnotes, shared
// and empty frames, micro-documents, and the escapes of diagram texts.
#include "conversion_fixture.h"

using namespace quillex;
using namespace quillex::testing;

namespace {

using Lines = std::vector<std::string>;

const std::string kShared = "<!Page, Hyphenation = on>\n\n"
                            "<!Master Frame,\n\tName =\t\"logo\",\n\tDiagram =\nV11,\n" +
                            textString("Logo", "0", "0") +
                            ">\n\n<!Master Diagramming Object,\n\tName =\t\"stamp\",\n"
                            "\tDiagram =\nV11,\n" +
                            textString("Approved", "0", "0") + ">\n\n";

class FrameTest : public ConversionTest {
  protected:
    // The body lines of a paragraph "Text" with `frames` after it.
    Lines convertFrames(const std::string& frames, const std::string& declarations = kShared) {
        EXPECT_EQ(convert("frames.DOC",
                          document(declarations, "<\"p\">\n\n<|, \"1\">Text" + frames + "\n\n")),
                  result::Success);
        return body();
    }
};

} // namespace

// Blocks come out by their second position, then their first, whatever
// their order in the file; equal positions keep the file's order.
TEST_F(FrameTest, TextsComeOutInReadingOrder) {
    const Lines lines = convertFrames(
        frame("", textString("C", "1.0", "2.0") + textString("B", "2.0", "1.0") +
                      textString("A", "1.0", "1.0") + textString("D", "1.0", "2.0") +
                      chart("L", "0.5", "1.5") + microDocument("<\"p\">M", "9", "0.5")));
    const Lines expected = {"<page \"1\">",  "<ps \"p\" 1>Text<:af 1>",
                            "<af 1>",        "<tr 1>",
                            "<ps \"p\" 1>M", "</tr>",
                            "<ts 3>A",       "</ts>",
                            "<ts 2>B",       "</ts>",
                            "<tl 1>L",       "</tl>",
                            "<ts 1>C",       "</ts>",
                            "<ts 4>D",       "</ts>",
                            "</af>",         "</page>"};
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(host.results.empty());
}

// Print-locked texts (by their own number field or an enclosing group or
// named object) and objects that cannot be translated are only counted.
TEST_F(FrameTest, LockedAndUntranslatableObjectsAreCounted) {
    const Lines lines = convertFrames(
        frame("", group(textString("In group", "0", "0") + group(chart("Deep", "0", "0")) +
                            microDocument("<\"p\">Locked"),
                        0x100) +
                      textString("Own bit", "0", "0", 0x1ff) + textString("Free", "0", "0", 0xff) +
                      namedObject("\"stamp\"", 0x100, 1, textString("Inner", "0", "0")) +
                      "(m1 x)(C4 y)(O2 z)(O3 w)\n"));
    const Lines expected = {
        "<page \"1\">", "<ps \"p\" 1>Text<:af 1>", "<af 1>", "<ts 1>Free", "</ts>", "</af>",
        "</page>"};
    EXPECT_EQ(lines, expected);
    const Lines warnings = {"Warning! 3 Print Locked Text String(s) in frame 1.",
                            "Warning! 1 Print Locked Chart Label(s) in frame 1.",
                            "Warning! 1 Print Locked Micro Document(s) in frame 1.",
                            "Warning! 1 Print Locked Shared Named Object(s) in frame 1.",
                            "Warning! 1 Equation(s) in frame 1.",
                            "Warning! 1 Outline Object(s) in frame 1.",
                            "Warning! 2 Old Style Outline Object(s) in frame 1."};
    EXPECT_EQ(host.results, warnings);
}

// A frame with nothing to translate is an empty anchored frame; its counts
// name its number.
TEST_F(FrameTest, FrameWithOnlyAnEquationIsEmpty) {
    const Lines lines = convertFrames(frame("", "(m1 x)\n") + " after");
    EXPECT_EQ(lines, (Lines{"<page \"1\">", "<ps \"p\" 1>Text<:iaf 1> after", "</page>"}));
    EXPECT_EQ(host.results, Lines{"Warning! 1 Equation(s) in frame 1."});
    EXPECT_EQ(pieceTag(PieceKind::TextAfterFrame, 3), "<:iaf 1>");
}

// Named objects: a shared one whose master is declared shows its name; one
// that is not shared, or whose master is not declared, shows nothing of its
// own but its texts. Effectivity reaches the texts inside.
TEST_F(FrameTest, NamedObjectsAndEffectivity) {
    const Lines lines = convertFrames(
        frame("", namedObject("\"stamp\"", 0, 3,
                              textString("Eff", "0", "1") + chart("Lab", "0", "2"), "0", "0.5") +
                      namedObject("\"other\"", 0, 1, textString("Plain", "0", "3")) +
                      namedObject("\"stamp\"", 0, 0, "")));
    const Lines expected = {"<page \"1\">", "<ps \"p\" 1>Text<:af 1>",
                            "<af 1>",       "<tn \"stamp\">",
                            "<ts 1>Eff",    "</ts>",
                            "<tl 1>Lab",    "</tl>",
                            "<ts 2>Plain",  "</ts>",
                            "</af>",        "</page>"};
    EXPECT_EQ(lines, expected);
    const Lines warnings = {
        "Warning! The named object <tn \"stamp\"> in frame 1 has effectivity attributes.",
        "Warning! The text string <ts 1> in frame 1 is in a named object that has effectivity "
        "attributes.",
        "Warning! The chart label <tl 1> in frame 1 is in a named object that has effectivity "
        "attributes."};
    EXPECT_EQ(host.results, warnings);
    // The shared object's text goes to the ancillary file, once.
    const Lines ancillary = section("FRAMES.DOC");
    EXPECT_EQ(std::count(ancillary.begin(), ancillary.end(), "<tn \"stamp\">"), 1);
    EXPECT_NE(std::find(ancillary.begin(), ancillary.end(), "<ts 3>Approved"), ancillary.end());
}

// Footnotes: the value of the autonumber their "Numbered" attribute holds,
// an inline anchor in the text and the block behind the paragraph. A
// "Numbered" without a value is an ordinary frame.
TEST_F(FrameTest, FootnotesAndNumberedFramesWithoutValue) {
    const std::string note = frame("\tNumbered = '<Autonum, \"fn\", 1, Value = \"*\">',\n",
                                   microDocument("<\"p\">Note"));
    const std::string numbered =
        frame("\tNumbered = '<Autonum, \"fig\", 1>',\n", textString("Fig", "0", "0"));
    const Lines lines = convertFrames(note + " more" + numbered);
    const Lines expected = {"<page \"1\">", "<ps \"p\" 1>Text<:fn * 1> more<:af 2>",
                            "<fn * 1>",     "<af 1>",
                            "<tr 1>",       "<ps \"p\" 1>Note",
                            "</tr>",        "</af>",
                            "</fn>",        "<af 2>",
                            "<ts 1>Fig",    "</ts>",
                            "</af>",        "</page>"};
    EXPECT_EQ(lines, expected);
}

// A frame with shared contents and no diagram of its own stands for its
// master when a style declares it; otherwise it is an empty frame. The
// master's text is collected once, at the first use (after the body's
// frames have their numbers).
TEST_F(FrameTest, SharedFramesStandForTheirMaster) {
    const std::string use = "<Frame,\n\tName =\t\"logo\",\n\tShared Contents = yes>";
    const std::string unknown = "<Frame,\n\tName =\t\"nologo\",\n\tShared Contents = yes>";
    const std::string notShared = "<Frame,\n\tName =\t\"logo\">";
    const Lines lines = convertFrames(use + "a" + use + "b" + unknown + "c" + notShared);
    EXPECT_EQ(lines, (Lines{"<page \"1\">",
                            "<ps \"p\" 1>Text<:saf \"logo\" 1>a<:saf \"logo\" 2>b<:iaf 1>c<:iaf 2>",
                            "</page>"}));
    const Lines ancillary = section("FRAMES.DOC");
    const Lines shared(
        std::find(ancillary.begin(), ancillary.end(), "<bb \"Shared Frame Formats\">"),
        std::find(ancillary.begin(), ancillary.end(),
                  "<bb \"Text In Shared Named Object Formats\">"));
    EXPECT_EQ(shared, (Lines{"<bb \"Shared Frame Formats\">",
                             "<bb \"Shared Frame Format\"><:saf \"logo\" 1>", "<af 3>",
                             "<ts 1>Logo", "</ts>", "</af>"}));
    EXPECT_EQ(collector.sharedFrames.at("logo"), Lines{options.inputPath});
}

// Diagram texts are unescaped and their character codes converted with
// quote tags; a micro-document's opening tag and end stand behind <tr>.
TEST_F(FrameTest, DiagramTextEscapesAndMicroDocumentMarkup) {
    const Lines lines =
        convertFrames(frame("", textString("\\<a\\> \\(b\\)\\, c\\\\d \\x7fq\" \\X80a0", "0", "0") +
                                    microDocument("<\"p\">A <F22>b<F0>", "0", "1")));
    const Lines expected = {"<page \"1\">",
                            "<ps \"p\" 1>Text<:af 1>",
                            "<af 1>",
                            "<ts 1><:lt>a<:gt> (b), c\\d <:ldq>q<:rdq> <:bb \"Pagenumber\">",
                            "</ts>",
                            "<tr 1>",
                            "<ps \"p\" 1>A <:fc 1>b<:/fc>",
                            "</tr>",
                            "</af>",
                            "</page>"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(replacement("<tr 1>"), "<!Page, Width = 2 inches>");
    EXPECT_EQ(knownTag("<End Text>"), "</tr>");
}

// Group and named-object scopes close: a text after a locked group is
// offered again.
TEST_F(FrameTest, LockedScopesEndWithTheirObject) {
    const Lines lines = convertFrames(
        frame("", group(textString("Locked", "0", "0"), 0x100) + textString("After", "0", "1") +
                      namedObject("\"n\"", 0x100, 0, textString("In", "0", "0")) +
                      textString("Last", "0", "2")));
    const Lines expected = {"<page \"1\">", "<ps \"p\" 1>Text<:af 1>",
                            "<af 1>",       "<ts 1>After",
                            "</ts>",        "<ts 2>Last",
                            "</ts>",        "</af>",
                            "</page>"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(host.results, Lines{"Warning! 2 Print Locked Text String(s) in frame 1."});
}

// A paragraph whose contents are not offered (shared, or read-only) takes
// its anchored frames with it, micro-documents included: the paragraph ends
// at its own end mark, not at the first one inside the micro-document, and
// the text after the frame stays in the paragraph.
TEST_F(FrameTest, AParagraphKeptWholeKeepsItsFramesWithTheirMicroDocuments) {
    const std::string declarations = "<!Class, \"s\",\n\tContents =\tShared>\n\n"
                                     "<!Class, \"ro\",\n\tRead Only =\tyes>\n\n";
    const std::string anchored =
        frame("", textString("Label", "0", "0") + microDocument("<\"p\">Inside", "0", "1"));
    for (const std::string kind : {"s", "ro"}) {
        SCOPED_TRACE(kind);
        ASSERT_EQ(convert("kept.DOC",
                          document(declarations, "<\"" + kind + "\">\n\n<|, \"1\">Before" +
                                                     anchored + " after\n\n<\"p\">\n\nNext\n\n")),
                  result::Success);
        const Lines lines = body();
        ASSERT_EQ(lines.size(), 4u) << ::testing::PrintToString(lines);
        EXPECT_EQ(lines[0], "<page \"1\">");
        EXPECT_TRUE(lines[1].starts_with(kind == "s" ? "<v \"Before" : "<r \"Before")) << lines[1];
        EXPECT_NE(lines[1].find("Inside"), std::string::npos) << lines[1];
        EXPECT_NE(lines[1].find(" after"), std::string::npos) << lines[1];
        EXPECT_EQ(lines[2], "<ps \"p\" 1>Next");
        EXPECT_EQ(lines[3], "</page>");
    }
}
