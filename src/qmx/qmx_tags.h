// The QMX tag vocabulary: one row per tag that the forward and backward
// conversions, the verifier and the bridge to translation tools know, with
// what each of them needs to know about it.
//
// A row gives the tag's text as it begins the tag ("<af ", "</af>",
// "<page \""), whether it is internal ("<:") or external, its closing tag,
// the anchored block it opens, whether text may follow it on its line,
// whether it starts a QMX line of its own kind, what the backward
// conversion does with it, how the verifier rates its deletion or addition
// (and under which number it reports it), and how the bridge carries it.
//
// Most callers ask by head: a row's text without the quote that opens its
// argument ("<page " for "<page \""), the way a tag of any argument begins.
// A closing tag or a tag without arguments ("</af>", "<:b>") is compared
// whole.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quillex::qmx {

// Every tag by name. The value is the number under which the verifier
// reports and checks the tag; tags the verifier does not list have numbers
// after its own. Some names stand for several rows (the special characters,
// the tabs, the character codes).
enum class Tag : std::uint8_t {
    ParagraphStart = 0,   // <ps "
    PrefixComponent = 1,  // <pn "
    CrossRefVariable = 2, // <xrv "
    CrossRefVariableEnd = 3,
    TextRegion = 4, // <tr
    TextRegionEnd = 5,
    TextString = 6, // <ts
    TextStringEnd = 7,
    Page = 8, // <page "
    PageEnd = 9,
    Language = 11,
    Quotes = 13,
    ReadOnly = 14,
    ChartLabel = 15, // <tl
    ChartLabelEnd = 16,
    ObjectName = 17, // <tn
    Frame = 18,      // <af
    FrameEnd = 19,
    SharedFrame = 20, // <saf "
    Footnote = 23,    // <fn
    FootnoteEnd = 24,
    CellFrame = 25, // <ctart
    CellFrameEnd = 26,
    IndexMarker = 29, // <imk
    IndexMarkerEnd = 30,
    IndexEntry = 31, // <ie>
    IndexLevel = 32, // <il>
    SortString = 33, // <ss>
    SeeAlso = 34,    // <sa>
    QmxStart = 35,   // <qmx
    QmxEnd = 36,     // </qmx>
    Table = 37,      // <tb
    TableEnd = 38,
    Row = 47, // <row
    RowEnd = 48,
    HiddenRow = 49,   // <hrow
    ReadOnlyRow = 50, // <rrow "
    Cell = 51,        // <ct
    CellEnd = 52,
    HiddenComponent = 53,   // <cnmk
    ReadOnlyComponent = 54, // <r "
    SharedComponent = 55,   // <v "
    Block = 61,             // <bb "
    AutonumberFormat = 62,  // <anfmt "
    AutonumberFormatEnd = 63,
    PageNumberFormat = 64, // <pgfmt "
    PageNumberFormatEnd = 65,
    VariableFormat = 67, // <vfmt "
    VariableFormatEnd = 68,
    PrefixFormat = 69, // <pnfmt "
    PrefixFormatEnd = 70,
    File = 72, // <file "
    FileEnd = 73,
    SpecialCharacter = 75, // <:lt>, <:ldq>, ...
    Tab = 76,              // <:t>, <:hr>, ...
    CharacterCode = 77,    // <:r1 ... <:r9
    Bold = 78,
    BoldEnd = 79,
    Italic = 80,
    ItalicEnd = 81,
    BoldItalic = 82,
    BoldItalicEnd = 83,
    WesternFont = 84,
    WesternFontEnd = 85,
    SmallCaps = 86,
    SmallCapsEnd = 87,
    CrossReference = 88,          // <:xr
    AutomaticCrossReference = 89, // <:axr
    Autonumber = 90,              // <:an
    ConditionalSub = 91,          // <:cns "
    ConditionalSubEnd = 92,
    FontSub = 93, // <:cs "
    FontSubEnd = 94,
    InlineSub = 95, // <:sc "
    InlineSubEnd = 96,
    FontChange = 97, // <:fc
    FontChangeEnd = 98,
    InlineReadOnly = 99,         // <:r "
    InlineShared = 100,          // <:v "
    InlinePrefix = 101,          // <:pn "
    InlineFootnote = 102,        // <:fn
    InlineIndexMarker = 104,     // <:imk
    InlineFrame = 105,           // <:af
    InlineHiddenComponent = 109, // <:cnmk
    InlineChangeRegion = 110,    // <:crmk
    InlineAnchoredFrame = 111,   // <:iaf
    InlineSharedFrame = 112,     // <:saf
    Field = 119,                 // <:bb "
    UnlistedInternal = 122,      // <:
    UnlistedExternal = 123,      // <
    // Not listed by the verifier.
    PlainFileEnd = 124,   // </file>
    GroupEnd = 125,       // </dummy>: ends the lines the backward conversion files together
    InlineFrameEnd = 126, // <:/af>
    None = 255,
};

