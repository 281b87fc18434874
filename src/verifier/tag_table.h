// The verifier's tag table: the leading characters of every tag it knows,
// with the tag number and the category that decide how findings about the tag
// are reported. Its entries are the rows of the QMX tag table that the
// verifier lists (qmx/qmx_tags.h).
//
// A tag is classified by the first entry, in table order, whose prefix equals
// the beginning of the tag. The last two entries catch every other internal
// ("<:") and external ("<") tag.
#pragma once

#include "qmx/qmx_tags.h"

#include <span>
#include <string_view>

namespace quillex::verifier {

// Categories of tags. The first six are the ratings of the QMX tag table;
// the last three are given to external tags that a translator added in the
// "<#...>" form.
namespace category {
constexpr int of(qmx::Rating rating) {
    return static_cast<int>(rating);
}
inline constexpr int Formatting =
    of(qmx::Rating::Formatting); // never reported when added or deleted
inline constexpr int Warning = of(qmx::Rating::Warning);
inline constexpr int Alert = of(qmx::Rating::Alert);
inline constexpr int Error = of(qmx::Rating::Error);
inline constexpr int UnlistedExternal = of(qmx::Rating::ExternalCatchAll);
inline constexpr int UnlistedInternal = of(qmx::Rating::InternalCatchAll);
inline constexpr int AddedRecognised = 6;
inline constexpr int AddedUnexamined = 7;
inline constexpr int AddedUnknown = 8;
} // namespace category

// Tag numbers that the checks refer to by name: those of the QMX tag table.
namespace tagno {
inline constexpr int ParagraphStart = qmx::numberOf(qmx::Tag::ParagraphStart);
inline constexpr int PrefixComponent = qmx::numberOf(qmx::Tag::PrefixComponent);
inline constexpr int CrossRefVariable = qmx::numberOf(qmx::Tag::CrossRefVariable);
inline constexpr int CrossRefVariableEnd = qmx::numberOf(qmx::Tag::CrossRefVariableEnd);
inline constexpr int TextRegion = qmx::numberOf(qmx::Tag::TextRegion);
inline constexpr int TextRegionEnd = qmx::numberOf(qmx::Tag::TextRegionEnd);
inline constexpr int TextString = qmx::numberOf(qmx::Tag::TextString);
inline constexpr int TextStringEnd = qmx::numberOf(qmx::Tag::TextStringEnd);
inline constexpr int Page = qmx::numberOf(qmx::Tag::Page);
inline constexpr int PageEnd = qmx::numberOf(qmx::Tag::PageEnd);
inline constexpr int Language = qmx::numberOf(qmx::Tag::Language);
inline constexpr int Quotes = qmx::numberOf(qmx::Tag::Quotes);
inline constexpr int ReadOnly = qmx::numberOf(qmx::Tag::ReadOnly);
inline constexpr int ChartLabel = qmx::numberOf(qmx::Tag::ChartLabel);
inline constexpr int ChartLabelEnd = qmx::numberOf(qmx::Tag::ChartLabelEnd);
inline constexpr int ObjectName = qmx::numberOf(qmx::Tag::ObjectName);
inline constexpr int Frame = qmx::numberOf(qmx::Tag::Frame);
inline constexpr int FrameEnd = qmx::numberOf(qmx::Tag::FrameEnd);
inline constexpr int SharedFrame = qmx::numberOf(qmx::Tag::SharedFrame);
inline constexpr int Footnote = qmx::numberOf(qmx::Tag::Footnote);
inline constexpr int FootnoteEnd = qmx::numberOf(qmx::Tag::FootnoteEnd);
inline constexpr int CellFrame = qmx::numberOf(qmx::Tag::CellFrame);
inline constexpr int CellFrameEnd = qmx::numberOf(qmx::Tag::CellFrameEnd);
inline constexpr int IndexMarker = qmx::numberOf(qmx::Tag::IndexMarker);
inline constexpr int IndexMarkerEnd = qmx::numberOf(qmx::Tag::IndexMarkerEnd);
inline constexpr int IndexEntry = qmx::numberOf(qmx::Tag::IndexEntry);
inline constexpr int IndexLevel = qmx::numberOf(qmx::Tag::IndexLevel);
inline constexpr int SortString = qmx::numberOf(qmx::Tag::SortString);
inline constexpr int SeeAlso = qmx::numberOf(qmx::Tag::SeeAlso);
inline constexpr int QmxStart = qmx::numberOf(qmx::Tag::QmxStart);
inline constexpr int QmxEnd = qmx::numberOf(qmx::Tag::QmxEnd);
inline constexpr int Table = qmx::numberOf(qmx::Tag::Table);
inline constexpr int TableEnd = qmx::numberOf(qmx::Tag::TableEnd);
inline constexpr int Row = qmx::numberOf(qmx::Tag::Row);
inline constexpr int RowEnd = qmx::numberOf(qmx::Tag::RowEnd);
inline constexpr int HiddenRow = qmx::numberOf(qmx::Tag::HiddenRow);
inline constexpr int ReadOnlyRow = qmx::numberOf(qmx::Tag::ReadOnlyRow);
inline constexpr int Cell = qmx::numberOf(qmx::Tag::Cell);
inline constexpr int CellEnd = qmx::numberOf(qmx::Tag::CellEnd);
inline constexpr int ReadOnlyComponent = qmx::numberOf(qmx::Tag::ReadOnlyComponent);
inline constexpr int SharedComponent = qmx::numberOf(qmx::Tag::SharedComponent);
inline constexpr int Block = qmx::numberOf(qmx::Tag::Block);
inline constexpr int AutonumberFormat = qmx::numberOf(qmx::Tag::AutonumberFormat);
inline constexpr int AutonumberFormatEnd = qmx::numberOf(qmx::Tag::AutonumberFormatEnd);
inline constexpr int PageNumberFormat = qmx::numberOf(qmx::Tag::PageNumberFormat);
inline constexpr int PageNumberFormatEnd = qmx::numberOf(qmx::Tag::PageNumberFormatEnd);
inline constexpr int VariableFormat = qmx::numberOf(qmx::Tag::VariableFormat);
inline constexpr int VariableFormatEnd = qmx::numberOf(qmx::Tag::VariableFormatEnd);
inline constexpr int PrefixFormat = qmx::numberOf(qmx::Tag::PrefixFormat);
inline constexpr int PrefixFormatEnd = qmx::numberOf(qmx::Tag::PrefixFormatEnd);
inline constexpr int File = qmx::numberOf(qmx::Tag::File);
inline constexpr int FileEnd = qmx::numberOf(qmx::Tag::FileEnd);
inline constexpr int SpecialCharacter = qmx::numberOf(qmx::Tag::SpecialCharacter);
inline constexpr int Tab = qmx::numberOf(qmx::Tag::Tab);
inline constexpr int CharacterCode = qmx::numberOf(qmx::Tag::CharacterCode);
inline constexpr int Bold = qmx::numberOf(qmx::Tag::Bold);
inline constexpr int BoldEnd = qmx::numberOf(qmx::Tag::BoldEnd);
inline constexpr int Italic = qmx::numberOf(qmx::Tag::Italic);
inline constexpr int ItalicEnd = qmx::numberOf(qmx::Tag::ItalicEnd);
inline constexpr int BoldItalic = qmx::numberOf(qmx::Tag::BoldItalic);
inline constexpr int BoldItalicEnd = qmx::numberOf(qmx::Tag::BoldItalicEnd);
inline constexpr int WesternFont = qmx::numberOf(qmx::Tag::WesternFont);
inline constexpr int WesternFontEnd = qmx::numberOf(qmx::Tag::WesternFontEnd);
inline constexpr int SmallCaps = qmx::numberOf(qmx::Tag::SmallCaps);
inline constexpr int SmallCapsEnd = qmx::numberOf(qmx::Tag::SmallCapsEnd);
inline constexpr int Autonumber = qmx::numberOf(qmx::Tag::Autonumber);
inline constexpr int ConditionalSub = qmx::numberOf(qmx::Tag::ConditionalSub);
inline constexpr int ConditionalSubEnd = qmx::numberOf(qmx::Tag::ConditionalSubEnd);
inline constexpr int FontSub = qmx::numberOf(qmx::Tag::FontSub);
inline constexpr int FontSubEnd = qmx::numberOf(qmx::Tag::FontSubEnd);
inline constexpr int InlineSub = qmx::numberOf(qmx::Tag::InlineSub);
inline constexpr int InlineSubEnd = qmx::numberOf(qmx::Tag::InlineSubEnd);
inline constexpr int FontChange = qmx::numberOf(qmx::Tag::FontChange);
inline constexpr int FontChangeEnd = qmx::numberOf(qmx::Tag::FontChangeEnd);
inline constexpr int InlineShared = qmx::numberOf(qmx::Tag::InlineShared);
inline constexpr int InlinePrefix = qmx::numberOf(qmx::Tag::InlinePrefix);
inline constexpr int InlineAnchoredFrame = qmx::numberOf(qmx::Tag::InlineAnchoredFrame);
inline constexpr int InlineSharedFrame = qmx::numberOf(qmx::Tag::InlineSharedFrame);
inline constexpr int Field = qmx::numberOf(qmx::Tag::Field);
inline constexpr int UnlistedInternal = qmx::numberOf(qmx::Tag::UnlistedInternal);
inline constexpr int UnlistedExternal = qmx::numberOf(qmx::Tag::UnlistedExternal);
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
