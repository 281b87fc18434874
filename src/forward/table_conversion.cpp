// Tables.
#include "forward/table_conversion.h"

#include "forward/attributes.h"
#include "forward/single_item_rules.h"
#include "qmx/interleaf_markup.h"
#include "qmx/qmx_tags.h"

#include <algorithm>
#include <iterator>

namespace quillex {
namespace {

constexpr std::string_view kParagraphEnd = "<:p>";
constexpr std::string_view kSoftReturn = "<SR>";

void removeTrailingParagraphEnd(std::string& text) {
    if (std::string_view(text).ends_with(kParagraphEnd))
        text.resize(text.size() - kParagraphEnd.size());
}

bool endsRowText(PieceKind kind) {
    return kind == PieceKind::Row || kind == PieceKind::TableStart || kind == PieceKind::EndOfTable;
}

// The master row a row follows: its "Master Row" or "Master" attribute, or
// else its first unnamed value (<Row, "row">, <Row, row>).
std::string masterRowOf(const TagAttributes& attributes, std::string_view rowTag) {
    for (const char* name : {"Master Row", "Master"})
        if (auto value = attributes.value(name))
            return std::string(unquoted(*value));
    return firstUnnamedValue(rowTag);
}

} // namespace

struct TableConverter::Table {
    bool beforeFirstRow = true;
    bool skipCells = false; // in a hidden or read-only row
    bool rowOpen = false;
    bool cellOpen = false;
    // The <ctart> blocks of the open cell's frames, written after its </ct>.
    ItemList cellFrames;
};

TableConverter::TableConverter(ConversionContext& context, FrameWalker& frames)
    : context_(context), frames_(frames) {}

std::string_view TableConverter::tagged(const std::string& tag) {
    return context_.registry.enterSelf(tag);
}

std::size_t endOfFrame(const PieceList& pieces, std::size_t first) {
    for (std::size_t i = first + 1; i < pieces.size(); ++i)
        if (pieces[i]->kind == PieceKind::TextAfterFrame)
            return i;
    return pieces.size();
}

std::size_t TableConverter::layOut(PieceList& pieces, std::size_t first, ItemList& items) {
    const std::string_view tableTag =
        tagged("<tb " + std::to_string(context_.registry.nextNumber(TagCounter::Table)) + ">");
    pieces[first]->qmxTag = tableTag;
    items.push_back(tableTag);

    Table table;
    std::size_t i = first + 1;
    for (; i < pieces.size(); ++i) {
        DocumentPiece& piece = *pieces[i];
        if (piece.kind == PieceKind::EndOfTable)
            break;
        switch (piece.kind) {
        case PieceKind::MasterRow:
            if (!piece.lines.empty() &&
                TagAttributes::parse(piece.lines.front()).valueIs("Read Only", "yes"))
                readOnlyMasterRows_.insert(firstUnnamedValue(piece.lines.front()));
            break;
        case PieceKind::Row:
            addRow(table, pieces, i, items);
            break;
        case PieceKind::Cell:
            closeCell(table, items);
            if (!table.beforeFirstRow && !table.skipCells)
                addCell(table, piece, items);
            break;
        case PieceKind::Frame:
            if (table.beforeFirstRow || table.skipCells)
                i = endOfFrame(pieces, i);
            else
                i = addCellFrame(table, pieces, i, items);
            break;
        default:
            break;
        }
        if (i >= pieces.size())
            break;
    }
    i = std::min(i, pieces.size());
    closeCell(table, items);
    if (table.rowOpen)
        items.push_back(tagged("</row>"));
    items.push_back(tagged("</tb>"));
    // The end of the table holds the text after it, which the backward
    // conversion finds under the table's tag.
    if (i < pieces.size())
        pieces[i]->qmxTag = tableTag;
    return i;
}

void TableConverter::addRow(Table& table, PieceList& pieces, std::size_t row, ItemList& items) {
    const DocumentPiece& piece = *pieces[row];
    closeCell(table, items);
    if (table.rowOpen)
        items.push_back(tagged("</row>"));
    table.rowOpen = false;
    table.beforeFirstRow = false;
    table.skipCells = false;
    if (piece.lines.size() > 1 && qmx::is(piece.lines.back(), qmx::Markup::PageBreak))
        items.push_back(piece.lines.back());

    const std::string_view rowTag = piece.lines.empty() ? std::string_view() : piece.lines.front();
    const TagAttributes attributes = TagAttributes::parse(rowTag);
    const std::string number = std::to_string(context_.registry.nextNumber(TagCounter::Row));
    if (attributes.valueIs("Hidden", "yes")) {
        items.push_back(tagged("<hrow " + number + ">"));
        table.skipCells = true;
    } else if (isReadOnlyRow(attributes, rowTag)) {
        items.push_back(tagged("<rrow \"" + readOnlyRowText(pieces, row) + "\" " + number + ">"));
        table.skipCells = true;
    } else {
        items.push_back(tagged("<row " + number + ">"));
        table.rowOpen = true;
    }
}

bool TableConverter::isReadOnlyRow(const TagAttributes& attributes, std::string_view rowTag) const {
    return attributes.valueIs("Read Only", "yes") ||
           readOnlyMasterRows_.count(masterRowOf(attributes, rowTag)) != 0;
}

// A cell: <ct %d> for its cell tag (which, with a page declaration right
// after it, is the markup the tag stands for) and its lines as body items.
// The cell stays open for the text after its frames; closeCell ends it.
void TableConverter::addCell(Table& table, DocumentPiece& cell, ItemList& items) {
    const std::string tag =
        "<ct " + std::to_string(context_.registry.nextNumber(TagCounter::Cell)) + ">";
    cell.qmxTag = tag;
    const PieceLines& lines = cell.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!qmx::is(lines[i], qmx::Markup::Cell)) {
            items.push_back(lines[i]);
            continue;
        }
        std::string markup = std::string(lines[i]) + kMarkupSeparator;
        // Soft returns are layout: a page declaration after them still
        // belongs to the cell tag (a converted-back document writes one
        // after each line).
        std::size_t next = i + 1;
        while (next < lines.size() && lines[next] == kSoftReturn)
            ++next;
        if (next < lines.size() && qmx::is(lines[next], qmx::Markup::PageDeclaration)) {
            i = next;
            markup += lines[i];
            markup += kMarkupSeparator;
        }
        items.push_back(context_.registry.enter(markup, tag));
    }
    // The cell's lines are items now; the views need not be held twice.
    cell.lines.keepFirst(0);
    table.cellOpen = true;
}