constexpr int numberOf(Tag tag) {
    return static_cast<int>(tag);
}

// How the verifier rates a tag that a translation deleted or added. The
// values are the verifier's first categories.
enum class Rating : std::uint8_t {
    Formatting = 0, // never reported
    Warning = 1,
    Alert = 2,
    Error = 3,
    ExternalCatchAll = 4, // the rows of tags the verifier does not list
    InternalCatchAll = 5,
    NotListed = 6, // a row the verifier does not classify by
};

// What the backward conversion does with a tag's line.
enum class Backward : std::uint8_t {
    Replaced,          // its markup from the skeleton takes its place
    Expanded,          // its markup stands for whole Interleaf lines
    ExpandedUnchanged, // the same, framed so that declarations stay as they are (hidden, read-only)
    Dropped,           // structure the skeleton keeps by itself: nothing is written
};

// What a tag is besides: bits of TagRow::traits.
enum Trait : std::uint16_t {
    TakesText = 1 << 0,      // text may follow the tag on its line
    StartsLine = 1 << 1,     // begins a QMX line of its own kind (where anchored blocks go before)
    Paragraph = 1 << 2,      // a whole paragraph: a page that starts with it gets its mark there
    HidesComponent = 1 << 3, // stands for a whole hidden, shared or read-only component
    Paired = 1 << 4,         // an internal tag that opens a pair <:NAME ...> ... <:/NAME>
    OpensFrame = 1 << 5,     // a frame: with text blocks (<af N>), without text, or shared
    OpensRow = 1 << 6,       // a table row, hidden, read-only or not
    MayAdd = 1 << 7,         // a translator may always add it (the verifier's inventory presets)
};

// The blocks anchored inside a paragraph, each from its opening line to its
// closing line; frames, footnotes and index markers leave a placeholder in
// the paragraph's text.
enum class Anchored : std::uint8_t { None, Frame, Footnote, IndexMarker, CellFrame };

struct AnchoredBlock {
    std::string_view placeholder; // "<:imk " (none for cell frames)
    std::string_view opening;     // "<imk " (the opening line is this, the number, ">")
    std::string_view closing;     // "</imk>"
};

// The one definition of each anchored block (checked against the rows of
// their tags where the table is made).
inline constexpr AnchoredBlock kFrameBlock{"<:af ", "<af ", "</af>"};
inline constexpr AnchoredBlock kFootnoteBlock{"<:fn ", "<fn ", "</fn>"};
inline constexpr AnchoredBlock kIndexMarkerBlock{"<:imk ", "<imk ", "</imk>"};
inline constexpr AnchoredBlock kCellFrameBlock{"", "<ctart ", "</ctart>"};

// The block of a row's Anchored column.
const AnchoredBlock& anchoredBlock(Anchored kind);

// How the bridge to translation tools carries a tag inside a unit.
enum class Carriage : std::uint8_t {
    Fixed,       // an external tag: part of the line's fixed start, never in a unit
    Placeholder, // <ph>: a code on its own
    Begin,       // <bpt>: opens a pair
    End,         // <ept>: closes a pair
    Character,   // the character it stands for, as text
};

struct TagRow {
    Tag tag;
    std::string_view text; // how the tag begins
    Rating rating;
    Tag closing = Tag::None;
    std::uint16_t traits = 0;
    Backward backward = Backward::Replaced;
    Anchored block = Anchored::None;
    char character = '\0'; // the character a literal tag stands for
};

// The row's text without the quote that opens its argument: how any tag of
// the row begins.
constexpr std::string_view headOf(std::string_view text) {
    return text.ends_with('"') ? text.substr(0, text.size() - 1) : text;
}

