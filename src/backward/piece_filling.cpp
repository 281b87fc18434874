// Filling the pieces of the skeleton from the segment map.
#include "backward/piece_filling.h"

#include "backward/declaration_rewriting.h"
#include "backward/format_rewriting.h"
#include "backward/line_conversion.h"
#include "backward/text_conversion.h"
#include "conversion/result_code.h"
#include "forward/file_registry.h"

#include <optional>

namespace quillex::backward {
namespace {

constexpr std::string_view kSmallCapsClass = "QMXSmallCaps";
constexpr std::string_view kWesternFontClass = "QMXWesternFont";

bool hasRange(const DocumentPiece& piece) {
    return piece.span.hasRange() && !fileName(piece.span.fileNumber).empty();
}

class PieceFiller {
  public:
    PieceFiller(SegmentMap& segments, const ClassTable& classes, const FillSettings& settings,
                BackwardContext& context)
        : segments_(segments), classes_(classes), settings_(settings), context_(context) {}

    // False when the walk ends at this piece (the end of a style file's
    // declarations).
    bool fill(DocumentPiece& piece);
    void addMissingClasses(PieceList& pieces) const {
        if (!smallCapsDeclared_ || !westernFontDeclared_)
            addQmxClasses(pieces, smallCapsDeclared_, westernFontDeclared_);
    }

  private:
    // The lines filed under the piece's key, taken out of the map. In the
    // declarations they are looked for only when the ancillary text is usable.
    std::optional<std::vector<std::string>> lookUp(const DocumentPiece& piece, bool always) {
        if (piece.qmxTag.empty() || (!always && inDeclarations_ && !settings_.ancillaryUsable))
            return std::nullopt;
        auto node = segments_.extract(piece.qmxTag);
        if (node.empty())
            return std::nullopt;
        return std::move(node.mapped());
    }

    std::vector<std::string> converted(std::vector<std::string> lines) {
        convertSegment(lines, context_, segments_);
        return lines;
    }

    void fillClass(DocumentPiece& piece);

    SegmentMap& segments_;
    const ClassTable& classes_;
    const FillSettings& settings_;
    BackwardContext& context_;
    bool inDeclarations_ = true;
    int noChangeDepth_ = 0;
    bool smallCapsDeclared_ = false;
    bool westernFontDeclared_ = false;
};

void PieceFiller::fillClass(DocumentPiece& piece) {
    if (auto found = lookUp(piece, false))
        piece.lines = converted(std::move(*found));
    const ClassInformation* information = classes_.find(piece.name);
    if (information == nullptr)
        throw ConversionFailure(result::ParserError);
    if (!information->readOnly)
        rewriteDeclarations(piece.lines, context_, noChangeDepth_);
    smallCapsDeclared_ = smallCapsDeclared_ || piece.name == kSmallCapsClass;
    westernFontDeclared_ = westernFontDeclared_ || piece.name == kWesternFontClass;
}

bool PieceFiller::fill(DocumentPiece& piece) {
    switch (piece.kind) {
    case PieceKind::PageNumberStream:
        if (auto found = lookUp(piece, false))
            piece.lines = convertPageNumberFormat(*found, context_);
        break;
    case PieceKind::Page:
        rewriteDeclarations(piece.lines, context_, noChangeDepth_);
        break;
    case PieceKind::AutonumberStream:
        if (auto found = lookUp(piece, false))
            piece.lines = convertAutonumberFormat(*found, context_);
        break;
    case PieceKind::Class:
        fillClass(piece);
        break;
    case PieceKind::EndOfDeclarations:
        if (settings_.styleMode)
            return false;
        if (auto found = lookUp(piece, true)) {
            piece.lines = converted(std::move(*found));
            piece.lines.insert(piece.lines.begin(), "<!End Declarations>");
        }
        inDeclarations_ = false;
        break;
    case PieceKind::TextString:
        if (auto found = lookUp(piece, false))
            piece.lines = convertTextString(*found, "</ts>", context_);
        break;
    case PieceKind::ChartLabel:
        if (auto found = lookUp(piece, false))
            piece.lines = convertTextString(*found, "</tl>", context_);
        break;
    case PieceKind::MicroDocument:
        if (auto found = lookUp(piece, false)) {
            piece.lines = converted(std::move(*found));
            piece.lines.emplace_back(")");
        }
        break;
    case PieceKind::TextAfterFrame:
        if (piece.qmxTag.empty() || (inDeclarations_ && !settings_.ancillaryUsable))
            break;
        if (auto found = lookUp(piece, false)) {
            piece.lines = converted(std::move(*found));
            piece.lines.insert(piece.lines.begin(), ">");
        } else {
            piece.lines = {">"};
        }
        break;
    case PieceKind::Cell:
        if (auto found = lookUp(piece, true))
            piece.lines = converted(std::move(*found));
        break;
    case PieceKind::EndOfTable:
        if (auto found = lookUp(piece, true)) {
            piece.lines = converted(std::move(*found));
            piece.lines.insert(piece.lines.begin(), "<End Table>");
        }
        break;
    default:
        break;
    }
    return true;
}

} // namespace

void fillPieces(PieceList& pieces, SegmentMap& segments, const ClassTable& classes,
                const FillSettings& settings, BackwardContext& context) {
    PieceFiller filler(segments, classes, settings, context);
    for (const auto& piece : pieces) {
        if (!hasRange(*piece))
            continue;
        if (!filler.fill(*piece))
            break;
    }
    filler.addMissingClasses(pieces);
}

} // namespace quillex::backward
