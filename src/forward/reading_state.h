// ReadingState: where the parse actions stand in a document, as far as the
// paragraph marks and the pieces depend on it, with every transition in one
// place. The actions tell it what they read (a component start, a cell, a
// closed frame, ...) and it answers what that calls for (a paragraph mark,
// a piece, the item to skip).
#pragma once

#include "forward/blank_line_breaks.h"

namespace quillex {

class ReadingState {
  public:
    using Closed = BlankLineBreaks::Closed;

    // "<!End Declarations>": the body starts, as a cell does (its first
    // component opens no paragraph of its own).
    void bodyStarted() {
        inBody_ = true;
        atCellStart_ = true;
    }
    // A cell or a micro-document starts: its first component starts its
    // text rather than a paragraph after another.
    void cellStarted() { atCellStart_ = true; }
    // A component start ("<"para">"): a paragraph opens, unless it is the
    // first of a cell.
    void componentStarted() {
        if (atCellStart_)
            atCellStart_ = false;
        else
            paragraphOpen_ = true;
    }
    // The next item of a list: whether the open paragraph ends with a mark
    // before it. A master table's cells carry no marks; the paragraph is
    // closed all the same, so that no mark turns up after the table.
    bool nextItem() { return closeParagraph(); }
    // A table starts: whether the text before it ends with a mark (not in a
    // cell's first place, not in a master table).
    bool tableStarted() {
        if (atCellStart_ || inMasterTable_)
            return false;
        paragraphOpen_ = false;
        return true;
    }
    void masterTableStarted() { inMasterTable_ = true; }
    void tableEnded() {
        inMasterTable_ = false;
        atCellStart_ = false;
    }
    // "Subcomponent = yes": no paragraph ends here.
    void subcomponentRead() { paragraphOpen_ = false; }
    // A micro-document's end: whether its text ends with a mark.
    bool microDocumentEnded() {
        paragraphOpen_ = false;
        return !inMasterTable_;
    }
    // The first page declaration makes a piece; the others do not.
    bool pageRead() {
        const bool first = firstPage_;
        firstPage_ = false;
        return first;
    }
    // A frame or a header/footer closed: the item it is part of made a
    // piece of its own already.
    void frameClosed(bool headerOrFooter) {
        closed_ = headerOrFooter ? Closed::HeaderOrFooter : Closed::Frame;
    }
    // What the item being added closed; the item after it is added again.
    Closed closed() const { return closed_; }
    // Takes the closed frame's item: true (and nothing closed from then on)
    // when the item being added is that frame.
    bool takeClosedFrame() {
        if (closed_ == Closed::Nothing)
            return false;
        closed_ = Closed::Nothing;
        return true;
    }

    bool inBody() const { return inBody_; }
    bool inMasterTable() const { return inMasterTable_; }

  private:
    bool closeParagraph() {
        const bool mark = paragraphOpen_ && !inMasterTable_;
        paragraphOpen_ = false;
        return mark;
    }

    bool inBody_ = false;
    bool paragraphOpen_ = false;
    bool atCellStart_ = false;
    bool inMasterTable_ = false;
    bool firstPage_ = true;
    Closed closed_ = Closed::Nothing;
};

} // namespace quillex
