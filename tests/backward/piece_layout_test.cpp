// The layout of a filled piece's lines, and where long text lines are cut.
#include "backward/piece_layout.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillex;
using namespace quillex::backward;

namespace {

struct Layout {
    PieceKind kind;
    std::vector<std::string> lines;
    std::string text;
};

TEST(PieceLayout, LaysOutEachKindOfLine) {
    const std::string hundred = std::string(74, 'a') + std::string(26, 'b');
    const std::string esc = "\x1B";
    const std::vector<Layout> layouts = {
        {PieceKind::Cell, {"short"}, "short<SR>\n"},
        {PieceKind::PageNumberStream, {"short", "<F0>"}, "short<SR>\n\n<F0><SR>\n"},
        {PieceKind::EndOfDeclarations,
         {hundred},
         std::string(74, 'a') + "<SR>\n" + std::string(26, 'b') + "<SR>\n\n"},
        {PieceKind::TextString,
         {hundred, "c"},
         std::string(74, 'a') + "\n" + std::string(26, 'b') + "\nc\n"},
        // The end of the declarations needs a blank after it; "<End Text>"
        // the micro-document's ")"; marks leave nothing behind.
        {PieceKind::EndOfDeclarations,
         {"<!End Declarations>", "<\"p\">", kEndOfParagraphMark, "<Comment, QMX No Change>", "x"},
         "<!End Declarations>\n\n<\"p\"><SR>\nx<SR>\n"},
        {PieceKind::MicroDocument, {"<\"p\">", "<End Text>", ")"}, "<\"p\"><SR>\n<End Text>\n)\n"},
        {PieceKind::Cell, {"<<x", ")"}, "<<x<SR>\n)<SR>\n"},
        // A JIS run is written whole and closed by the layout itself.
        {PieceKind::Cell,
         {"a", esc, "$B", "<#3c>", "F", esc, "(Bb"},
         "a<SR>\n" + esc + "$B<F" + esc + "(B<SR>\nb<SR>\n"},
        {PieceKind::Cell, {esc, "$Bx", esc, "(B", "c"}, esc + "$Bx" + esc + "(B<SR>\nc<SR>\n"},
    };
    for (const Layout& layout : layouts) {
        DocumentPiece piece(layout.kind);
        piece.lines = layout.lines;
        EXPECT_EQ(layOutPiece(piece, false), layout.text) << layout.kind;
    }
    EXPECT_FALSE(isWrittenBack(PieceKind::Frame));
    EXPECT_TRUE(isWrittenBack(PieceKind::TextAfterFrame));
}

// Units no cut may split (escapes, character codes, double-byte characters
// with a backslash as their second byte, leads 0xF0 to 0xFC as a translator
// may type them, a trail byte in that range), and single bytes between them.
const std::vector<std::string> kUnits = {
    "a",        " ",          "\\(",      "\\\\",     "\\x3c",    "\\X0123", "<#e9>", "<#012c>",
    "\x82\xa0", "\\\x95\x5c", "\xF0\x9F", "\xFC\xFC", "\x88\xF0", "<",       "#",     "x"};

TEST(PieceLayout, CutsTextLinesOnlyBetweenUnitsAndAsLateAsTheyFit) {
    std::mt19937 random(74);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        std::vector<std::size_t> ends; // where each unit ends
        const int count = std::uniform_int_distribution<int>(0, 120)(random);
        for (int i = 0; i < count; ++i) {
            text +=
                kUnits[std::uniform_int_distribution<std::size_t>(0, kUnits.size() - 1)(random)];
            ends.push_back(text.size());
        }
        // No two units glued together read as one, so every unit end is a
        // place where a cut is allowed.
        const std::vector<std::string_view> chunks = cutTextLine(text, true);
        std::string joined;
        for (std::size_t i = 0; i < chunks.size(); ++i) {
            joined += chunks[i];
            EXPECT_LE(chunks[i].size(), 74u) << text;
            if (i + 1 < chunks.size()) {
                EXPECT_TRUE(std::find(ends.begin(), ends.end(), joined.size()) != ends.end())
                    << "cut inside a unit of " << text << " at " << joined.size();
                // The next unit would not have fitted.
                const auto next = std::upper_bound(ends.begin(), ends.end(), joined.size());
                EXPECT_GT(*next - (joined.size() - chunks[i].size()), 74u) << text;
            }
        }
        EXPECT_EQ(joined, text);
    }
    EXPECT_EQ(cutTextLine("", false), std::vector<std::string_view>{""});
}

} // namespace
