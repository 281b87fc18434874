// Page marks that a table's skeleton keeps itself.
//
// A page break mark after a row tag belongs to the row. When no ordinary row
// comes before it (hidden and read-only rows do not count), the forward
// conversion writes its <page> line in front of the table's <tb> line, where
// pages start in QMX. The skeleton's row keeps the mark, so writing it again
// from the translation would put a second page break before the table.
#pragma once

#include "forward/document_piece.h"

#include <string>
#include <vector>

namespace quillex::backward {

// Removes, before each <tb> line, the <page> lines that stand for marks its
// table's rows keep.
void dropPageLinesKeptByTables(std::vector<std::string>& items, const PieceList& pieces);

} // namespace quillex::backward
