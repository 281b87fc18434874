// Text strings and chart labels written back as diagram strings, checked
// against the forward conversion's reading of diagram strings.
#include "backward/text_conversion.h"
#include "backward_test_support.h"
#include "conversion/result_code.h"
#include "forward/diagram_texts.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::backward;
using namespace quillex::testing;

namespace {

// The Interleaf text of a translated <ts 1> line, as one diagram string.
std::string writtenBack(const std::string& qmxLine, ForwardSide& side) {
    Lines block = qmxElements({qmxLine});
    block.push_back("</ts>");
    std::string text;
    for (const std::string& line : convertTextString(block, "</ts>", side.backwardContext()))
        text += line;
    return text;
}

// The QMX line the forward conversion makes of a diagram string.
std::string forwardLine(const std::string& diagramText, ForwardSide& side) {
    return qmxLines({"<ts 1>", convertDiagramLine(diagramText, side.settings.characters)})[0];
}

} // namespace

TEST(TextString, EscapesAndCodes) {
    ForwardSide side;
    EXPECT_EQ(writtenBack("<ts 1>a (b), c\\d", side), "a\\ \\(b\\)\\,\\ c\\\\d");
    EXPECT_EQ(writtenBack("<ts 1><:r233><:lq>x<:lt>", side), "\\xe9\\x60x\\x3c");
    EXPECT_EQ(writtenBack("<ts 1>caf\xE9\x99\t<:r27>", side), "caf\\xe9\\(tm\\)\\x1b");

    const Lines noClosing = {"<ts 1>", "text"};
    EXPECT_THROW(convertTextString(noClosing, "</ts>", side.backwardContext()), ConversionFailure);
    const Lines tab = {"<ts 1>", "<:t>", "</ts>"};
    try {
        convertTextString(tab, "</ts>", side.backwardContext());
        FAIL() << "a tab tag has no place in a diagram string";
    } catch (const ConversionFailure& failure) {
        EXPECT_EQ(failure.code(), result::ParserError);
    }
}

// forward(backward(T)) = T for what the forward conversion makes of diagram
// strings, and for translations of it.
TEST(TextString, RoundTrips) {
    ForwardSide side;
    const Lines sources = {"plain", "\\<top\\> \\x41\\X0104\\xe9", "a\\,b\\(c\\)\\\\",
                           "\\x1b\\x09"};
    for (const std::string& source : sources) {
        const std::string qmx = forwardLine(source, side);
        EXPECT_EQ(forwardLine(writtenBack(qmx, side), side), qmx) << source;
    }
    for (const std::string& translation : kTranslations) {
        const std::string qmx = "<ts 1>" + translation;
        EXPECT_EQ(forwardLine(writtenBack(qmx, side), side), qmx) << translation;
    }
}

// A Japanese translation: double-byte characters and half-width katakana
// become the escapes of their codes, which a Japanese source reads back.
TEST(TextString, JapaneseRoundTrip) {
    ForwardSide side(true);
    const std::string qmx = "<ts 1>\x82\xA0 (\x88\x9F)\xB1\xDF, x\\y";
    const std::string written = writtenBack(qmx, side);
    EXPECT_EQ(written, "\\X03a2\\ \\(\\X09a1\\)\\X06b1\\X06df\\,\\ x\\\\y");
    EXPECT_EQ(forwardLine(written, side), qmx);
}
