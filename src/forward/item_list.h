// ItemList: the items of the body conversion, each a view of its text.
//
// An item's text is a run of the parsed source (through the pieces' lines,
// which the document keeps), a constant, or a text the conversion made and
// the tag registry keeps (tags, converted runs, anchors). So a list of items
// is an array of small views, the passes move and drop views, and no item
// text is copied from one list into the next.
#pragma once

#include <string_view>
#include <vector>

namespace quillex {

using ItemList = std::vector<std::string_view>;

} // namespace quillex
