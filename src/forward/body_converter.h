// BodyConverter: the body pieces of a document into the body lines of its
// QMX file.
//
// First the pieces' source lines are laid end to end (tables and frames
// converted in their places); then page breaks move between paragraphs,
// every Interleaf tag becomes its QMX tag, anchored blocks move behind their
// paragraph, font changes are balanced, and the items are joined into lines
// with the quote conversion applied.
#pragma once

#include "forward/body_extensions.h"
#include "forward/body_settings.h"
#include "forward/class_information.h"
#include "forward/document_piece.h"
#include "forward/item_list.h"
#include "forward/tag_registry.h"
#include "qmx/qmx_lines.h"

#include <string>
#include <vector>

namespace quillex {

class AnalysisNotes;

class BodyConverter {
  public:
    BodyConverter(TagRegistry& registry, const ClassTable& classes, BodyExtensions& extensions,
                  const BodySettings& settings, AnalysisNotes* notes);

    // Step 1: the body pieces as one list of items.
    ItemList layOut(PieceList& pieces);
    // Steps 2 to 5 over a list of items: page breaks, item conversion,
    // anchored blocks and font balancing. Throws 6 for a block without its
    // start.
    ItemList convertItems(ItemList items);
    // Step 6: the items as QMX lines, quotes paired when smart quotes are on.
    QmxLines toLines(const ItemList& items) const;

    // All steps.
    QmxLines convert(PieceList& pieces);

  private:
    void openFirstPage(ItemList& items) const;
    ItemList giveStrayTextAParagraph(ItemList items);

    TagRegistry& registry_;
    const ClassTable& classes_;
    BodyExtensions& extensions_;
    BodySettings settings_;
    AnalysisNotes* notes_;
};

} // namespace quillex
