// DocumentExtensions: the conversions of tables, frames, formats, streams,
// index markers and cross-reference variables that complete the body
// conversion of one file, and the file's contribution to the ancillary file.
//
// One object per file and run, made after the parse; it keeps the file's
// declarations, the counters of its frame walks and the lists of its
// ancillary items.
#pragma once

#include "forward/ancillary_contributions.h"
#include "forward/body_extensions.h"
#include "forward/conversion_context.h"
#include "forward/format_conversion.h"
#include "forward/frame_walk.h"
#include "forward/shared_items.h"
#include "forward/table_conversion.h"

#include <string>
#include <vector>

namespace quillex {

class DocumentExtensions : public BodyExtensions {
  public:
    DocumentExtensions(TagRegistry& registry, const ClassTable& classes,
                       const BodySettings& settings, AnalysisNotes* notes, PieceList& pieces);

    // The declarations of both modes: page number streams, headers and
    // footers; in style mode every format and shared item the style
    // declares.
    void convertDeclarations(bool styleMode);

    std::size_t layOutTable(PieceList& pieces, std::size_t first, ItemList& items) override;
    std::size_t layOutFrame(PieceList& pieces, std::size_t first, ItemList& items) override;
    std::optional<ItemList> convertIndexMarker(std::string_view item) override;
    std::optional<ItemList> convertVariable(std::span<const std::string_view> component,
                                            const TagAttributes& attributes) override;
    void collectSharedItem(std::string_view item) override;
    void noteAutonumberReference(std::string_view item) override;
    void collectSharedClass(const std::string& className) override;

    // The file's section of the ancillary file (`file`: its upper-case name
    // with extension); for a document also the shared items it uses.
    AncillaryContribution contribution(const std::string& file, bool styleMode);

  private:
    ItemList convertAncillaryItems(ItemList items);

    ConversionContext context_;
    DeclaredItems declared_;
    FrameWalker frames_;
    TableConverter tables_;
    FormatConverter formats_;
    UsedItems used_;
};

} // namespace quillex
