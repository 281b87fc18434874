// Index markers and cross-reference variables written back, checked against
// the forward conversion's blocks of the same markup.
#include "backward/index_marker_rewriting.h"
#include "backward/xref_rewriting.h"
#include "backward_test_support.h"
#include "conversion/result_code.h"
#include "forward/attributes.h"
#include "forward/document_piece.h"
#include "forward/index_markers.h"
#include "forward/xref_variables.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::backward;
using namespace quillex::testing;

namespace {

bool isIndexText(const std::string& line) {
    return line.starts_with("<ie>") || line.starts_with("<il>") || line.starts_with("<ss>") ||
           line.starts_with("<sa>");
}

Lines forwardMarker(const std::string& tag, ForwardSide& side) {
    return qmxLines(quillex::convertIndexMarker(tag, side.context));
}

std::string markerWrittenBack(const Lines& block, ForwardSide& side) {
    const Lines written = backward::convertIndexMarker(qmxElements(block), side.backwardContext());
    EXPECT_EQ(written.size(), 1u);
    return written.empty() ? std::string() : written.front();
}

// A variable component: its start tag with the suffix in its "Lisp"
// attribute, its text, and the paragraph end.
Lines variable(const std::string& suffix) {
    return {"<\"var\", Lisp = \"(variable-tag \"\"v1\"\" var-suffix \"\"" + suffix +
                "\"\")<#0a>\">",
            "12"};
}

Lines forwardVariable(Lines component, ForwardSide& side) {
    component.push_back(kEndOfParagraphMark);
    const TagAttributes attributes = TagAttributes::parse(component.front());
    return qmxLines(strings(
        *quillex::convertCrossReferenceVariable(views(component), attributes, side.context)));
}

Lines variableWrittenBack(const Lines& block, ForwardSide& side) {
    return backward::convertCrossReferenceVariable(qmxElements(block), side.backwardContext());
}

} // namespace

// forward(backward(T)) = T for index markers of forms the generated
// documents lack (unquoted and repeated sort texts, "<<" and quotes in
// headings, no sort at all), as they are and translated.
TEST(IndexMarkers, RoundTrips) {
    const char* markers[] = {
        "<Index, \"Prices\", \"paper\", Sort = \"prices paper\", See = \"Costs\", "
        "Dictionary = \"USEnglish\">",
        "<Index, \"A <<b> \"\"c\"\"\", Sort String = hsort, \"B\", Sort String = \"b\", \"C\", "
        "See Also = \"<#e9>t<#7f>\", To Named = x>",
        "<Index, \"Solo\">",
    };
    for (const char* marker : markers) {
        ForwardSide source;
        const Lines block = forwardMarker(marker, source);
        ASSERT_GE(block.size(), 3u) << marker;
        const Lines translatedBlock = translated(block, isIndexText, kTranslations);
        for (const Lines& translation : {block, translatedBlock}) {
            ForwardSide again;
            EXPECT_EQ(forwardMarker(markerWrittenBack(translation, source), again), translation)
                << marker;
        }
    }
}

TEST(IndexMarkers, LevelsAndSortTexts) {
    ForwardSide side;
    side.replacements["<imk 1>"] = "<Index, \"a\", \"b\", \"c\", See = \"s\", To Named = x>";
    // A level the translation lacks ends the headings; a sort text for a
    // level without "Sort" goes in before the next level.
    EXPECT_EQ(markerWrittenBack({"<imk 1>", "<ie>A", "<ss>sa", "<il>B", "</imk>"}, side),
              "<Index,\n\"A\",\nSort = \"sa\",\n\"B\",\nSee = \"s\",\nTo Named = x>");
    // Without a skeleton marker: the headings of six levels and their sort
    // texts.
    EXPECT_EQ(markerWrittenBack({"<imk>", "<ie>A", "<ss>x", "<il>B", "</imk>"}, side),
              "<Index,\n\"A\",\nSort = \"x\",\n\"B\">");
    EXPECT_THROW(markerWrittenBack({"<imk 2>", "</imk>"}, side), ConversionFailure);
    EXPECT_THROW(markerWrittenBack({"<imk 1>", "<ie>A"}, side), ConversionFailure);
}

TEST(Variables, SuffixEscapesAndTheRestOfTheComponent) {
    ForwardSide side;
    const Lines component = {"<\"var\", Lisp = \"(variable-tag \"\"v\"\" var-suffix \"\"old\\\"\""
                             "\"\" more)<#0a>\">",
                             "1<#e9>"};
    side.registry.enterReplacement("<xrv \"1\" 1>",
                                   component[0] + "\n\n\n\n\n" + component[1] + "\n\n\n\n\n");
    // Text after the closing quotes of the suffix stays; the items come back
    // as lines.
    EXPECT_EQ(variableWrittenBack({"<xrv \"1\" 1>a\"b\\<:r233><:ldq><:lt></xrv>"}, side),
              (Lines{"<\"var\", Lisp = \"(variable-tag \"\"v\"\" var-suffix \"\"a\\\"\"b\\\\"
                     "\\xe9\\\\^?\\x3c\\\"\" more)<#0a>\">",
                     "1<#e9>"}));
    EXPECT_THROW(variableWrittenBack({"<xrv \"1\" 2>", "</xrv>"}, side), ConversionFailure);
    EXPECT_THROW(variableWrittenBack({"<xrv \"1\" 1>x"}, side), ConversionFailure);
}

// A Japanese suffix: ASCII as it is, other characters as code escapes.
TEST(Variables, JapaneseSuffixRoundTrip) {
    ForwardSide source(true);
    forwardVariable(variable(""), source);
    const Lines block = {"<xrv \"12\" 1>\x82\xA0 a\\b\xB1", "</xrv>"};
    const Lines written = variableWrittenBack(block, source);
    EXPECT_NE(written.front().find("\"\"\\X03a2\\ a\\\\b\\X06b1\\\"\""), std::string::npos);
    ForwardSide again(true);
    EXPECT_EQ(forwardVariable(written, again), block);
}
