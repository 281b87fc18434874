// The QMX tag table and the lookups over it.
#include "qmx/qmx_tags.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

namespace quillex::qmx {
namespace {

using enum Tag;
using enum Rating;
using B = Backward;
using A = Anchored;

constexpr std::uint16_t kNone = 0;
constexpr std::uint16_t kLineParagraph = StartsLine | Paragraph;

// The verifier searches its rows in this order; only its two catch-alls begin
// other rows, so they come last. Columns: tag, text, rating, closing tag,
// traits, backward rule, anchored block, literal character.
constexpr std::array kRows = std::to_array<TagRow>({
    // Character formatting: added or deleted freely.
    {Bold, "<:b>", Formatting, BoldEnd, Paired | MayAdd},
    {BoldEnd, "<:/b>", Formatting, None, MayAdd},
    {Italic, "<:i>", Formatting, ItalicEnd, Paired | MayAdd},
    {ItalicEnd, "<:/i>", Formatting, None, MayAdd},
    {BoldItalic, "<:bi>", Formatting, BoldItalicEnd, Paired | MayAdd},
    {BoldItalicEnd, "<:/bi>", Formatting, None, MayAdd},
    {WesternFont, "<:c>", Formatting, WesternFontEnd, Paired | MayAdd},
    {WesternFontEnd, "<:/c>", Formatting, None, MayAdd},
    {SmallCaps, "<:s>", Formatting, SmallCapsEnd, Paired | MayAdd},
    {SmallCapsEnd, "<:/s>", Formatting, None, MayAdd},
    // Reported as warnings.
    {ParagraphStart, "<ps \"", Warning, None, TakesText | kLineParagraph, B::Expanded},
    {PrefixComponent, "<pn \"", Warning, None, TakesText | kLineParagraph | HidesComponent,
     B::Expanded},
    {SpecialCharacter, "<:lt>", Warning, None, MayAdd, B::Replaced, A::None, '<'},
    {SpecialCharacter, "<:gt>", Warning, None, MayAdd, B::Replaced, A::None, '>'},
    {SpecialCharacter, "<:hls>", Warning, None, MayAdd},
    {SpecialCharacter, "<:ts>", Warning, None, MayAdd},
    {SpecialCharacter, "<:fs>", Warning, None, MayAdd},
    {SpecialCharacter, "<:ens>", Warning, None, MayAdd},
    {SpecialCharacter, "<:ems>", Warning, None, MayAdd},
    {SpecialCharacter, "<:sh>", Warning, None, MayAdd},
    {SpecialCharacter, "<:lq>", Warning, None, MayAdd},
    {SpecialCharacter, "<:rq>", Warning, None, MayAdd},
    {SpecialCharacter, "<:ldq>", Warning, None, MayAdd},
    {SpecialCharacter, "<:rdq>", Warning, None, MayAdd},
    {SpecialCharacter, "<:frq>", Warning, None, MayAdd},
    {SpecialCharacter, "<:flq>", Warning, None, MayAdd},
    {SpecialCharacter, "<:glq>", Warning, None, MayAdd},
    {Tab, "<:t>", Warning, None, MayAdd},
    {Tab, "<:t.>", Warning, None, MayAdd},
    {Tab, "<:t_>", Warning, None, MayAdd},
    {Tab, "<:t->", Warning, None, MayAdd},
    {Tab, "<:t-d>", Warning, None, MayAdd},
    {Tab, "<:hr>", Warning, None, MayAdd},
    {Tab, "<:hs>", Warning, None, MayAdd},
    {FontChange, "<:fc ", Warning, FontChangeEnd, Paired},
    {FontChangeEnd, "<:/fc>", Warning},
    // Reported as alerts.
    {IndexMarker, "<imk", Alert, IndexMarkerEnd, MayAdd, B::Replaced, A::IndexMarker},
    {IndexEntry, "<ie>", Alert, None, TakesText | MayAdd},
    {IndexLevel, "<il>", Alert, None, TakesText | MayAdd},
    {SortString, "<ss>", Alert, None, TakesText | MayAdd},
    {SeeAlso, "<sa>", Alert, None, TakesText},
    {IndexMarkerEnd, "</imk>", Alert, None, MayAdd},
    {CharacterCode, "<:r1", Alert},
    {CharacterCode, "<:r2", Alert},
    {CharacterCode, "<:r3", Alert},
    {CharacterCode, "<:r4", Alert},
    {CharacterCode, "<:r5", Alert},
    {CharacterCode, "<:r6", Alert},
    {CharacterCode, "<:r7", Alert},
    {CharacterCode, "<:r8", Alert},
    {CharacterCode, "<:r9", Alert},
    {FontSub, "<:cs \"", Alert, FontSubEnd, Paired, B::Expanded},
    {FontSubEnd, "<:/cs>", Alert},
    {InlineSub, "<:sc \"", Alert, InlineSubEnd, Paired, B::Expanded},
    {InlineSubEnd, "<:/sc>", Alert},
    {InlineIndexMarker, "<:imk ", Alert},
    {Field, "<:bb \"", Alert},
    {InlineShared, "<:v \"", Alert, None, HidesComponent, B::Expanded},
    {CrossReference, "<:xr ", Alert},
    {AutomaticCrossReference, "<:axr ", Alert},
    {Autonumber, "<:an ", Alert},
    {InlineReadOnly, "<:r \"", Alert, None, HidesComponent, B::ExpandedUnchanged},
    // Reported as errors.
    {QmxStart, "<qmx ", Error, QmxEnd, kNone, B::Dropped},
    {QmxEnd, "</qmx>", Error, None, kNone, B::Dropped},
    {Page, "<page \"", Error, PageEnd},
    {PageEnd, "</page>", Error, None, StartsLine, B::Dropped},
    {File, "<file \"", Error, FileEnd, kNone, B::Dropped},
    {FileEnd, "</file \"", Error},
    {Language, "<language \"", Error, None, kNone, B::Dropped},
    {Quotes, "<quotes \"", Error, None, kNone, B::Dropped},
    {ReadOnly, "<readonly \"", Error, None, kNone, B::Dropped},
    {CrossRefVariable, "<xrv \"", Error, CrossRefVariableEnd, TakesText | StartsLine},
    {CrossRefVariableEnd, "</xrv>", Error},
    {ReadOnlyComponent, "<r \"", Error, None, kLineParagraph | HidesComponent,
     B::ExpandedUnchanged},
    {SharedComponent, "<v \"", Error, None, kLineParagraph | HidesComponent, B::Expanded},
    {Frame, "<af ", Error, FrameEnd, OpensFrame, B::Replaced, A::Frame},
    {FrameEnd, "</af>", Error, None, kNone, B::Dropped},
    {TextRegion, "<tr ", Error, TextRegionEnd},
    {TextRegionEnd, "</tr>", Error, None, StartsLine},
    {TextString, "<ts ", Error, TextStringEnd, TakesText},
    {TextStringEnd, "</ts>", Error},
    {ChartLabel, "<tl ", Error, ChartLabelEnd, TakesText},
    {ChartLabelEnd, "</tl>", Error},
    {ObjectName, "<tn ", Error, None, kNone, B::Dropped},
    {Footnote, "<fn ", Error, FootnoteEnd, kNone, B::Dropped, A::Footnote},
    {FootnoteEnd, "</fn>", Error, None, kNone, B::Dropped},
    {Table, "<tb ", Error, TableEnd, StartsLine, B::Dropped},
    {TableEnd, "</tb>", Error, None, kNone, B::Dropped},
    {Row, "<row ", Error, RowEnd, OpensRow, B::Dropped},
    {RowEnd, "</row>", Error, None, kNone, B::Dropped},
    {HiddenRow, "<hrow ", Error, None, OpensRow},
    {ReadOnlyRow, "<rrow \"", Error, None, OpensRow},
    {Cell, "<ct ", Error, CellEnd, kNone, B::Expanded},
    {CellEnd, "</ct>", Error, None, StartsLine, B::Dropped},
    {CellFrame, "<ctart ", Error, CellFrameEnd, TakesText, B::Dropped, A::CellFrame},
    {CellFrameEnd, "</ctart>", Error, None, kNone, B::Dropped},
    {HiddenComponent, "<cnmk ", Error, None, kLineParagraph | HidesComponent, B::ExpandedUnchanged},
    {Block, "<bb \"", Error, None, TakesText, B::Dropped},
    {SharedFrame, "<saf \"", Error},
    {AutonumberFormat, "<anfmt \"", Error, AutonumberFormatEnd},
    {AutonumberFormatEnd, "</anfmt>", Error},
    {PageNumberFormat, "<pgfmt \"", Error, PageNumberFormatEnd},
    {PageNumberFormatEnd, "</pgfmt>", Error},
    {VariableFormat, "<vfmt \"", Error, VariableFormatEnd},
    {VariableFormatEnd, "</vfmt>", Error, None, StartsLine, B::Dropped},
    {PrefixFormat, "<pnfmt \"", Error, PrefixFormatEnd},
    {PrefixFormatEnd, "</pnfmt>", Error, None, StartsLine, B::Dropped},
    {InlineFootnote, "<:fn ", Error},
    {InlineFrame, "<:af ", Error, InlineFrameEnd, Paired},
    {InlineChangeRegion, "<:crmk ", Error},
    {InlineHiddenComponent, "<:cnmk ", Error, None, HidesComponent, B::ExpandedUnchanged},
    {ConditionalSub, "<:cns \"", Error, ConditionalSubEnd, Paired, B::Expanded},
    {ConditionalSubEnd, "<:/cns>", Error},
    {InlineAnchoredFrame, "<:iaf ", Error, None, OpensFrame},
    {InlineSharedFrame, "<:saf ", Error, None, OpensFrame},
    {InlinePrefix, "<:pn \"", Error, None, HidesComponent, B::Expanded},
    // Catch-alls.
    {UnlistedInternal, "<:", InternalCatchAll},
    {UnlistedExternal, "<", ExternalCatchAll},
    // Not listed by the verifier.
    {PlainFileEnd, "</file>", NotListed, None, kNone, B::Dropped},
    {GroupEnd, "</dummy>", NotListed, None, kNone, B::Dropped},
    {InlineFrameEnd, "<:/af>", NotListed},
});

constexpr AnchoredBlock kNoBlock{};

constexpr const TagRow* find(Tag tag) {
    for (const TagRow& row : kRows)
        if (row.tag == tag)
            return &row;
    return nullptr;
}

// The blocks agree with the rows of their tags.
constexpr bool blockAgrees(const AnchoredBlock& block, Tag opening, Tag closing, Tag placeholder) {
    const TagRow* open = find(opening);
    const TagRow* close = find(closing);
    return block.opening.starts_with(open->text) && block.closing == close->text &&
           (placeholder == None || block.placeholder == find(placeholder)->text);
}
static_assert(blockAgrees(kFrameBlock, Frame, FrameEnd, InlineFrame));
static_assert(blockAgrees(kFootnoteBlock, Footnote, FootnoteEnd, InlineFootnote));
static_assert(blockAgrees(kIndexMarkerBlock, IndexMarker, IndexMarkerEnd, InlineIndexMarker));
static_assert(blockAgrees(kCellFrameBlock, CellFrame, CellFrameEnd, None));

bool matches(std::string_view text, const TagRow& row) {
    return isWhole(row.text) ? text == row.text : text.starts_with(headOf(row.text));
}

// The rows with one trait or one backward rule, in table order, gathered
// once so that a lookup walks only those.
template <typename Keep> std::vector<const TagRow*> rowsWhere(Keep keep) {
    std::vector<const TagRow*> rows;
    for (const TagRow& row : kRows)
        if (keep(row))
            rows.push_back(&row);
    return rows;
}

const TagRow* firstMatch(std::string_view text, const std::vector<const TagRow*>& rows) {
    for (const TagRow* row : rows)
        if (matches(text, *row))
            return row;
    return nullptr;
}

constexpr std::array kTraits = {TakesText, StartsLine, Paragraph, HidesComponent,
                                Paired,    OpensFrame, OpensRow,  MayAdd};
constexpr std::array kBackwardRules = {Backward::Replaced, Backward::Expanded,
                                       Backward::ExpandedUnchanged, Backward::Dropped};

} // namespace

std::span<const TagRow> tagRows() {
    return kRows;
}

const TagRow& rowOf(Tag tag) {
    // Asked for on every item of the body passes: found by index, not search.
    static const auto index = [] {
        std::array<const TagRow*, 256> rows{};
        for (std::size_t i = kRows.size(); i-- > 0;)
            rows[static_cast<std::size_t>(kRows[i].tag)] = &kRows[i];
        return rows;
    }();
    return *index[static_cast<std::size_t>(tag)];
}

const AnchoredBlock& anchoredBlock(Anchored kind) {
    switch (kind) {
    case Anchored::Frame:
        return kFrameBlock;
    case Anchored::Footnote:
        return kFootnoteBlock;
    case Anchored::IndexMarker:
        return kIndexMarkerBlock;
    case Anchored::CellFrame:
        return kCellFrameBlock;
    case Anchored::None:
        break;
    }
    return kNoBlock;
}

bool is(std::string_view text, Tag tag) {
    return matches(text, rowOf(tag));
}

bool begins(std::string_view text, Tag tag) {
    return text.starts_with(headOf(rowOf(tag).text));
}

const TagRow* withTrait(std::string_view text, Trait trait) {
    static const auto byTrait = [] {
        std::array<std::vector<const TagRow*>, kTraits.size()> lists;
        for (std::size_t i = 0; i < kTraits.size(); ++i)
            lists[i] = rowsWhere([&](const TagRow& row) { return (row.traits & kTraits[i]) != 0; });
        return lists;
    }();
    const auto at = std::find(kTraits.begin(), kTraits.end(), trait);
    return firstMatch(text, byTrait[static_cast<std::size_t>(at - kTraits.begin())]);
}

const TagRow* withBackward(std::string_view text, Backward rule) {
    static const auto byRule = [] {
        std::array<std::vector<const TagRow*>, kBackwardRules.size()> lists;
        for (std::size_t i = 0; i < kBackwardRules.size(); ++i)
            lists[i] =
                rowsWhere([&](const TagRow& row) { return row.backward == kBackwardRules[i]; });
        return lists;
    }();
    const auto at = std::find(kBackwardRules.begin(), kBackwardRules.end(), rule);
    return firstMatch(text, byRule[static_cast<std::size_t>(at - kBackwardRules.begin())]);
}

namespace {

// The rows other than the catch-alls, by the first three bytes of their
// heads (every head has three at least).
class RowIndex {
  public:
    RowIndex() {
        for (const TagRow& row : kRows) {
            if (row.tag == UnlistedInternal || row.tag == UnlistedExternal)
                continue;
            rows_[keyOf(headOf(row.text))].push_back(&row);
        }
    }

