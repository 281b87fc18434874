// Blank lines that end a component.
#include "forward/blank_line_breaks.h"
#include "qmx/interleaf_markup.h"

#include <algorithm>

namespace quillex {
namespace {

constexpr int kBlankLineEnds = 2; // a line end, a blank line, a line end

bool isBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// Items that neither end nor carry the paragraph's text: page marks and
// comments may stand anywhere between paragraphs.
bool isNeutralTag(std::string_view text) {
    return qmx::is(text, qmx::Markup::PageBreak) || qmx::is(text, qmx::Markup::Comment);
}

} // namespace

void BlankLineBreaks::layoutRead(std::string_view layout) {
    trailingLineEnds_ += static_cast<int>(std::count(layout.begin(), layout.end(), '\n'));
}

BlankLineBreaks::ItemRole BlankLineBreaks::roleOf(std::string_view text, Closed closed) const {
    if (pendingStart_)
        return pendingSub_ ? ItemRole::SubcomponentStart : ItemRole::ParagraphStart;
    // An anchored frame stands in the text; a header or footer does not.
    if (closed == Closed::Frame)
        return ItemRole::Content;
    if (closed == Closed::HeaderOrFooter || isNeutralTag(text))
        return ItemRole::Neutral;
    if (isBlankText(text))
        return ItemRole::Blank;
    if (qmx::is(text, qmx::Markup::SubcomponentEnd))
        return ItemRole::SubcomponentEnd;
    return ItemRole::Content;
}

bool BlankLineBreaks::breakDue(ItemRole role, bool inMasterTable) const {
    const bool continuesText = role == ItemRole::Content || role == ItemRole::SubcomponentStart;
    return continuesText && !inMasterTable && state_.contentSeen && !state_.className.empty() &&
           state_.lineEndsBefore >= kBlankLineEnds;
}

void BlankLineBreaks::breakInto(DocumentPiece& current) const {
    const std::string start = "<\"" + state_.className + "\">";
    DocumentPiece* piece = state_.splitPiece;
    if (piece != nullptr && state_.splitLine <= piece->lines.size()) {
        piece->lines.insert(state_.splitLine, {kEndOfParagraphMark, start});
    } else {
        current.lines.addView(kEndOfParagraphMark);
        current.addLine(start);
    }
}

void BlankLineBreaks::itemAdded(ItemRole role, DocumentPiece* piece) {
    switch (role) {
    case ItemRole::ParagraphStart:
        state_ = State{};
        state_.className = pendingName_;
        break;
    case ItemRole::SubcomponentStart:
    case ItemRole::SubcomponentEnd:
    case ItemRole::Content:
        state_.contentSeen = true;
        break;
    case ItemRole::Blank:
        // Blanks stay with the text before them, unless a blank line ends
        // that text: then they lead the component that follows.
        if (state_.splitPiece == piece && piece != nullptr &&
            state_.lineEndsBefore < kBlankLineEnds)
            state_.splitLine = piece->lines.size();
        break;
    case ItemRole::Neutral:
        break;
    }
    if (role == ItemRole::Neutral || role == ItemRole::Blank) {
        state_.lineEndsBefore += trailingLineEnds_;
    } else {
        state_.lineEndsBefore = trailingLineEnds_;
        state_.splitPiece = piece;
        state_.splitLine = piece != nullptr ? piece->lines.size() : 0;
    }
    trailingLineEnds_ = 0;
    pendingStart_ = false;
    pendingSub_ = false;
}

void BlankLineBreaks::structureStarted() {
    state_ = State{};
}

void BlankLineBreaks::nestedListStarted() {
    enclosing_.push_back(state_);
    state_ = State{};
    trailingLineEnds_ = 0;
}

void BlankLineBreaks::nestedListEnded() {
    if (enclosing_.empty()) {
        state_ = State{};
        return;
    }
    state_ = enclosing_.back();
    enclosing_.pop_back();
    trailingLineEnds_ = 0;
}

} // namespace quillex
