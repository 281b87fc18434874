// DocumentPiece: one parsed piece of an Interleaf document (the header, a
// declaration, a frame or diagram object, a table part, or a run of body
// text), with the source texts of its items and the range it covers.
//
// The parse actions cut the document into pieces; the forward conversion
// turns them into QMX lines, and the backward conversion, which parses the
// ORG file again into the same pieces, replaces each piece's range.
#pragma once

#include "forward/piece_lines.h"
#include "forward/text_piece.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace quillex {

// What a piece is; the comment names the Interleaf markup that creates it.
enum class PieceKind : int {
    Header = 1,                   // "<!OPS," header with its version
    PageNumberStream = 2,         // "<!Page Number Stream,"
    Document = 3,                 // "<!Document,"
    Page = 4,                     // the first "<!Page," only
    FontDefinitions = 5,          // "<!Font Definitions,"
    ColorDefinitions = 6,         // "<!Color Definitions,"
    ColorName = 7,                // "<!Color Name,"
    ColorTint = 8,                // "<!Color Tint,"
    PatternDefinitions = 9,       // "<!Pattern Definitions,"
    AutonumberStream = 10,        // "<!Autonumber Stream,"
    Class = 11,                   // "<!Class,"
    MasterFrame = 12,             // "<!Master Frame,"
    MasterDiagrammingObject = 13, // "<!Master Diagramming Object,"
    MasterTable = 14,             // "<!Master Table,"
    PageHeader = 15,              // "<Page Header,"
    FirstPageHeader = 16,         // "<First Page Header,"
    RightPageHeader = 17,         // "<Right Page Header,"
    LeftPageHeader = 18,          // "<Left Page Header,"
    PageFooter = 19,              // "<Page Footer,"
    FirstPageFooter = 20,         // "<First Page Footer,"
    RightPageFooter = 21,         // "<Right Page Footer,"
    LeftPageFooter = 22,          // "<Left Page Footer,"
    EndOfDeclarations = 23,       // "<!End Declarations>": the body starts here
    Frame = 24,                   // "<Frame,"
    Group = 25,                   // a diagram group "(g"
    EndOfGroup = 26,              // the group's closing parenthesis
    TextString = 27,              // a diagram text string "(t"
    ChartLabel = 28,              // a chart label "(cD,"
    MicroDocument = 29,           // a micro-document "(T"
    NamedObject = 30,             // a named object "(N"
    EndOfNamedObject = 31,        // the named object's closing parenthesis
    Equation = 32,                // "(m"
    OutlineObject = 33,           // "(C"
    OldStyleOutlineObject = 34,   // "(O"
    TextAfterFrame = 35,          // a frame's or header's closing ">" and the text after it
    TableStart = 36,              // "<Table"
    MasterRow = 37,               // "<Master Row"
    Row = 38,                     // "<Row"
    Cell = 39,                    // "<Cell"
    EndOfTable = 40,              // "<End Table" and the text after it
};

// The name of `kind` as written above ("TextAfterFrame"); "PieceKind(N)" for
// a number outside the list. Test failures and debug listings print kinds so.
std::string pieceKindName(PieceKind kind);
std::ostream& operator<<(std::ostream& out, PieceKind kind);

// The line that marks the end of a paragraph among a piece's lines.
inline constexpr const char* kEndOfParagraphMark = "<Comment, QMX End-of-paragraph>";

struct DocumentPiece {
    explicit DocumentPiece(PieceKind pieceKind) : kind(pieceKind) {}

    PieceKind kind;
    // The range covered (ParsedDocument::textOf gives the source text of the
    // range).
    SourceRange span;
    // The source texts of the items added, one item a line.
    PieceLines lines;
    // Decimal fields of a diagram object.
    int number = 0;
    int objectNumber = 0;
    float firstPosition = 0;
    float secondPosition = 0;
    // A frame with "Shared Contents = yes".
    bool sharedContents = false;
    // The external tag the conversion gave the piece.
    std::string qmxTag;
    // The declared name: class, stream or frame name, or a "Numbered" value.
    std::string name;
    // Set by the backward conversion when it gave the piece lines of its
    // own (a translation, or declarations rewritten): only such pieces
    // replace their range of the skeleton; every other range keeps its bytes.
    bool filled = false;

    // A copy whose lines view this piece's texts (PieceLines::views): it
    // stays valid as long as this piece lives. A field added above is
    // copied here too.
    std::unique_ptr<DocumentPiece> viewingCopy() const;

    // Widens the span over `element` and keeps its text as a new line.
    void add(const CTextPiece& element);
    // Adds a line of the piece's own.
    void addLine(std::string line) { lines.add(std::move(line)); }
};

using PieceList = std::vector<std::unique_ptr<DocumentPiece>>;

} // namespace quillex
