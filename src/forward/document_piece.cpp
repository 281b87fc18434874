// Document pieces.
#include "forward/document_piece.h"

#include <array>
#include <ostream>

namespace quillex {
namespace {

// Indexed by kind number - 1.
constexpr std::array kPieceKindNames = {
    "Header",
    "PageNumberStream",
    "Document",
    "Page",
    "FontDefinitions",
    "ColorDefinitions",
    "ColorName",
    "ColorTint",
    "PatternDefinitions",
    "AutonumberStream",
    "Class",
    "MasterFrame",
    "MasterDiagrammingObject",
    "MasterTable",
    "PageHeader",
    "FirstPageHeader",
    "RightPageHeader",
    "LeftPageHeader",
    "PageFooter",
    "FirstPageFooter",
    "RightPageFooter",
    "LeftPageFooter",
    "EndOfDeclarations",
    "Frame",
    "Group",
    "EndOfGroup",
    "TextString",
    "ChartLabel",
    "MicroDocument",
    "NamedObject",
    "EndOfNamedObject",
    "Equation",
    "OutlineObject",
    "OldStyleOutlineObject",
    "TextAfterFrame",
    "TableStart",
    "MasterRow",
    "Row",
    "Cell",
    "EndOfTable",
};

} // namespace

std::string pieceKindName(PieceKind kind) {
    const auto number = static_cast<std::size_t>(kind);
    if (number >= 1 && number <= kPieceKindNames.size())
        return kPieceKindNames[number - 1];
    return "PieceKind(" + std::to_string(number) + ")";
}

std::ostream& operator<<(std::ostream& out, PieceKind kind) {
    return out << pieceKindName(kind);
}

std::unique_ptr<DocumentPiece> DocumentPiece::viewingCopy() const {
    auto copy = std::make_unique<DocumentPiece>(kind);
    copy->span = span;
    copy->lines = lines.views();
    copy->number = number;
    copy->objectNumber = objectNumber;
    copy->firstPosition = firstPosition;
    copy->secondPosition = secondPosition;
    copy->sharedContents = sharedContents;
    copy->qmxTag = qmxTag;
    copy->name = name;
    copy->filled = filled;
    return copy;
}

void DocumentPiece::add(const CTextPiece& element) {
    span.mergeSpan(element);
    if (!element.text.empty())
        lines.add(element.text);
}

} // namespace quillex