    const TagRow* find(std::string_view tag) const {
        if (tag.size() < 3)
            return nullptr;
        const auto bucket = rows_.find(keyOf(tag));
        if (bucket == rows_.end())
            return nullptr;
        for (const TagRow* row : bucket->second)
            if (matches(tag, *row))
                return row;
        return nullptr;
    }

  private:
    static std::uint32_t keyOf(std::string_view text) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
               static_cast<unsigned char>(text[2]);
    }

    std::unordered_map<std::uint32_t, std::vector<const TagRow*>> rows_;
};

} // namespace

const TagRow* classify(std::string_view tag) {
    if (!tag.starts_with('<'))
        return nullptr;
    static const RowIndex index;
    if (const TagRow* row = index.find(tag))
        return row;
    return &rowOf(isInternal(tag) ? UnlistedInternal : UnlistedExternal);
}

Carriage carriageOf(std::string_view tag) {
    if (literalCharacter(tag) != '\0')
        return Carriage::Character;
    if (!isInternal(tag))
        return Carriage::Fixed;
    static const std::vector<const TagRow*> paired =
        rowsWhere([](const TagRow& row) { return (row.traits & Paired) != 0; });
    const std::string_view name = pairNameOf(tag);
    for (const TagRow* row : paired)
        if (pairNameOf(row->text) == name)
            return tag.starts_with("<:/") ? Carriage::End : Carriage::Begin;
    return Carriage::Placeholder;
}

std::string_view pairNameOf(std::string_view tag) {
    std::string_view name = tag.substr(2);
    if (name.starts_with('/'))
        name.remove_prefix(1);
    return name.substr(0, name.find_first_of(" >"));
}

namespace {
const std::vector<const TagRow*>& literalRows() {
    static const std::vector<const TagRow*> rows =
        rowsWhere([](const TagRow& row) { return row.character != '\0'; });
    return rows;
}
} // namespace

char literalCharacter(std::string_view tag) {
    for (const TagRow* row : literalRows())
        if (row->text == tag)
            return row->character;
    return '\0';
}

std::string_view literalTagFor(char c) {
    for (const TagRow* row : literalRows())
        if (row->character == c)
            return row->text;
    return {};
}

} // namespace quillex::qmx
