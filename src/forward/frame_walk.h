// The walk over a frame's diagram pieces.
//
// A frame (and a master frame, master diagramming object, page header or
// footer) is followed by the pieces of its diagram: groups, text strings,
// chart labels, micro-documents, named objects, equations and outlines, up
// to the piece that holds the text after the frame. The texts offered for
// translation become positioned blocks (<ts>, <tl>, <tr>, <tn>) put into
// reading order by their positions; objects inside print-locked groups or
// named objects, and objects that cannot be translated, are counted and
// reported as warnings. The frame becomes an anchored frame (<af>), a
// footnote (<fn> around it), a shared frame (<:saf>) or an empty frame
// (<:iaf>).
#pragma once

#include "forward/conversion_context.h"
#include "forward/document_piece.h"
#include "forward/item_list.h"
#include "forward/shared_items.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace quillex {

// What one walk produced.
struct FrameWalk {
    // The piece that holds the text after the frame; pieces.size() when the
    // frame has none.
    std::size_t end = 0;
    // The frame's tag: <af %d>, <:iaf %d> or <:saf "%s" %d>.
    std::string tag;
};

class FrameWalker {
  public:
    FrameWalker(ConversionContext& context, const DeclaredItems& declared);

    // Where a frame stands: in running text, or in a table cell, where a
    // footnote is an ordinary frame (a cell frame holds no footnote block).
    enum class Place { Text, Cell };

    // Converts the frame at pieces[first] and its diagram pieces, appending
    // its items to `items`. The frame piece and its text and diagram pieces
    // get their tags.
    FrameWalk walk(PieceList& pieces, std::size_t first, ItemList& items,
                   Place place = Place::Text);

    // The object named by a <tn "%s"> tag, or the frame named by a
    // <:saf "%s" %d> tag, that a walk made; null for any other tag.
    const std::string* namedObjectOf(std::string_view tag) const;
    const std::string* sharedFrameOf(std::string_view tag) const;

  private:
    struct Walk;
    void addText(Walk& walk, DocumentPiece& piece, bool chartLabel);
    void addMicroDocument(Walk& walk, DocumentPiece& piece);
    void addNamedObject(Walk& walk, const DocumentPiece& piece);
    void finish(Walk& walk, DocumentPiece& frame, ItemList& items, Place place);
    void reportCounts(const Walk& walk, int frameNumber) const;
    // The tag, entered in both maps as standing for itself.
    std::string_view tagged(const std::string& tag);

    ConversionContext& context_;
    const DeclaredItems& declared_;
    std::map<std::string, std::string, std::less<>> namedObjects_; // <tn "%s"> to object name
    std::map<std::string, std::string, std::less<>> sharedFrames_; // <:saf "%s" %d> to frame
};

} // namespace quillex
