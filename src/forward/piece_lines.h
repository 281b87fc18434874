// PieceLines: the source texts of a piece's items, one item a line.
//
// A line is mostly a run of the parsed source and is kept as a view of it:
// the source text lives as long as the pieces (ParsedDocument holds both),
// so the parse copies no item. A line the conversion makes (a paragraph
// mark, a start tag, a translation the backward conversion fills in) is a
// text of the list's own. Lines read as string views. A list gives none of
// its own texts up before it goes, so a view of a line stays valid as long
// as the list, whatever is done to the list. The lines read as LineViews
// (shared with the QMX lines, which keep all their texts in one store).
#pragma once

#include "foundation/line_views.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class PieceLines : public LineViews {
  public:
    PieceLines() = default;
    // Lines of the list's own.
    PieceLines(std::vector<std::string> lines) { *this = std::move(lines); }
    PieceLines& operator=(std::vector<std::string> lines);
    // A copy owns its lines.
    PieceLines(const PieceLines& other);
    // A list whose lines view this list's texts instead of copying them: it
    // stays valid as long as this list lives and is not assigned another
    // list (lines assigned from strings or added keep the old texts).
    PieceLines views() const {
        PieceLines copy;
        copy.lines_ = lines_;
        return copy;
    }
    PieceLines& operator=(const PieceLines& other);
    PieceLines(PieceLines&&) noexcept = default;
    PieceLines& operator=(PieceLines&&) noexcept = default;

    // Adds a line that views `text`: the caller keeps those bytes alive as
    // long as the list.
    void addView(std::string_view text) { lines_.push_back(text); }
    // Adds a line of the list's own.
    void add(std::string text);
    // Inserts lines of the list's own before line `at`.
    void insert(std::size_t at, std::vector<std::string> texts);
    // Keeps the first `count` lines and gives the room of the others back.
    // Their texts stay: views handed out before remain valid.
    void keepFirst(std::size_t count);
    // Gives the room the list grew into beyond its lines back.
    void shrinkToFit() { lines_.shrink_to_fit(); }

    bool operator==(const PieceLines& other) const { return lines_ == other.lines_; }
    friend bool operator==(const PieceLines& lines, const std::vector<std::string>& strings) {
        return lines.equals(strings);
    }

  private:
    std::string_view own(std::string_view text);

    // Texts of the list's own, in blocks that stay in place: a line added
    // alone is a block, a list assigned whole is one block back to back.
    // Most lists have none: they cost one pointer. (A deque of strings here
    // cost every owning list more than half a kilobyte before its first
    // line, which filled pieces paid by the thousand.)
    struct Owned {
        std::vector<std::unique_ptr<char[]>> blocks;
    };
    Owned& owned();

    std::unique_ptr<Owned> own_;
};

} // namespace quillex
