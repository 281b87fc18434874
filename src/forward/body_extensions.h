// BodyExtensions: the places where the body conversion hands work to the
// conversions of tables and frames, index markers, cross-reference variables
// and the ancillary text.
//
// The defaults keep the body conversion complete on its own: a table or a
// frame contributes no items (its pieces keep their source text, since the
// backward conversion leaves a piece it finds no translation for as it was),
// an index marker and a variable are left as they are, and nothing is
// collected for the ancillary file.
#pragma once

#include "forward/attributes.h"
#include "forward/document_piece.h"
#include "forward/item_list.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quillex {

class BodyExtensions {
  public:
    virtual ~BodyExtensions() = default;

    // Lays out the table that starts at pieces[first] (a table start) and
    // returns the index of its end-of-table piece, which the caller lays out
    // (or pieces.size() when there is none).
    virtual std::size_t layOutTable(PieceList& pieces, std::size_t first, ItemList& items);
    // Lays out the frame at pieces[first] with the diagram pieces after it
    // and returns the index of the piece holding the text after the frame.
    virtual std::size_t layOutFrame(PieceList& pieces, std::size_t first, ItemList& items);

    // The items an index marker ("<Index" tag) becomes; none leaves it.
    virtual std::optional<ItemList> convertIndexMarker(std::string_view item);
    // The items a component becomes when its "Lisp" attribute defines a
    // cross-reference variable; `component` runs from the start tag to its
    // end-of-paragraph mark. None when it is no variable.
    virtual std::optional<ItemList> convertVariable(std::span<const std::string_view> component,
                                                    const TagAttributes& attributes);

    // A shared named object ("<tn ") or shared frame ("<:saf ") item met in
    // the body, collected once for the ancillary file.
    virtual void collectSharedItem(std::string_view item);
    // An autonumber reference ("<Autonum" item), whose stream the ancillary
    // file describes.
    virtual void noteAutonumberReference(std::string_view item);
    // A component of a class with shared contents, whose text the ancillary
    // file carries.
    virtual void collectSharedClass(const std::string& className);
};

} // namespace quillex
