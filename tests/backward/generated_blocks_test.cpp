// The blocks that carry text in values and diagram strings, taken from the
// forward conversion of generated documents (western and Japanese), written
// back and converted forward again: forward(backward(T)) = T for every text
// string, chart label, index marker, variable, page-number and autonumber
// stream block, as it is and translated.
#include "backward/format_rewriting.h"
#include "backward/index_marker_rewriting.h"
#include "backward/text_conversion.h"
#include "backward/xref_rewriting.h"
#include "backward_test_support.h"
#include "conversion/language_table.h"
#include "document_generator.h"
#include "forward/attributes.h"
#include "forward/conversion_fixture.h"
#include "forward/diagram_texts.h"
#include "forward/index_markers.h"
#include "forward/stream_conversion.h"
#include "forward/xref_variables.h"

#include <gtest/gtest.h>

#include <map>

using namespace quillex;
using namespace quillex::testing;
namespace bw = quillex::backward;

namespace {

// The tag a block line begins with.
std::string openingTag(const std::string& line) {
    return qmxElements({line}).front();
}

// Written back and converted forward again by one kind of block.
struct BlockKind {
    const char* opening;
    const char* closing;
    bool (*carriesText)(const std::string& line);
    // Whether the forward conversion keeps a text emptied by the translator;
    // it drops an empty autonumber text and a stream whose prefixes are all
    // empty.
    bool keepsEmptyText;
    Lines (*again)(const Lines& block, const bw::BackwardContext& context, ForwardSide& side);
};

bool firstLine(const std::string& line) {
    return !line.starts_with("</");
}

bool indexText(const std::string& line) {
    return line.starts_with("<ie>") || line.starts_with("<il>") || line.starts_with("<ss>") ||
           line.starts_with("<sa>");
}

bool streamText(const std::string& line) {
    return line.starts_with("<bb \"");
}

Lines textStringAgain(const Lines& block, const bw::BackwardContext& context, ForwardSide& side) {
    std::string text;
    for (const std::string& line : bw::convertTextString(qmxElements(block), block.back(), context))
        text += line;
    return qmxLines({openingTag(block.front()), convertDiagramLine(text, side.settings.characters),
                     block.back()});
}

Lines markerAgain(const Lines& block, const bw::BackwardContext& context, ForwardSide& side) {
    const Lines written = bw::convertIndexMarker(qmxElements(block), context);
    Lines again = qmxLines(quillex::convertIndexMarker(written.at(0), side.context));
    again.at(0) = block.front(); // a fresh conversion numbers the marker 1
    return again;
}

Lines variableAgain(const Lines& block, const bw::BackwardContext& context, ForwardSide& side) {
    Lines component = bw::convertCrossReferenceVariable(qmxElements(block), context);
    component.push_back(kEndOfParagraphMark);
    const TagAttributes attributes = TagAttributes::parse(component.front());
    Lines again = qmxLines(strings(
        *quillex::convertCrossReferenceVariable(views(component), attributes, side.context)));
    // The same shown text; a fresh conversion numbers the variable 1.
    const std::string tag = openingTag(block.front());
    EXPECT_EQ(openingTag(again.at(0)), tag.substr(0, tag.rfind(' ')) + " 1>");
    again.at(0).replace(0, openingTag(again.at(0)).size(), tag);
    return again;
}

template <auto writeBack, auto forwardBlock, PieceKind kind>
Lines streamAgain(const Lines& block, const bw::BackwardContext& context, ForwardSide& side) {
    DocumentPiece piece(kind);
    piece.lines = writeBack(qmxElements(block), context);
    Lines again = qmxLines(strings(forwardBlock(piece, side.context)));
    again.erase(again.begin()); // the block heading
    return again;
}

const BlockKind kBlockKinds[] = {
    {"<ts ", "</ts>", firstLine, true, textStringAgain},
    {"<tl ", "</tl>", firstLine, true, textStringAgain},
    {"<imk ", "</imk>", indexText, true, markerAgain},
    {"<xrv ", "</xrv>", firstLine, true, variableAgain},
    {"<pgfmt ", "</pgfmt>", streamText, false,
     streamAgain<bw::convertPageNumberFormat, pageNumberStreamBlock, PieceKind::PageNumberStream>},
    {"<anfmt ", "</anfmt>", streamText, false,
     streamAgain<bw::convertAutonumberFormat, autonumberStreamBlock, PieceKind::AutonumberStream>},
};

class GeneratedBlocksTest : public ConversionTest {
  protected:
    // Converts a generated document and checks the round trip of each of its
    // blocks; returns how many blocks of each kind it checked.
    std::map<std::string, int> checkDocument(std::uint64_t seed, bool japanese) {
        docgen::GeneratorOptions generator;
        generator.seed = seed;
        generator.size = 400 * 1024;
        generator.japanese = japanese;
        lookupLanguage(japanese ? "Japanese (Shift-JIS)" : "English (US)", LanguageRole::Source,
                       options.sourceLanguage);
        EXPECT_EQ(convert("gen.DOC", docgen::generateDocumentText(generator)), result::Success);

        Lines lines = converter->outputLines();
        Lines ancillary = section("GEN.DOC");
        convertQuotes(ancillary);
        lines.insert(lines.end(), ancillary.begin(), ancillary.end());

        ForwardSide source(japanese);
        source.replacements = converter->tagReplacements();
        const bw::BackwardContext& context = source.backwardContext();
        // Translations in the code page's letters need a western source.
        const Lines withoutEmpty = {kTranslations[0], kTranslations[1], kTranslations[2],
                                    kTranslations[4]};

        std::map<std::string, int> checked;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            for (const BlockKind& kind : kBlockKinds) {
                if (!lines[i].starts_with(kind.opening))
                    continue;
                const auto end = std::find(lines.begin() + i, lines.end(), kind.closing);
                const Lines block(lines.begin() + i, end + (end == lines.end() ? 0 : 1));
                ForwardSide again(japanese);
                EXPECT_EQ(kind.again(block, context, again), block) << seed;
                if (!japanese) {
                    const Lines translatedBlock =
                        translated(block, kind.carriesText,
                                   kind.keepsEmptyText ? kTranslations : withoutEmpty, i);
                    ForwardSide translatedAgain;
                    EXPECT_EQ(kind.again(translatedBlock, context, translatedAgain),
                              translatedBlock)
                        << seed;
                }
                ++checked[kind.opening];
            }
        }
        return checked;
    }
};

} // namespace

TEST_F(GeneratedBlocksTest, WesternDocuments) {
    for (std::uint64_t seed : {3, 11}) {
        const auto checked = checkDocument(seed, false);
        for (const BlockKind& kind : kBlockKinds)
            EXPECT_GT(checked.count(kind.opening), 0u) << kind.opening << " in seed " << seed;
    }
}

TEST_F(GeneratedBlocksTest, JapaneseDocument) {
    const auto checked = checkDocument(5, true);
    EXPECT_GT(checked.count("<ts "), 0u);
    EXPECT_GT(checked.count("<imk "), 0u);
}
