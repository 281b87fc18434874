// Tables: an Interleaf table ("<Table" to "<End Table>") as QMX structure
// tags.
//
// The table becomes <tb %d> ... </tb>; each translated row <row %d> ...
// </row> with its cells <ct %d> ... </ct>, whose paragraphs follow as body
// text; a hidden row only <hrow %d>; a read-only row <rrow "%s" %d>, whose
// text is shown in the argument and not offered. A frame in a cell becomes
// <ctart %d> with the frame's items. Rows, cells and tables take a new
// number every time: they are structure, not markup.
#pragma once

#include "forward/conversion_context.h"
#include "forward/document_piece.h"
#include "forward/frame_walk.h"
#include "forward/item_list.h"

#include <cstddef>
#include <set>
#include <string>
#include <vector>

namespace quillex {

class TableConverter {
  public:
    TableConverter(ConversionContext& context, FrameWalker& frames);

    // Lays out the table that starts at pieces[first], appending its items,
    // and returns the index of its end-of-table piece (pieces.size() when
    // there is none), whose text after the table the caller lays out.
    std::size_t layOut(PieceList& pieces, std::size_t first, ItemList& items);

  private:
    struct Table;
    void addRow(Table& table, PieceList& pieces, std::size_t row, ItemList& items);
    void addCell(Table& table, DocumentPiece& cell, ItemList& items);
    std::size_t addCellFrame(Table& table, PieceList& pieces, std::size_t frame, ItemList& items);
    void closeCell(Table& table, ItemList& items);
    std::string readOnlyRowText(const PieceList& pieces, std::size_t row) const;
    bool isReadOnlyRow(const TagAttributes& attributes, std::string_view rowTag) const;
    // The tag, entered in both maps as standing for itself.
    std::string_view tagged(const std::string& tag);

    ConversionContext& context_;
    FrameWalker& frames_;
    std::set<std::string> readOnlyMasterRows_;
};

// The index of the piece after `first` that ends a frame (the text after
// it), or pieces.size().
std::size_t endOfFrame(const PieceList& pieces, std::size_t first);

} // namespace quillex
