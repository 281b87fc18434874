// Balancing font changes.
//
// Interleaf ends a font change with "<F0>" or simply with the next font
// change or component; QMX closes every <:fc %d> with a <:/fc> before the
// next external tag, and drops font changes that enclose no text.
#pragma once

#include "forward/item_list.h"

namespace quillex {

// A font change directly followed by its end: both go. Followed by a
// subcomponent end, an external tag or the end of the list: it goes. Followed
// by another font change: it goes, since the second one is the font the text
// gets. Otherwise the font is open until the next font change, subcomponent
// end or external tag, which get a <:/fc> in front, or until a <:/fc>. A
// <:/fc> with no font open goes.
ItemList balanceFonts(const ItemList& items);

} // namespace quillex
