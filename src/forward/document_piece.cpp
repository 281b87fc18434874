// Document pieces.
#include "forward/document_piece.h"

namespace quillex {

void DocumentPiece::add(const CTextPiece& element) {
    span.mergeSpan(element);
    if (!element.text.empty())
        lines.push_back(element.text);
}

} // namespace quillex
