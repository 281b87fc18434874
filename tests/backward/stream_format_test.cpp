// Page-number and autonumber stream declarations written back, checked
// against the forward conversion's blocks of the same declarations.
#include "backward/format_rewriting.h"
#include "backward_test_support.h"
#include "conversion/result_code.h"
#include "forward/document_piece.h"
#include "forward/stream_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillex;
using namespace quillex::backward;
using namespace quillex::testing;

namespace {

using BlockFunction = std::vector<std::string> (*)(DocumentPiece&, const ConversionContext&);
using WriteBack = std::vector<std::string> (*)(std::span<const std::string>,
                                               const BackwardContext&);

struct StreamKind {
    PieceKind kind;
    BlockFunction forward;
    WriteBack backward;
    const char* opening;
};

const StreamKind kPageNumbers{PieceKind::PageNumberStream, pageNumberStreamBlock,
                              convertPageNumberFormat, "<pgfmt "};
const StreamKind kAutonumbers{PieceKind::AutonumberStream, autonumberStreamBlock,
                              convertAutonumberFormat, "<anfmt "};

// The forward conversion's block of `declaration`, as QMX lines.
Lines forwardBlock(const StreamKind& stream, const std::string& declaration, ForwardSide& side) {
    DocumentPiece piece(stream.kind);
    piece.lines = {declaration};
    return qmxLines(stream.forward(piece, side.context));
}

// The declaration that the translated block `lines` is written back as.
std::string writtenBack(const StreamKind& stream, const Lines& lines, ForwardSide& side) {
    const Lines elements = qmxElements(lines);
    const auto opening = std::find_if(elements.begin(), elements.end(), [&](const auto& line) {
        return line.starts_with(stream.opening);
    });
    const Lines written =
        stream.backward(std::span(opening, elements.end()), side.backwardContext());
    EXPECT_EQ(written.size(), 1u);
    return written.empty() ? std::string() : written.front();
}

bool carriesText(const std::string& line) {
    return line.starts_with("<bb \"Prefix") || line.starts_with("<bb \"Level");
}

struct RoundTrip {
    const StreamKind& stream;
    const char* declaration;
    Lines translations;
};

} // namespace

// forward(backward(T)) = T, for the forward block itself and for its
// translations.
TEST(StreamFormats, RoundTrips) {
    const RoundTrip cases[] = {
        {kPageNumbers,
         "<!Page Number Stream, Name = \"page\",\n\tPage # Prefix =\t\t\"A-<<1>\",\n"
         "\tPage # Prefix Two =\t\"Annex \"\"X\"\" \">",
         kTranslations},
        {kPageNumbers,
         "<!Page Number Stream, Name = \"p\",\n\tPage # Prefix = \"\",\n"
         "\tPage # Prefix Two = \"<#e9><#0101><#7f>q\">",
         kTranslations},
        // Autonumber levels that are emptied disappear from the forward
        // block, so every translation here has text.
        {kAutonumbers,
         "<!Autonumber Stream, \"fig\", 2,\n\tLevel 1 Prefix =\t\"Figure \",\n"
         "\tLevel 1 Suffix =\t\"\",\n\tLevel 2 Prefix = \"Abb. <<1> \",\n"
         "\tLevel 2 Suffix =\t\". \",\n\tLevel 2 Starting Value = 0>",
         {kTranslations[0], kTranslations[1], kTranslations[2], kTranslations[4]}},
    };
    for (const RoundTrip& trip : cases) {
        ForwardSide side;
        const Lines block = forwardBlock(trip.stream, trip.declaration, side);
        ASSERT_GE(block.size(), 4u) << trip.declaration;
        EXPECT_EQ(forwardBlock(trip.stream, writtenBack(trip.stream, block, side), side), block);

        const Lines translatedBlock = translated(block, carriesText, trip.translations);
        EXPECT_EQ(forwardBlock(trip.stream, writtenBack(trip.stream, translatedBlock, side), side),
                  translatedBlock);
    }
}

TEST(StreamFormats, PropertiesFilledAndKept) {
    ForwardSide side;
    side.replacements["<pgfmt \"p\">"] =
        "<!Page Number Stream, Name = \"p\", Page # Prefix = \"A\", Page # Prefix Two = \"B\">";
    // Only the first prefix is translated: the second keeps its value; a
    // quote in the text is doubled.
    const Lines onlyFirst = {"<pgfmt \"p\">", "<bb \"Prefix1\">", "Say \"hi\"", "</pgfmt>"};
    EXPECT_EQ(convertPageNumberFormat(onlyFirst, side.backwardContext()),
              Lines{"<!Page Number Stream,\nName = \"p\",\nPage # Prefix = \"Say \"\"hi\"\"\",\n"
                    "Page # Prefix Two = \"B\">"});

    // A level the declaration does not have is not added.
    side.replacements["<anfmt \"s\">"] = "<!Autonumber Stream, \"s\", 1, Level 1 Prefix = \"x\">";
    const Lines extraLevel = {
        "<anfmt \"s\">", "<bb \"Level 1 Prefix\">", "y", "<bb \"Level 1 Suffix\">", "z",
        "</anfmt>"};
    EXPECT_EQ(convertAutonumberFormat(extraLevel, side.backwardContext()),
              Lines{"<!Autonumber Stream,\n\"s\",\n1,\nLevel 1 Prefix = \"y\">"});
}

TEST(StreamFormats, Failures) {
    ForwardSide side;
    side.replacements["<pgfmt \"p\">"] =
        "<!Page Number Stream, Name = \"p\", Page # Prefix = \"A\">";
    auto codeOf = [&](const Lines& block) {
        try {
            convertPageNumberFormat(block, side.backwardContext());
        } catch (const ConversionFailure& failure) {
            return static_cast<int>(failure.code());
        }
        return 0;
    };
    EXPECT_EQ(codeOf({"<pgfmt \"q\">", "</pgfmt>"}), result::ParserError);
    EXPECT_EQ(codeOf({"<pgfmt \"p\">", "<bb \"Prefix1\">", "x"}), result::UnexpectedEnd);
    EXPECT_EQ(codeOf({"<pgfmt \"p\">", "<bb \"Prefix1\">", "<:t>", "</pgfmt>"}),
              result::ParserError);
    EXPECT_EQ(codeOf({"<pgfmt \"p\">", "<bb \"Prefix1\">", "<:nosuch>", "</pgfmt>"}),
              result::ParserError);
}
