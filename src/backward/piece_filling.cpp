// Filling the pieces of the skeleton from the segment map.
#include "backward/piece_filling.h"

#include "backward/declaration_rewriting.h"
#include "backward/format_rewriting.h"
#include "backward/line_conversion.h"
#include "backward/text_conversion.h"
#include "conversion/result_code.h"
#include "forward/file_registry.h"

#include <algorithm>
#include <optional>

namespace quillex::backward {
namespace {

constexpr std::string_view kSmallCapsClass = "QMXSmallCaps";
constexpr std::string_view kWesternFontClass = "QMXWesternFont";

bool hasRange(const DocumentPiece& piece) {
    return piece.span.hasRange() && !fileName(piece.span.fileNumber).empty();
}

// Pieces whose text the translation files under a key: the body after the
// declarations, after a frame, after a table.
bool carriesKeyedText(PieceKind kind) {
    return kind == PieceKind::EndOfDeclarations || kind == PieceKind::TextAfterFrame ||
           kind == PieceKind::EndOfTable;
}

// The markup a piece keeps when the text of its key is written by a later
// piece: its own opening markup alone.
std::vector<std::string> markupAlone(PieceKind kind) {
    switch (kind) {
    case PieceKind::EndOfDeclarations:
        return {"<!End Declarations>"};
    case PieceKind::EndOfTable:
        return {"<End Table>"};
    default:
        return {">"};
    }
}

// A master table in the body (its rows after the end of the declarations)
// has no key of its own: the text after its end belongs to the key before
// it, as the forward conversion laid it out. That piece takes over the key,
// so that the text is written after the table; the piece that held the key
// before keeps only its markup. Returns the pieces that hand their key on.
std::vector<const DocumentPiece*> passKeysThroughMasterTables(PieceList& pieces) {
    std::vector<const DocumentPiece*> handedOn;
    DocumentPiece* holder = nullptr;
    for (const auto& piece : pieces) {
        if (!carriesKeyedText(piece->kind))
            continue;
        if (piece->kind == PieceKind::EndOfTable && piece->qmxTag.empty() && holder != nullptr) {
            piece->qmxTag = holder->qmxTag;
            handedOn.push_back(holder);
        }
        if (!piece->qmxTag.empty())
            holder = piece.get();
    }
    return handedOn;
}

class PieceFiller {
  public:
    PieceFiller(SegmentMap& segments, const ClassTable& classes, const FillSettings& settings,
                BackwardContext& context)
        : segments_(segments), classes_(classes), settings_(settings), context_(context) {}

    // False when the walk ends at this piece (the end of a style file's
    // declarations).
    bool fill(DocumentPiece& piece);
    void addMissingClasses(PieceList& pieces) const;

  private:
    // The lines filed under the piece's key, taken out of the map. In the
    // declarations they are looked for only when the ancillary text is usable.
    std::optional<std::vector<std::string>> lookUp(DocumentPiece& piece, bool always) {
        if (piece.qmxTag.empty() || (!always && inDeclarations_ && !settings_.ancillaryUsable))
            return std::nullopt;
        auto node = segments_.extract(piece.qmxTag);
        if (node.empty())
            return std::nullopt;
        // Whatever the rule of the kind makes of the lines found replaces
        // the piece's range.
        piece.filled = true;
        return std::move(node.mapped());
    }

    std::vector<std::string> converted(std::vector<std::string> lines) {
        convertSegment(lines, context_, segments_);
        return lines;
    }

    // A piece's lines are given whole: a line added to a list given whole
    // would double the list's room, for every filled piece of its kind.
    static std::vector<std::string> withLineBefore(const char* line,
                                                   std::vector<std::string> lines) {
        lines.emplace(lines.begin(), line);
        return lines;
    }

    // The declarations of the piece rewritten for the target language.
    void rewriteLines(DocumentPiece& piece) {
        std::vector<std::string> lines = piece.lines.strings();
        rewriteDeclarations(lines, context_, noChangeDepth_);
        piece.lines = std::move(lines);
    }

    void fillClass(DocumentPiece& piece);
    bool fillByKind(DocumentPiece& piece);

  public:
    void leaveDeclarations() { inDeclarations_ = false; }

