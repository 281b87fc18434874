// Blank lines that end a component.
//
// In Interleaf ASCII a component's text ends at a blank line (a line holding
// only blanks and tabs); text after it with no new start tag is a new
// component of the same class. Exports always repeat the start tag after the
// blank line, but other generators rely on the rule (lists, tab-laid tables,
// index pages with one paragraph per entry). A single line end carries
// nothing: exports cut lines anywhere, even inside words.
//
// The parse actions tell this tracker about every item of an item list and
// about the layout that follows each item; it answers where a paragraph
// break is due. The break is written into the piece's lines as an
// end-of-paragraph mark and the class's plain start tag (<"name">), so that
// the body conversion gives the new paragraph its own <ps> line and the
// backward conversion writes the start tag back. Fonts and subcomponents
// that are open close at that paragraph end as at any other.
#pragma once

#include "forward/document_piece.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class BlankLineBreaks {
  public:
    // What an item of an item list is to the rule.
    enum class ItemRole {
        ParagraphStart,    // a component start that is no subcomponent
        SubcomponentStart, // "<"name", Subcomponent = yes>"
        SubcomponentEnd,   // "<End Sub>"
        Content,           // text, "<<", ">", inline tags and anchored frames
        Blank,             // text of blanks only: stays with the text before,
                           // or after a blank line leads the text after
        Neutral,           // page marks, comments, headers and footers
    };

    // A component start tag has been read: `name` as written between its
    // quotes. The item it heads follows.
    void componentStartRead(std::string_view name) {
        pendingName_ = name;
        pendingStart_ = true;
        pendingSub_ = false;
    }
    // The start tag being read says "Subcomponent = yes".
    void subcomponentRead() { pendingSub_ = true; }

    // Layout (blanks, tabs, line ends) after the item being read.
    void layoutRead(std::string_view layout);

    // What the item about to join an item list closed, when not a tag or text.
    enum class Closed { Nothing, Frame, HeaderOrFooter };

    // The role of the item `text` about to join an item list; a component
    // start read since the last item makes it a start.
    ItemRole roleOf(std::string_view text, Closed closed) const;

    // True when a blank line separates `role`'s item from text of the same
    // paragraph before it: the caller ends the paragraph with
    // breakInto() before adding the item.
    bool breakDue(ItemRole role, bool inMasterTable) const;
    // Writes the paragraph end and the plain start tag where the last
    // content item ended: in its piece, or at the end of `current` if there
    // is none.
    void breakInto(DocumentPiece& current) const;

    // The item has joined `piece` (its lines as they are now).
    void itemAdded(ItemRole role, DocumentPiece* piece);

    // Tables, cells and other structure end the paragraph without a break:
    // what follows names its own class.
    void structureStarted();

    // A micro-document has an item list of its own: the state of the
    // enclosing list is kept aside until it ends.
    void nestedListStarted();
    void nestedListEnded();

  private:
    struct State {
        std::string className; // the open paragraph's class; empty if none
        bool contentSeen = false;
        int lineEndsBefore = 0;              // line ends since the last content item
        DocumentPiece* splitPiece = nullptr; // pieces live as long as the parse
        std::size_t splitLine = 0;
    };

    State state_;
    std::vector<State> enclosing_;
    int trailingLineEnds_ = 0; // layout after the item being read
    std::string pendingName_;
    bool pendingStart_ = false;
    bool pendingSub_ = false;
};

} // namespace quillex
