// Page marks that a table's skeleton keeps itself.
#include "backward/table_page_marks.h"
#include "qmx/interleaf_markup.h"
#include "qmx/qmx_tags.h"

#include <unordered_map>

namespace quillex::backward {
namespace {

bool isPageBreakMark(std::string_view line) {
    return qmx::is(line, qmx::Markup::PageBreak);
}

bool isRowLine(const std::string& line) {
    return qmx::has(line, qmx::OpensRow);
}

// The number of row lines after the <tb> line at `table` up to and including
// the first ordinary row: the rows whose marks went in front of the table.
std::size_t rowsBeforeFirstOrdinaryRow(const std::vector<std::string>& items, std::size_t table) {
    std::size_t rows = 0;
    for (std::size_t i = table + 1; i < items.size() && items[i] != "</tb>"; ++i) {
        if (!isRowLine(items[i]))
            continue;
        ++rows;
        if (qmx::begins(items[i], qmx::Tag::Row))
            break;
    }
    return rows;
}

// How many of the first `rows` rows of the table that starts at piece
// `start` end with a page mark of their own (the row tag is a row's first
// line, the mark its last).
std::size_t marksOfFirstRows(const PieceList& pieces, std::size_t start, std::size_t rows) {
    std::size_t marks = 0;
    for (std::size_t i = start + 1; i < pieces.size() && rows > 0; ++i) {
        const DocumentPiece& piece = *pieces[i];
        if (piece.kind == PieceKind::EndOfTable)
            break;
        if (piece.kind != PieceKind::Row)
            continue;
        --rows;
        if (piece.lines.size() > 1 && isPageBreakMark(piece.lines.back()))
            ++marks;
    }
    return marks;
}

// Marks the last `count` <page> lines among the page lines just before
// `table` for removal.
void markPageLines(const std::vector<std::string>& items, std::size_t table, std::size_t count,
                   std::vector<bool>& dropped) {
    for (std::size_t i = table; i > 0 && count > 0; --i) {
        const std::string& line = items[i - 1];
        if (qmx::begins(line, qmx::Tag::Page)) {
            dropped[i - 1] = true;
            --count;
        } else if (line != "</page>") {
            break;
        }
    }
}

} // namespace

void dropPageLinesKeptByTables(std::vector<std::string>& items, const PieceList& pieces) {
    std::unordered_map<std::string, std::size_t> tableStarts;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i]->kind == PieceKind::TableStart && !pieces[i]->qmxTag.empty())
            tableStarts.emplace(pieces[i]->qmxTag, i);
    if (tableStarts.empty())
        return;

    std::vector<bool> dropped(items.size(), false);
    bool any = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!qmx::begins(items[i], qmx::Tag::Table))
            continue;
        const auto table = tableStarts.find(items[i]);
        if (table == tableStarts.end())
            continue;
        const std::size_t marks =
            marksOfFirstRows(pieces, table->second, rowsBeforeFirstOrdinaryRow(items, i));
        markPageLines(items, i, marks, dropped);
        any = any || marks > 0;
    }
    if (!any)
        return;
    std::vector<std::string> kept;
    kept.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!dropped[i])
            kept.push_back(std::move(items[i]));
    items = std::move(kept);
}

} // namespace quillex::backward
