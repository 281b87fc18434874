// Formats, streams, headers and footers.
#include "forward/format_conversion.h"

#include "forward/attributes.h"
#include "forward/stream_conversion.h"

#include <array>

namespace quillex {
namespace {

void append(ItemList& list, const ItemList& items) {
    list.insert(list.end(), items.begin(), items.end());
}

} // namespace

std::string headerFooterBlockName(PieceKind kind) {
    switch (kind) {
    case PieceKind::PageHeader:
        return "Page Header Format";
    case PieceKind::FirstPageHeader:
        return "First Page Header Format";
    case PieceKind::RightPageHeader:
        return "Right Page Header Format";
    case PieceKind::LeftPageHeader:
        return "Left Page Header Format";
    case PieceKind::PageFooter:
        return "Page Footer Format";
    case PieceKind::FirstPageFooter:
        return "First Page Footer Format";
    case PieceKind::RightPageFooter:
        return "Right Page Footer Format";
    case PieceKind::LeftPageFooter:
        return "Left Page Footer Format";
    default:
        return {};
    }
}

FormatConverter::FormatConverter(ConversionContext& context, PieceList& pieces,
                                 const DeclaredItems& declared, FrameWalker& frames)
    : context_(context), pieces_(pieces), declared_(declared), frames_(frames) {}

void FormatConverter::convertDeclarations(bool everyFormat) {
    bool inBody = false;
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        DocumentPiece& piece = *pieces_[i];
        if (piece.kind == PieceKind::EndOfDeclarations)
            inBody = true;
        if (piece.kind == PieceKind::PageNumberStream) {
            append(lists_.pageNumberStreams, pageNumberStreamBlock(piece, context_));
        } else if (!headerFooterBlockName(piece.kind).empty()) {
            addHeaderOrFooter(i, inBody);
        } else if (everyFormat && !piece.lines.empty()) {
            const std::string_view tag = piece.lines.front();
            switch (piece.kind) {
            case PieceKind::AutonumberStream:
                addAutonumberStream(autonumberStreamName(tag));
                break;
            case PieceKind::Class: {
                const std::string name = firstQuotedValue(tag);
                const ClassInformation* information = context_.classes.find(name);
                if (information != nullptr && information->sharedContents)
                    addClassFormat(name);
                break;
            }
            case PieceKind::MasterFrame:
                addSharedFrame(
                    piece.name,
                    "<:saf \"" + convertAttributeContent(piece.name, context_.characters()) +
                        "\" " +
                        std::to_string(context_.registry.nextNumber(TagCounter::SharedFrame)) +
                        ">");
                break;
            case PieceKind::MasterDiagrammingObject:
                addNamedObject(
                    piece.name,
                    "<tn \"" + convertAttributeContent(piece.name, context_.characters()) + "\">");
                break;
            default:
                break;
            }
        }
    }
}

// A header or footer is converted as a frame. One in the body leaves the
// text after it in the body; its piece is found under the frame's tag.
void FormatConverter::addHeaderOrFooter(std::size_t index, bool inBody) {
    ItemList& list = lists_.headersAndFooters;
    list.push_back(blockHeading(headerFooterBlockName(pieces_[index]->kind), context_.registry));
    const FrameWalk walk = frames_.walk(pieces_, index, list);
    if (inBody && walk.end < pieces_.size())
        pieces_[walk.end]->qmxTag = walk.tag;
}

void FormatConverter::addAutonumberStream(const std::string& name) {
    if (!streamsDone_.add(name))
        return;
    const auto declared = declared_.autonumberStreams.find(name);
    if (declared != declared_.autonumberStreams.end())
        append(lists_.autonumberStreams,
               autonumberStreamBlock(*pieces_[declared->second], context_));
}

// A class's format: its text items (the lines after its declaration), under
// <vfmt "%s">, or <pnfmt "%s"> for a prefix class ("|:" name). The
// declaration is the markup of the format's tag, which is also the class
// piece's tag. The text ends its paragraph before the closing tag, so that
// a component in it never runs on into the next format.
void FormatConverter::addClassFormat(const std::string& name) {
    if (!classesDone_.add(name))
        return;
    const auto declared = declared_.classes.find(name);
    if (declared == declared_.classes.end())
        return;
    DocumentPiece& piece = *pieces_[declared->second];
    const bool prefix = name.starts_with("|:");
    TagRegistry& registry = context_.registry;
    const std::string_view tag =
        registry.enter(piece.lines.front(), (prefix ? "<pnfmt \"" : "<vfmt \"") + name + "\">");
    const std::string_view end = registry.enterSelf(prefix ? "</pnfmt>" : "</vfmt>");
    piece.qmxTag = tag;

    ItemList& list = prefix ? lists_.prefixFormats : lists_.variableFormats;
    list.push_back(blockHeading(prefix ? "Prefix Format" : "Variable Format", registry));
    list.push_back(tag);
    list.insert(list.end(), piece.lines.begin() + 1, piece.lines.end());
    list.push_back(kEndOfParagraphMark);
    list.push_back(end);
}

void FormatConverter::addSharedFrame(const std::string& name, std::string_view tag) {
    if (!framesDone_.add(name))
        return;
    const auto declared = declared_.masterFrames.find(name);
    if (declared == declared_.masterFrames.end())
        return;
    const std::string_view kept = context_.registry.enterSelf(tag);
    ItemList& list = lists_.sharedFrames;
    list.push_back(blockHeading("Shared Frame Format", context_.registry));
    list.push_back(kept);
    append(list, masterItems(declared->second));
}

void FormatConverter::addNamedObject(const std::string& name, std::string_view tag) {
    if (!objectsDone_.add(name))
        return;
    const auto declared = declared_.masterObjects.find(name);
    if (declared == declared_.masterObjects.end())
        return;
    const std::string_view kept = context_.registry.enterSelf(tag);
    ItemList& list = lists_.namedObjects;
    list.push_back(blockHeading("Text In Shared Named Object Format", context_.registry));
    list.push_back(kept);
    append(list, masterItems(declared->second));
}

ItemList FormatConverter::masterItems(std::size_t index) {
    ItemList items;
    frames_.walk(pieces_, index, items);
    return items;
}

} // namespace quillex
