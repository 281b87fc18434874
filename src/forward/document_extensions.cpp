// The conversions that complete the body conversion of one file.
#include "forward/document_extensions.h"

#include "forward/anchored_blocks.h"
#include "forward/font_balancing.h"
#include "forward/index_markers.h"
#include "forward/item_conversion.h"
#include "forward/xref_variables.h"

namespace quillex {

DocumentExtensions::DocumentExtensions(TagRegistry& registry, const ClassTable& classes,
                                       const BodySettings& settings, AnalysisNotes* notes,
                                       PieceList& pieces)
    : context_{registry, classes, settings, notes}, declared_(DeclaredItems::collect(pieces)),
      frames_(context_, declared_), tables_(context_, frames_),
      formats_(context_, pieces, declared_, frames_) {}

void DocumentExtensions::convertDeclarations(bool styleMode) {
    formats_.convertDeclarations(styleMode);
}

std::size_t DocumentExtensions::layOutTable(PieceList& pieces, std::size_t first, ItemList& items) {
    return tables_.layOut(pieces, first, items);
}

// A frame in the body: the text after it is found under the frame's tag.
std::size_t DocumentExtensions::layOutFrame(PieceList& pieces, std::size_t first, ItemList& items) {
    const FrameWalk walk = frames_.walk(pieces, first, items);
    if (walk.end < pieces.size())
        pieces[walk.end]->qmxTag = walk.tag;
    return walk.end;
}

// The marker's texts are kept by the registry, as every text the conversion
// makes.
std::optional<ItemList> DocumentExtensions::convertIndexMarker(std::string_view item) {
    ItemList items;
    for (const std::string& text : quillex::convertIndexMarker(item, context_))
        items.push_back(context_.registry.keep(text));
    return items;
}

std::optional<ItemList>
DocumentExtensions::convertVariable(std::span<const std::string_view> component,
                                    const TagAttributes& attributes) {
    return convertCrossReferenceVariable(component, attributes, context_);
}

void DocumentExtensions::collectSharedItem(std::string_view item) {
    if (const std::string* name = frames_.namedObjectOf(item)) {
        used_.namedObjects.add(*name);
        formats_.addNamedObject(*name, item);
    } else if (const std::string* frame = frames_.sharedFrameOf(item)) {
        used_.sharedFrames.add(*frame);
        formats_.addSharedFrame(*frame, item);
    }
}

void DocumentExtensions::noteAutonumberReference(std::string_view item) {
    const std::string name = autonumberStreamName(item);
    used_.autonumberStreams.add(name);
    formats_.addAutonumberStream(name);
}

void DocumentExtensions::collectSharedClass(const std::string& className) {
    used_.classes.add(className);
    formats_.addClassFormat(className);
}

// Ancillary text is converted like body text, except that every autonumber
// reference becomes a marker and only index markers move: the frames of
// headers, footers and shared items are blocks of their own.
ItemList DocumentExtensions::convertAncillaryItems(ItemList items) {
    BodySettings settings = context_.settings;
    settings.autonumbersAsMarkers = true;
    items = ItemConverter(context_.registry, context_.classes, *this, settings, context_.notes)
                .convert(std::move(items));
    items = moveAnchoredBlocks(std::move(items), context_.registry, settings.markerPlaceholders,
                               AnchoredBlocks::IndexMarkersOnly);
    return balanceFonts(std::move(items));
}

AncillaryContribution DocumentExtensions::contribution(const std::string& file, bool styleMode) {
    AncillaryContribution contribution;
    contribution.file = file;
    contribution.lines = ancillarySection(
        file, formats_.lists(),
        [this](ItemList items) { return convertAncillaryItems(std::move(items)); },
        context_.registry);
    contribution.registersUse = !styleMode;
    contribution.used = used_;
    return contribution;
}

} // namespace quillex