// The end of the open cell's last paragraph, </ct>, and the blocks of the
// frames anchored in the cell.
void TableConverter::closeCell(Table& table, ItemList& items) {
    if (!table.cellOpen)
        return;
    items.push_back(kEndOfParagraphMark);
    items.push_back(tagged("</ct>"));
    items.insert(items.end(), table.cellFrames.begin(), table.cellFrames.end());
    table.cellFrames.clear();
    table.cellOpen = false;
}

// A frame in a cell: <ctart %d>, the frame's items and </ctart>, after the
// cell. Text after the frame belongs to the cell, as it does to a paragraph
// of the body: the frame leaves an inline anchor in the cell's text where it
// stands (its block's start with "<:" for "<"; a frame without translatable
// content leaves its own inline tag and has no block), the text follows, and
// the text's piece is found under the frame's tag. Returns the index of that
// piece.
std::size_t TableConverter::addCellFrame(Table& table, PieceList& pieces, std::size_t frame,
                                         ItemList& items) {
    ItemList block{
        tagged("<ctart " + std::to_string(context_.registry.nextNumber(TagCounter::Cell)) + ">")};
    const FrameWalk walk = frames_.walk(pieces, frame, block, FrameWalker::Place::Cell);
    block.push_back(tagged("</ctart>"));

    DocumentPiece* after = walk.end < pieces.size() ? pieces[walk.end].get() : nullptr;
    const bool textAfter = after != nullptr && after->lines.size() > 1;
    ItemList& target = table.cellOpen ? table.cellFrames : items;
    if (!textAfter || !table.cellOpen || block.size() < 3) {
        target.insert(target.end(), block.begin(), block.end());
        return walk.end;
    }
    const std::string_view first = block[1];
    if (qmx::isInternal(first)) {
        items.push_back(first); // <:iaf %d> or <:saf "%s" %d>
    } else {
        items.push_back(context_.registry.enterSelf("<:" + std::string(first.substr(1))));
        target.insert(target.end(), block.begin(), block.end());
    }
    items.insert(items.end(), after->lines.begin() + 1, after->lines.end());
    after->lines.keepFirst(1);
    after->qmxTag = walk.tag;
    return walk.end;
}

// The text of a read-only row, shown in its tag: the row's cells, and the
// text strings and chart labels of the frames in them, joined by the
// single-item rules.
std::string TableConverter::readOnlyRowText(const PieceList& pieces, std::size_t row) const {
    const CharacterSettings& characters = context_.characters();
    std::string text;
    for (std::size_t i = row + 1; i < pieces.size() && !endsRowText(pieces[i]->kind); ++i) {
        const DocumentPiece& piece = *pieces[i];
        switch (piece.kind) {
        case PieceKind::Cell:
            text += joinSingleItems(piece.lines.all(), ItemSource::Body, characters);
            break;
        case PieceKind::Frame:
            text += "<:af>";
            break;
        case PieceKind::TextString:
        case PieceKind::ChartLabel:
            for (const std::string_view line : piece.lines) {
                appendSingleItem(text, line, ItemSource::Diagram, characters);
                if (piece.kind == PieceKind::ChartLabel)
                    text += kParagraphEnd;
            }
            break;
        case PieceKind::TextAfterFrame:
            removeTrailingParagraphEnd(text);
            text += "<:/af>";
            if (piece.lines.size() > 1)
                text += joinSingleItems(piece.lines.all().subspan(1), ItemSource::Body, characters);
            break;
        default:
            break;
        }
    }
    return text;
}

} // namespace quillex
