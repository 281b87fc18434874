// Frames and diagram objects.
#include "diagram_writer.h"

#include "running_text.h"
#include "vocabulary.h"

namespace quillex::docgen {
namespace {

// A run of zero fields: ",0,0,0".
std::string zeros(int count) {
    std::string fields;
    for (int i = 0; i < count; ++i)
        fields += ",0";
    return fields;
}

} // namespace

void DiagramWriter::newLine(int depth) {
    c_.out.newline();
    c_.out.raw(std::string(static_cast<std::size_t>(depth), ' '));
}

// The object number field; bit 0x100 marks an object locked for printing.
std::string DiagramWriter::number(bool locked) {
    return std::to_string((locked ? 0x100 : 0) | c_.random.between(0, 15));
}

std::string DiagramWriter::diagramText(int words) {
    RandomSource& random = c_.random;
    std::string text;
    for (int i = 0; i < words; ++i) {
        if (i > 0)
            text += ' ';
        if (c_.japanese() && random.chance(400))
            text += japaneseWord(random, true);
        else
            text += escapeDiagramText(englishWord(random));
        if (random.chance(60))
            text += escapeDiagramText(random.chance(500) ? "(a, b)" : "<x>");
        switch (random.below(30)) {
        case 0:
            text += "\\xe9";
            break;
        case 1:
            text += "\\X0104";
            break;
        case 2:
            text += "\\ ";
            break;
        case 3:
            text += "\\\\";
            break;
        default:
            break;
        }
    }
    return text;
}

void DiagramWriter::frameAttributes(std::string_view name) {
    RandomSource& random = c_.random;
    c_.out.raw("\n\tName =\t\t\t\"");
    c_.out.raw(name);
    c_.out.raw("\",\n\tPlacement =\t\t");
    c_.out.raw(random.chance(700) ? "At Anchor" : "Following Anchor");
    c_.out.raw(",\n\tWidth =\t\t\t" + decimal(random, 6) + " inches,\n\tHeight =\t\t" +
               decimal(random, 4) + " inches,");
    if (random.chance(300))
        c_.out.raw("\n\tVertical Alignment =\tBottom + 1.40 inches,");
}

void DiagramWriter::diagram(FrameContent content) {
    RandomSource& random = c_.random;
    c_.out.raw("\n\tDiagram =\nV11,\n(g9,1,0,");
    switch (content) {
    case FrameContent::Mixed:
        for (int i = random.between(1, 5); i > 0; --i)
            anyObject(1);
        break;
    case FrameContent::TextStrings:
        for (int i = random.between(1, 6); i > 0; --i)
            textString(1, diagramText(random.between(1, 8)));
        break;
    case FrameContent::Chart:
        chart(1);
        break;
    case FrameContent::MicroDocument:
        microDocument(1, false);
        break;
    case FrameContent::NamedObject:
        namedObject(1, "obj" + std::to_string(c_.nextObject++), false);
        break;
    case FrameContent::SharedNamedObject:
        namedObject(1, names::kSharedNamedObject, true);
        break;
    case FrameContent::Graphics:
        equation(1);
        outline(1);
        oldStyleOutline(1);
        skippedBlock(1);
        graphic(1);
        break;
    }
    c_.out.raw(")>");
}

void DiagramWriter::anchoredFrame(FrameContent content) {
    c_.out.raw("<Frame,");
    frameAttributes("fig" + std::to_string(c_.nextFrame++));
    diagram(content);
    c_.out.raw(" ");
}

void DiagramWriter::footnoteFrame() {
    RandomSource& random = c_.random;
    c_.out.raw("<Frame,\n\tNumbered =\t\t'<Autonum, ");
    c_.out.raw(names::kFootnoteStream);
    c_.out.raw(", 1, Value = \"" + std::to_string(random.between(1, 99)) + "\">',");
    c_.out.raw("\n\tPlacement =\t\tBottom of Page,\n\tWidth =\t\t\t6 inches,\n\tDiagram =\nV11,\n"
               "(g9,0,0,");
    microDocument(1, true);
    c_.out.raw(")>");
}

void DiagramWriter::sharedFrameReference() {
    c_.out.raw("<Frame,\n\tName =\t\t\t\"");
    c_.out.raw(names::kSharedFrame);
    c_.out.raw("\",\n\tShared Contents = yes,\n\tPlacement =\t\tAt Anchor,\n\tWidth =\t\t\t1 "
               "inches>");
}

void DiagramWriter::masterFrame(std::string_view name) {
    c_.out.raw("<!Master Frame,");
    frameAttributes(name);
    c_.out.raw("\n\tDiagram =\nV11,\n(g9,1,0,");
    textString(1, diagramText(3));
    if (c_.random.chance(500))
        microDocument(1, false);
    c_.out.raw(")>\n\n");
}

void DiagramWriter::masterDiagrammingObject(std::string_view name) {
    c_.out.raw("<!Master Diagramming Object,\n\tName =\t\t\t\"");
    c_.out.raw(name);
    c_.out.raw("\",\n\tDiagram =\nV11,\n");
    namedObject(0, name, true);
    c_.out.raw(">\n\n");
}

void DiagramWriter::headerOrFooter(std::string_view opening) {
    RandomSource& random = c_.random;
    c_.out.endLine();
    c_.out.raw(opening);
    c_.out.raw(" Frame =\nV11,\n(g9,1,0,");
    textString(1, "\\X80a0");
    textString(1, diagramText(random.between(1, 5)));
    if (random.chance(300))
        microDocument(1, false);
    if (random.chance(200))
        graphic(1);
    c_.out.raw(")>\n\n");
}

void DiagramWriter::anyObject(int depth) {
    RandomSource& random = c_.random;
    // Below the top level only small objects, which bounds the size of a frame.
    if (depth >= 2) {
        if (random.chance(800))
            textString(depth, diagramText(random.between(1, 4)));
        else
            graphic(depth);
        return;
    }
    switch (random.below(12)) {
    case 0:
    case 1:
    case 2:
        textString(depth, diagramText(random.between(1, 8)));
        break;
    case 3:
        group(depth, random.between(0, 3));
        break;
    case 4:
        chart(depth);
        break;
    case 5:
        microDocument(depth, false);
        break;
    case 6:
        namedObject(depth, "obj" + std::to_string(c_.nextObject++), false);
        break;
    case 7:
        graphic(depth);
        break;
    case 8:
        equation(depth);
        break;
    case 9:
        outline(depth);
        break;
    case 10:
        oldStyleOutline(depth);
        break;
    default:
        skippedBlock(depth);
        break;
    }
}

void DiagramWriter::group(int depth, int children) {
    newLine(depth);
    c_.out.raw("(g9,1," + number(c_.random.chance(150)) + ",");
    for (int i = 0; i < children; ++i)
        anyObject(depth + 1);
    c_.out.raw(")");
}

// Twelve fields: the second is the number, the fourth and fifth the position,
// the last the text.
void DiagramWriter::textString(int depth, std::string_view text) {
    RandomSource& random = c_.random;
    newLine(depth);
    c_.out.raw("(t14,1," + number(random.chance(80)) + ",0," + decimal(random, 6) + "," +
               decimal(random, 9) + ",2,7,0,0,,wst:timsps10,");
    c_.out.raw(text);
    c_.out.raw(")");
}

// Nine fields, then the labels ("(cD," text "," rest ")") and data blocks.
void DiagramWriter::chart(int depth) {
    RandomSource& random = c_.random;
    newLine(depth);
    c_.out.raw("(c5,0," + number(random.chance(80)) + ",0," + decimal(random, 6) + "," +
               decimal(random, 9) + ",1,2,3,4");
    if (random.chance(500)) {
        newLine(depth + 1);
        c_.out.raw("(dat 1.5 2.5 (3 4) 7)");
    }
    for (int i = random.between(1, 4); i > 0; --i) {
        newLine(depth + 1);
        c_.out.raw("(cD," + diagramText(random.between(1, 3)) + ",0,1)");
    }
    c_.out.raw(")");
}

// Thirteen fields and a comma, the text of a small document up to
// "<End Text>", and the closing parenthesis.
void DiagramWriter::microDocument(int depth, bool footnote) {
    RandomSource& random = c_.random;
    newLine(depth);
    c_.out.raw("(T12,1," + number(!footnote && random.chance(80)) + ",0," + decimal(random, 6) +
               "," + decimal(random, 9) + ",7,127,5,7,127,8,0,2,\n");
    c_.out.raw("<!Page, Width = " + decimal(random, 6) + " inches, Height = " + decimal(random, 2) +
               " inches>\n");
    for (int i = footnote ? 1 : random.between(1, 2); i > 0; --i) {
        text_.componentStart(footnote ? "fn" : "para");
        text_.paragraph(random.between(20, 240), TextPlace::MicroDocument);
    }
    c_.out.raw("<End Text>)");
}

// Twenty-five fields: the number (second), the object number (fourth: bit 1
// shared, bit 2 effectivity), the name (sixth) and the position (fourteenth
// and fifteenth); then property pairs and the objects inside.
void DiagramWriter::namedObject(int depth, std::string_view name, bool shared) {
    RandomSource& random = c_.random;
    const bool effectivity = random.chance(250);
    const int objectNumber = (shared ? 2 : 0) | (effectivity ? 4 : 0);
    if (depth > 0)
        newLine(depth);
    c_.out.raw("(N5,1," + number(random.chance(80)) + ",0," + std::to_string(objectNumber) + ",0," +
               escapeDiagramText(name) + zeros(7) + "," + decimal(random, 6) + "," +
               decimal(random, 9) + zeros(10));
    if (effectivity)
        c_.out.raw(", @\"Platform\" = \"UNIX\"");
    textString(depth + 1, diagramText(random.between(1, 5)));
    if (random.chance(400))
        anyObject(depth + 1);
    c_.out.raw(")");
}

void DiagramWriter::graphic(int depth) {
    static constexpr std::string_view kOpeners[] = {"(v6", "(E15", "(S3", "(X2",
                                                    "(a4", "(e7",  "(o2", "(z1"};
    newLine(depth);
    c_.out.raw(c_.random.pick(kOpeners));
    c_.out.raw(",2,0,0," + decimal(c_.random, 2) + "," + decimal(c_.random, 2) + ",7,0,4,0)");
}

void DiagramWriter::equation(int depth) {
    newLine(depth);
    c_.out.raw("(m3,0,1," + decimal(c_.random, 3) + ",x sup 2 over (a+b\\) = y\\,z)");
}

void DiagramWriter::outline(int depth) {
    newLine(depth);
    c_.out.raw("(C4,0,1,wst:helvetica,65," + decimal(c_.random, 2) + ")");
}

void DiagramWriter::oldStyleOutline(int depth) {
    newLine(depth);
    c_.out.raw("(O5,4,8,1,wst:bsdutch0bi,52 (0.1 0.2 (0.3)) (0.4 \\) 0.5))");
}

// Blocks the reader passes over: polygons and the like (whose nested objects
// still count) and data blocks that end at "(D0,2,0)".
void DiagramWriter::skippedBlock(int depth) {
    RandomSource& random = c_.random;
    newLine(depth);
    if (random.chance(300)) {
        c_.out.raw("(D7,0,0 1.5 (x) y, z");
        newLine(depth);
        c_.out.raw("(D0,2,0)");
        return;
    }
    static constexpr std::string_view kOpeners[] = {"(p8", "(V2", "(i3", "(n4", "(q5"};
    c_.out.raw(random.pick(kOpeners));
    c_.out.raw(",2,8,5,7,0 \\) \\(");
    if (random.chance(500))
        graphic(depth + 1);
    else
        textString(depth + 1, diagramText(2));
    c_.out.raw(")");
}

} // namespace quillex::docgen