  private:
    SegmentMap& segments_;
    const ClassTable& classes_;
    const FillSettings& settings_;
    BackwardContext& context_;
    bool inDeclarations_ = true;
    int noChangeDepth_ = 0;
    bool smallCapsDeclared_ = false;
    bool westernFontDeclared_ = false;
};

// The two classes of the small-caps and western-font tags, when the document
// lacks one: they change the font declaration and the first class piece.
void PieceFiller::addMissingClasses(PieceList& pieces) const {
    // A translation that uses neither tag needs neither class: the document
    // keeps its declarations as they were.
    if (!context_.usesQmxClasses || (smallCapsDeclared_ && westernFontDeclared_))
        return;
    std::vector<std::vector<std::string>> before;
    for (const auto& piece : pieces)
        before.push_back(piece->kind == PieceKind::FontDefinitions ||
                                 piece->kind == PieceKind::Class
                             ? piece->lines.strings()
                             : std::vector<std::string>());
    addQmxClasses(pieces, smallCapsDeclared_, westernFontDeclared_);
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i]->kind == PieceKind::FontDefinitions || pieces[i]->kind == PieceKind::Class)
            pieces[i]->filled = pieces[i]->filled || pieces[i]->lines != before[i];
}

void PieceFiller::fillClass(DocumentPiece& piece) {
    if (auto found = lookUp(piece, false))
        piece.lines = converted(std::move(*found));
    const ClassInformation* information = classes_.find(piece.name);
    if (information == nullptr)
        throw ConversionFailure(result::ParserError);
    if (!information->readOnly)
        rewriteLines(piece);
    smallCapsDeclared_ = smallCapsDeclared_ || piece.name == kSmallCapsClass;
    westernFontDeclared_ = westernFontDeclared_ || piece.name == kWesternFontClass;
}

bool PieceFiller::fill(DocumentPiece& piece) {
    const std::vector<std::string> before =
        piece.kind == PieceKind::Page || piece.kind == PieceKind::Class
            ? piece.lines.strings()
            : std::vector<std::string>();
    const bool filled = fillByKind(piece);
    // Declarations rewritten in place count as filled only when they changed.
    if (piece.kind == PieceKind::Page || piece.kind == PieceKind::Class)
        piece.filled = piece.filled || piece.lines != before;
    return filled;
}

bool PieceFiller::fillByKind(DocumentPiece& piece) {
    switch (piece.kind) {
    case PieceKind::PageNumberStream:
        if (auto found = lookUp(piece, false))
            piece.lines = convertPageNumberFormat(*found, context_);
        break;
    case PieceKind::Page:
        rewriteLines(piece);
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
            piece.lines = withLineBefore("<!End Declarations>", converted(std::move(*found)));
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
            std::vector<std::string> lines = converted(std::move(*found));
            lines.emplace_back(")");
            piece.lines = std::move(lines);
        }
        break;
    case PieceKind::TextAfterFrame:
        if (piece.qmxTag.empty() || (inDeclarations_ && !settings_.ancillaryUsable))
            break;
        if (auto found = lookUp(piece, false)) {
            piece.lines = withLineBefore(">", converted(std::move(*found)));
        } else {
            piece.lines = {">"};
            piece.filled = true;
        }
        break;
    case PieceKind::Cell:
        if (auto found = lookUp(piece, true))
            piece.lines = converted(std::move(*found));
        break;
    case PieceKind::EndOfTable:
        if (auto found = lookUp(piece, true)) {
            piece.lines = withLineBefore("<End Table>", converted(std::move(*found)));
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
    const std::vector<const DocumentPiece*> handedOn = passKeysThroughMasterTables(pieces);
    PieceFiller filler(segments, classes, settings, context);
    for (const auto& piece : pieces) {
        if (!hasRange(*piece))
            continue;
        if (std::find(handedOn.begin(), handedOn.end(), piece.get()) != handedOn.end()) {
            piece->lines = markupAlone(piece->kind);
            piece->filled = true;
            if (piece->kind == PieceKind::EndOfDeclarations)
                filler.leaveDeclarations();
            continue;
        }
        if (!filler.fill(*piece))
            break;
    }
    if (settings.addQmxClasses)
        filler.addMissingClasses(pieces);
}

} // namespace quillex::backward