// Whether a row is compared whole: a closing tag or a tag without arguments.
constexpr bool isWhole(std::string_view text) {
    return text.ends_with('>');
}

// The table itself, made at compile time so that a lookup by name compares
// with a constant.
namespace detail {
constexpr auto makeTagRows() {
    using enum Tag;
    using enum Rating;
    using B = Backward;
    using A = Anchored;

    constexpr std::uint16_t kNone = 0;
    constexpr std::uint16_t kLineParagraph = StartsLine | Paragraph;

    // The verifier searches its rows in this order; only its two catch-alls begin
    // other rows, so they come last. Columns: tag, text, rating, closing tag,
    // traits, backward rule, anchored block, literal character.
    return std::to_array<TagRow>({
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
        {HiddenComponent, "<cnmk ", Error, None, kLineParagraph | HidesComponent,
         B::ExpandedUnchanged},
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
}
} // namespace detail

inline constexpr auto kTagRows = detail::makeTagRows();

// How each named tag's row begins (the first row of a name of several rows).
inline constexpr auto kHeadsByTag = [] {
    std::array<std::string_view, 256> heads{};
    for (std::size_t i = kTagRows.size(); i-- > 0;)
        heads[static_cast<std::size_t>(kTagRows[i].tag)] = headOf(kTagRows[i].text);
    return heads;
}();

// Every row: the verifier's in its search order, ending with its two
// catch-alls, then the rows it does not list.
std::span<const TagRow> tagRows();

// The row of a named tag (the first, for names of several rows).
const TagRow& rowOf(Tag tag);

// Whether `text` is a tag of the row named `tag`: it begins with the row's
// head, or equals the row's text for a tag compared whole.
bool is(std::string_view text, Tag tag);

// Whether `text` begins with `head`. Heads are a few bytes long: compared in
// place (with the head of a named tag a constant) sooner than through a call
// to memcmp.
constexpr bool beginsWithHead(std::string_view text, std::string_view head) {
    if (text.size() < head.size())
        return false;
    for (std::size_t i = 0; i < head.size(); ++i)
        if (text[i] != head[i])
            return false;
    return true;
}

// Whether `text` begins with the head of the row named `tag`, whole rows
// included ("</tb>" begins "</tb>x").
constexpr bool begins(std::string_view text, Tag tag) {
    return beginsWithHead(text, kHeadsByTag[static_cast<std::size_t>(tag)]);
}

// The row whose head begins `text` among the rows with `trait` (whole rows
// compared whole); null when there is none.
const TagRow* withTrait(std::string_view text, Trait trait);
inline bool has(std::string_view text, Trait trait) {
    return !text.empty() && text[0] == '<' && withTrait(text, trait) != nullptr;
}

// The one row of a tag, decided once: the row whose head begins `tag` (whole
// rows compared whole), else the catch-all of its kind; null for text that
// is no tag. Heads begin no other row, so at most one row but a catch-all
// fits (the table's test holds it).
const TagRow* classify(std::string_view tag);

// The row of `text` among the rows of the backward conversion's rule
// `rule`; null when there is none.
const TagRow* withBackward(std::string_view text, Backward rule);

// Internal tags begin "<:"; everything else that begins "<" is external.
inline bool isInternal(std::string_view tag) {
    return tag.starts_with("<:");
}

// An external tag that a translator added writes "<#" for its "<"
// ("<#ps \"Body\" 3>").
inline bool isAddedForm(std::string_view tag) {
    return tag.starts_with("<#");
}

// A character by its Interleaf code: "<:r" and the code in decimal
// ("<:r30>"). Other tags begin so too ("<:r \"...", "<:rq>"): callers tell
// them apart.
inline bool beginsCharacterCode(std::string_view tag) {
    return tag.starts_with("<:r");
}

// The name of an internal tag without "<:", "<:/" and arguments: "fc" for
// both "<:fc 1>" and "<:/fc>".
std::string_view pairNameOf(std::string_view tag);

// How the bridge carries an internal tag, and the character a literal tag
// stands for.
Carriage carriageOf(std::string_view tag);
char literalCharacter(std::string_view tag);
// The literal tag of a character, or empty.
std::string_view literalTagFor(char c);

} // namespace quillex::qmx
