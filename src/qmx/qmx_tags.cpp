// The QMX tag table and the lookups over it.
#include "qmx/qmx_tags.h"

#include <algorithm>
#include <array>
#include <bit>
#include <unordered_map>
#include <vector>

namespace quillex::qmx {
namespace {

using enum Tag;

constexpr const auto& kRows = kTagRows;

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
    return isWhole(row.text) ? text == row.text : beginsWithHead(text, headOf(row.text));
}

// A row as the lookups compare it: its head, and whether it is compared
// whole.
struct Pattern {
    std::string_view head;
    bool whole;
    const TagRow* row;
};

bool fits(std::string_view text, const Pattern& pattern) {
    return pattern.whole ? text.size() == pattern.head.size() && beginsWithHead(text, pattern.head)
                         : beginsWithHead(text, pattern.head);
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

template <typename Keep> std::vector<Pattern> patternsWhere(Keep keep) {
    std::vector<Pattern> patterns;
    for (const TagRow* row : rowsWhere(keep))
        patterns.push_back({headOf(row->text), isWhole(row->text), row});
    return patterns;
}

const TagRow* firstFit(std::string_view text, const std::vector<Pattern>& patterns) {
    // Most items the passes ask about are text.
    if (text.size() < 2 || text[0] != '<')
        return nullptr;
    for (const Pattern& pattern : patterns)
        if (fits(text, pattern))
            return pattern.row;
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

const TagRow* withTrait(std::string_view text, Trait trait) {
    // By the trait's bit.
    static const auto byTrait = [] {
        std::array<std::vector<Pattern>, 16> lists;
        for (const Trait each : kTraits)
            lists[static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(each)))] =
                patternsWhere([&](const TagRow& row) { return (row.traits & each) != 0; });
        return lists;
    }();
    return firstFit(
        text, byTrait[static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(trait)))]);
}

const TagRow* withBackward(std::string_view text, Backward rule) {
    static const auto byRule = [] {
        std::array<std::vector<Pattern>, kBackwardRules.size()> lists;
        for (std::size_t i = 0; i < kBackwardRules.size(); ++i)
            lists[i] =
                patternsWhere([&](const TagRow& row) { return row.backward == kBackwardRules[i]; });
        return lists;
    }();
    return firstFit(text, byRule[static_cast<std::size_t>(rule)]);
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
