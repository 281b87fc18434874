// CReplacePiece: one range of the skeleton and the text that replaces it.
#pragma once

#include "forward/text_piece.h"

#include <string>
#include <string_view>

namespace quillex::backward {

struct CReplacePiece {
    // Where: the file number and the line/column range (its text unused).
    CTextPiece location;
    // What stood there: the skeleton's bytes of the range. A view into the
    // skeleton text, which outlives every list of its pieces; it is only
    // compared and reported, never written.
    std::string_view source;
    // What is written instead, line ends as single line feeds.
    std::string replacement;

    // A piece whose replacement is its source changes nothing.
    bool isUnchanged() const { return replacement == source; }
    bool hasSameRange(const CReplacePiece& other) const {
        return location.fileNumber == other.location.fileNumber &&
               location.startLine == other.location.startLine &&
               location.startColumn == other.location.startColumn &&
               location.endLine == other.location.endLine &&
               location.endColumn == other.location.endColumn;
    }
    // True when this piece can be written after `listed`: it starts where
    // `listed` ends or later.
    bool liesAfter(const CReplacePiece& listed) const {
        return !CTextPiece::startsBefore(location.startLine, location.startColumn,
                                         listed.location.endLine, listed.location.endColumn);
    }
};

} // namespace quillex::backward
