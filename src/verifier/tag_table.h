// The verifier's tag table: the leading characters of every tag it knows,
// with the tag number and the category that decide how findings about the tag
// are reported.
//
// A tag is classified by the first entry, in table order, whose prefix equals
// the beginning of the tag. The last two entries catch every other internal
// ("<:") and external ("<") tag.
#pragma once

#include <span>
#include <string_view>

namespace quillex::verifier {

// Categories of tags. The first six come from the table; the last three are
// given to external tags that a translator added in the "<#...>" form.
namespace category {
inline constexpr int Formatting = 0; // never reported when added or deleted
inline constexpr int Warning = 1;
inline constexpr int Alert = 2;
inline constexpr int Error = 3;
inline constexpr int UnlistedExternal = 4;
inline constexpr int UnlistedInternal = 5;
inline constexpr int AddedRecognised = 6;
inline constexpr int AddedUnexamined = 7;
inline constexpr int AddedUnknown = 8;
} // namespace category

// Tag numbers that the checks refer to by name.
namespace tagno {
inline constexpr int ParagraphStart = 0;   // <ps "
inline constexpr int PrefixComponent = 1;  // <pn "
inline constexpr int CrossRefVariable = 2; // <xrv "
inline constexpr int CrossRefVariableEnd = 3;
inline constexpr int TextRegion = 4; // <tr
inline constexpr int TextRegionEnd = 5;
inline constexpr int TextString = 6; // <ts
inline constexpr int TextStringEnd = 7;
inline constexpr int Page = 8; // <page "
inline constexpr int PageEnd = 9;
inline constexpr int Language = 11;
inline constexpr int Quotes = 13;
inline constexpr int ReadOnly = 14;
inline constexpr int ChartLabel = 15; // <tl
inline constexpr int ChartLabelEnd = 16;
inline constexpr int ObjectName = 17; // <tn
inline constexpr int Frame = 18;      // <af
inline constexpr int FrameEnd = 19;
inline constexpr int SharedFrame = 20; // <saf "
inline constexpr int Footnote = 23;    // <fn
inline constexpr int FootnoteEnd = 24;
inline constexpr int CellFrame = 25; // <ctart
inline constexpr int CellFrameEnd = 26;
inline constexpr int IndexMarker = 29; // <imk
inline constexpr int IndexMarkerEnd = 30;
inline constexpr int IndexEntry = 31; // <ie>
inline constexpr int IndexLevel = 32; // <il>
inline constexpr int SortString = 33; // <ss>
inline constexpr int SeeAlso = 34;    // <sa>
inline constexpr int QmxStart = 35;   // <qmx
inline constexpr int QmxEnd = 36;     // </qmx>
inline constexpr int Table = 37;      // <tb
inline constexpr int TableEnd = 38;
inline constexpr int Row = 47; // <row
inline constexpr int RowEnd = 48;
inline constexpr int HiddenRow = 49;   // <hrow
inline constexpr int ReadOnlyRow = 50; // <rrow "
inline constexpr int Cell = 51;        // <ct
inline constexpr int CellEnd = 52;
inline constexpr int ReadOnlyComponent = 54; // <r "
inline constexpr int SharedComponent = 55;   // <v "
inline constexpr int Block = 61;             // <bb "
inline constexpr int AutonumberFormat = 62;  // <anfmt "
inline constexpr int AutonumberFormatEnd = 63;
inline constexpr int PageNumberFormat = 64; // <pgfmt "
inline constexpr int PageNumberFormatEnd = 65;
inline constexpr int VariableFormat = 67; // <vfmt "
inline constexpr int VariableFormatEnd = 68;
inline constexpr int PrefixFormat = 69; // <pnfmt "
inline constexpr int PrefixFormatEnd = 70;
inline constexpr int File = 72; // <file "
inline constexpr int FileEnd = 73;
inline constexpr int SpecialCharacter = 75; // <:lt>, <:ldq>, ...
inline constexpr int Tab = 76;              // <:t>, <:hr>, ...
inline constexpr int CharacterCode = 77;    // <:r1 ... <:r9
inline constexpr int Bold = 78;
inline constexpr int BoldEnd = 79;
inline constexpr int Italic = 80;
inline constexpr int ItalicEnd = 81;
inline constexpr int BoldItalic = 82;
inline constexpr int BoldItalicEnd = 83;
inline constexpr int WesternFont = 84;
inline constexpr int WesternFontEnd = 85;
inline constexpr int SmallCaps = 86;
inline constexpr int SmallCapsEnd = 87;
inline constexpr int Autonumber = 90;     // <:an
inline constexpr int ConditionalSub = 91; // <:cns "
inline constexpr int ConditionalSubEnd = 92;
inline constexpr int FontSub = 93; // <:cs "
inline constexpr int FontSubEnd = 94;
inline constexpr int InlineSub = 95; // <:sc "
inline constexpr int InlineSubEnd = 96;
inline constexpr int FontChange = 97; // <:fc
inline constexpr int FontChangeEnd = 98;
inline constexpr int InlineShared = 100;        // <:v "
inline constexpr int InlinePrefix = 101;        // <:pn "
inline constexpr int InlineAnchoredFrame = 111; // <:iaf
inline constexpr int InlineSharedFrame = 112;   // <:saf
inline constexpr int Field = 119;               // <:bb "
inline constexpr int UnlistedInternal = 122;    // <:
inline constexpr int UnlistedExternal = 123;    // <
} // namespace tagno

struct TagTableEntry {
    std::string_view prefix;
    int number;
    int category;
};

struct TagClass {
    int number;
    int category;
};

// The 118 entries in search order.
std::span<const TagTableEntry> tagTable();

// Classifies `tag` by the first entry whose prefix begins it. Any text that
// begins with "<" is classified; other text falls to the external catch-all.
TagClass classifyTag(std::string_view tag);

} // namespace quillex::verifier
