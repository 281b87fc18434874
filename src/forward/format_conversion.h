// The text outside a document's body: headers and footers, shared frames,
// texts in shared named objects, variable and prefix formats, autonumber and
// page number streams, collected into the lists that become the file's
// section of the ancillary file.
//
// In document mode a shared item is collected at its first use; in style
// mode every item the style declares is collected.
#pragma once

#include "forward/conversion_context.h"
#include "forward/document_piece.h"
#include "forward/frame_walk.h"
#include "forward/item_list.h"
#include "forward/shared_items.h"

#include <string>
#include <vector>

namespace quillex {

// One file's ancillary items, a list per block of its ancillary section.
struct AncillaryLists {
    ItemList headersAndFooters;
    ItemList sharedFrames;
    ItemList namedObjects;
    ItemList variableFormats;
    ItemList prefixFormats;
    ItemList autonumberStreams;
    ItemList pageNumberStreams;
};

// The block name of a page header or footer piece ("Page Header Format",
// ...); empty for any other kind.
std::string headerFooterBlockName(PieceKind kind);

class FormatConverter {
  public:
    FormatConverter(ConversionContext& context, PieceList& pieces, const DeclaredItems& declared,
                    FrameWalker& frames);

    // The declarations in piece order: page number streams and headers and
    // footers in both modes; in style mode (`everyFormat`) also every
    // autonumber stream, class with shared contents, master frame and master
    // diagramming object.
    void convertDeclarations(bool everyFormat);

    // First uses, each collected once: an autonumber stream, a class with
    // shared contents, a shared frame and a shared named object (with the
    // tag that stands for it).
    void addAutonumberStream(const std::string& name);
    void addClassFormat(const std::string& name);
    void addSharedFrame(const std::string& name, std::string_view tag);
    void addNamedObject(const std::string& name, std::string_view tag);

    AncillaryLists& lists() { return lists_; }

  private:
    void addHeaderOrFooter(std::size_t index, bool inBody);
    ItemList masterItems(std::size_t index);

    ConversionContext& context_;
    PieceList& pieces_;
    const DeclaredItems& declared_;
    FrameWalker& frames_;
    AncillaryLists lists_;
    NameList streamsDone_;
    NameList classesDone_;
    NameList framesDone_;
    NameList objectsDone_;
};

} // namespace quillex
