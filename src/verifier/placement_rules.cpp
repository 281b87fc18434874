// The placement rules of external tags, one row per tag, and the names of the
// contexts they stand in.
#include "verifier/placement_rules.h"

#include "verifier/tag_table.h"

#include <array>

namespace quillex::verifier {
namespace {

using enum Context;
using enum TextAfter;

// By context, in the order of Context.
constexpr std::array<ContextNames, kPairKinds + 1> kContextNames{{
    {"<xrv ?> to </xrv>", "<xrv ?>", nullptr},
    {"<tr ?> to </tr>", "<tr ?>", nullptr},
    {"<ts ?> to </ts>", "<ts ?>", nullptr},
    {"<tl ?> to </tl>", "<tl ?>", nullptr},
    {"<af ?> to </af>", "<af ?>", nullptr},
    {"<fn ?> to </fn>", "<fn ?>", nullptr},
    {"<ctart ?> to </ctart>", "<ctart ?>", nullptr},
    {"<imk ?> to </imk>", "<imk ?>", nullptr},
    {"<tb ?> to </tb>", "<tb ?>", nullptr},
    {"<row ?> to </row>", "<row ?>", nullptr},
    {"<ct ?> to </ct>", "<ct ?>", nullptr},
    {"<page> to </page>", "<page>", "on "},
    {"<file> to </file>", "<file>", "in "},
    {"<anfmt ?> to </anfmt>", "<anfmt ?>", nullptr},
    {"<pgfmt ?> to </pgfmt>", "<pgfmt ?>", nullptr},
    {"<vfmt ?> to </vfmt>", "<vfmt ?>", nullptr},
    {"<pnfmt ?> to </pnfmt>", "<pnfmt ?>", nullptr},
    {"<qmx \"I2.xx\"> to </qmx>", "<qmx \"I2.xx\">", nullptr},
    {"the start of the file", "", nullptr},
}};

constexpr Effect kStays{};
constexpr Effect opens(Context pair) {
    return {Action::Opens, pair};
}
constexpr Effect closes(Context pair) {
    return {Action::Closes, pair};
}

// Where running text stands: the contexts that hold paragraphs.
constexpr Contexts kRunningText = in(TextRegion, Page, Cell, VariableFormat, PrefixFormat);

// One row per tag: the tag, the contexts it may stand in, what it does to the
// context stack, what may follow it in its segment. Tags without a row (such
// as <cnmk ...>) stand anywhere and alone.
constexpr PlacementRule kRules[] = {
    // <qmx "I2.xx">: the first tag of the file.
    {tagno::QmxStart, in(FileStart), opens(Qmx), Nothing},
    // <language>, <quotes>, <readonly>: the header, at the top level.
    {tagno::Language, in(Qmx), kStays, Nothing},
    {tagno::Quotes, in(Qmx), kStays, Nothing},
    {tagno::ReadOnly, in(Qmx), kStays, Nothing},
    // </qmx>: ends the file wherever it stands, once the pairs still open are
    // reported; text after it has a finding of its own.
    {tagno::QmxEnd, kAnywhere, {Action::EndsFile, Qmx}, NothingAtEnd},
    // <file "..."> ... </file "...">: what one source file gave the ancillary
    // file, at the top level.
    {tagno::File, in(Qmx), {Action::StartsSection, File}, Nothing},
    {tagno::FileEnd, in(File), closes(File), Nothing},
    // <page "..."> ... </page>: a page, at the top level or in a file. A stray
    // </page> is reported as lacking its start, not as out of place.
    {tagno::Page, in(Qmx, File), {Action::StartsSection, Page}, Nothing},
    {tagno::PageEnd, in(Page), {Action::ClosesOrUnstarted, Page}, Nothing},
    // <tb> ... </tb>: a table, on a page.
    {tagno::Table, in(Page), opens(Table), Nothing},
    {tagno::TableEnd, in(Table), closes(Table), Nothing},
    // <row> ... </row>: a row to translate, in a table.
    {tagno::Row, in(Table), opens(Row), Nothing},
    {tagno::RowEnd, in(Row), closes(Row), Nothing},
    // <hrow>, <rrow "...">: hidden and read-only rows, in a table.
    {tagno::HiddenRow, in(Table), kStays, Nothing},
    {tagno::ReadOnlyRow, in(Table), kStays, Nothing},
    // <ct> ... </ct>: a cell, in a row.
    {tagno::Cell, in(Row), opens(Cell), Nothing},
    {tagno::CellEnd, in(Cell), closes(Cell), Nothing},
    // <ctart> ... </ctart>: frames anchored in a cell, in a row.
    {tagno::CellFrame, in(Row), opens(CellFrame), Anything},
    {tagno::CellFrameEnd, in(CellFrame), closes(CellFrame), Nothing},
    // <af> ... </af>: an anchored frame, where frames are anchored or declared.
    {tagno::Frame, in(Page, Footnote, CellFrame, VariableFormat, PrefixFormat, File), opens(Frame),
     Nothing},
    {tagno::FrameEnd, in(Frame), closes(Frame), Nothing},
    // <tr> ... </tr>: a text region of a frame, holding paragraphs.
    {tagno::TextRegion, in(Frame), opens(TextRegion), Nothing},
    {tagno::TextRegionEnd, in(TextRegion), closes(TextRegion), Nothing},
    // <ts> ... </ts>: a text string of a frame, its text after the tag.
    {tagno::TextString, in(Frame), opens(TextString), Anything},
    {tagno::TextStringEnd, in(TextString), closes(TextString), Nothing},
    // <tl> ... </tl>: a chart label of a frame, its text after the tag.
    {tagno::ChartLabel, in(Frame), opens(ChartLabel), Anything},
    {tagno::ChartLabelEnd, in(ChartLabel), closes(ChartLabel), Nothing},
    // <tn "...">: the name of an object, in a frame or a file.
    {tagno::ObjectName, in(Frame, File), kStays, Nothing},
    // <saf "...">: a shared frame, in a file.
    {tagno::SharedFrame, in(File), kStays, Nothing},
    // <fn> ... </fn>: a footnote, on a page or in a variable or prefix format.
    {tagno::Footnote, in(Page, VariableFormat, PrefixFormat), opens(Footnote), Nothing},
    {tagno::FootnoteEnd, in(Footnote), closes(Footnote), Nothing},
    // <ps "...">: a paragraph, in running text, its text after the tag.
    {tagno::ParagraphStart, kRunningText, kStays, Anything},
    // <r "...">: a read-only component, in running text; its text is in the tag.
    {tagno::ReadOnlyComponent, kRunningText, kStays, Nothing},
    // <pn "...">: a prefix component, in running text or a file, its text
    // after the tag.
    {tagno::PrefixComponent, kRunningText | in(File), kStays, Anything},
    // <v "...">: a shared component, in running text or a file; its text is
    // in the tag.
    {tagno::SharedComponent, kRunningText | in(File), kStays, Nothing},
    // <xrv "..."> ... </xrv>: a cross-reference variable, in running text,
    // its value after the tag.
    {tagno::CrossRefVariable, kRunningText, opens(CrossRef), VariableText},
    {tagno::CrossRefVariableEnd, in(CrossRef), closes(CrossRef), Nothing},
    // <imk> ... </imk>: an index marker, in running text; its entry comes
    // before its other parts.
    {tagno::IndexMarker, kRunningText, {Action::OpensIndexMarker, IndexMarker}, Nothing},
    {tagno::IndexMarkerEnd, in(IndexMarker), closes(IndexMarker), Nothing},
    // <ie>: the entry of an index marker, its text after the tag.
    {tagno::IndexEntry, in(IndexMarker), {Action::IndexEntry}, IndexText},
    // <il>, <ss>, <sa>: a level, the sort string and a see-also of an index
    // marker, after its entry, each with its text after the tag.
    {tagno::IndexLevel, in(IndexMarker), {Action::IndexPart}, IndexText},
    {tagno::SortString, in(IndexMarker), {Action::IndexPart}, IndexText},
    {tagno::SeeAlso, in(IndexMarker), {Action::IndexPart}, IndexText},
    // <anfmt "..."> ... </anfmt>: an autonumber stream, in a file.
    {tagno::AutonumberFormat, in(File), opens(AutonumberFormat), Nothing},
    {tagno::AutonumberFormatEnd, in(AutonumberFormat), closes(AutonumberFormat), Nothing},
    // <pgfmt "..."> ... </pgfmt>: a page number stream, in a file.
    {tagno::PageNumberFormat, in(File), opens(PageNumberFormat), Nothing},
    {tagno::PageNumberFormatEnd, in(PageNumberFormat), closes(PageNumberFormat), Nothing},
    // <vfmt "..."> ... </vfmt>: a variable format, in a file, its text after
    // the tag.
    {tagno::VariableFormat, in(File), opens(VariableFormat), Anything},
    {tagno::VariableFormatEnd, in(VariableFormat), closes(VariableFormat), Nothing},
    // <pnfmt "..."> ... </pnfmt>: a prefix format, in a file, its text after
    // the tag.
    {tagno::PrefixFormat, in(File), opens(PrefixFormat), Anything},
    {tagno::PrefixFormatEnd, in(PrefixFormat), closes(PrefixFormat), Nothing},
    // <bb "...">: a building block of a stream or a file; what text it takes
    // depends on its name.
    {tagno::Block, in(AutonumberFormat, PageNumberFormat, File), kStays, BlockText},
    // A tag the verifier does not know stands anywhere and takes any text; the
    // validity check reports it.
    {tagno::UnlistedExternal, kAnywhere, kStays, Anything},
};

constexpr std::size_t kTagNumbers = 128;
constexpr PlacementRule kUnruled{-1, kAnywhere, kStays, Nothing};

// The rules by tag number, checked as they are built: one row per tag, a
// closing tag may stand only in the pair it closes, and a section names the
// position of findings.
constexpr std::array<PlacementRule, kTagNumbers> kRulesByTag = [] {
    std::array<PlacementRule, kTagNumbers> byTag{};
    byTag.fill(kUnruled);
    for (const PlacementRule& rule : kRules) {
        PlacementRule& slot = byTag.at(static_cast<std::size_t>(rule.tag));
        if (slot.tag >= 0)
            throw "two rows for one tag";
        if (rule.effect.action == Action::Closes && rule.where != in(rule.effect.pair))
            throw "a closing tag that may stand outside its pair";
        if (rule.effect.action == Action::StartsSection &&
            kContextNames[static_cast<std::size_t>(rule.effect.pair)].position == nullptr)
            throw "a section without a position";
        slot = rule;
    }
    return byTag;
}();

// The building blocks that define an inline tag, with that tag.
constexpr FormatBlock kFormatBlocks[] = {
    {"<bb \"Variable Format\">", tagno::InlineShared},
    {"<bb \"Prefix Format\">", tagno::InlinePrefix},
    {"<bb \"Shared Frame Format\">", tagno::InlineSharedFrame},
    {"<bb \"Autonumber Stream Format\">", tagno::Autonumber},
};

} // namespace

const ContextNames& namesOf(Context context) {
    return kContextNames[static_cast<std::size_t>(context)];
}

const PlacementRule& placementOf(int tag) {
    if (tag < 0 || static_cast<std::size_t>(tag) >= kTagNumbers)
        return kUnruled;
    return kRulesByTag[static_cast<std::size_t>(tag)];
}

const FormatBlock* formatBlockOf(std::string_view tag) {
    for (const FormatBlock& block : kFormatBlocks)
        if (tag == block.tag)
            return &block;
    return nullptr;
}

} // namespace quillex::verifier
