// Placing page breaks between paragraphs.
//
// An Interleaf page break mark (an item beginning "<|") stands where the
// export found the page end, often in the middle of a paragraph. In QMX a
// page runs from one <page> line to the next, so the marks are moved to the
// paragraph boundaries before the items are converted.
#pragma once

#include "forward/item_list.h"

namespace quillex {

// The first mark goes to the head of the list. A later mark inside a table
// goes in front of the table when the table has no row yet and is dropped
// otherwise; any other later mark goes back to just after the nearest
// preceding end-of-paragraph mark (micro-document blocks do not count), and
// is dropped when there is none.
ItemList placePageBreaks(ItemList items);

} // namespace quillex
