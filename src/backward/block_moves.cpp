// Moving blocks back to their placeholders: the lines are classified once,
// each kind's moves reorder line numbers, and the lines themselves are moved
// once, into their final order.
#include "backward/block_moves.h"

#include "conversion/result_code.h"

#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>

namespace quillex::backward {
namespace {

// What a line is to the moves: plain text, or the placeholder, opening line
// or closing line of the block kind numbered `kind`. The forms of the kinds
// differ in their first characters, so a line is at most one of them.
enum class Role : std::uint8_t { Text, Placeholder, Opening, Closing };

struct LineRole {
    Role role = Role::Text;
    std::uint8_t kind = 0;
};

LineRole roleOf(std::string_view line, std::span<const BlockKind* const> kinds) {
    if (line.empty() || line.front() != '<')
        return {};
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const auto kind = static_cast<std::uint8_t>(k);
        if (line.starts_with(kinds[k]->placeholder))
            return {Role::Placeholder, kind};
        if (line.starts_with(kinds[k]->opening))
            return {Role::Opening, kind};
        if (line == kinds[k]->closing)
            return {Role::Closing, kind};
    }
    return {};
}

// The opening line a placeholder points to: the text between the prefix and
// the next ">" of the placeholder, framed as an opening line.
std::string openingLineFor(std::string_view placeholder, const BlockKind& kind) {
    const std::size_t from = kind.placeholder.size();
    const std::size_t end = placeholder.find('>', from);
    const std::string_view number = placeholder.substr(
        from, end == std::string_view::npos ? std::string_view::npos : end - from);
    return std::string(kind.opening).append(number).append(">");
}

// The moves of the kinds in their order over one list. Each kind's moves
// read the order the moves before it left, as if the lines had been moved
// already; only line numbers are reordered.
class BlockMover {
  public:
    BlockMover(const std::vector<std::string>& lines, std::span<const BlockKind* const> kinds)
        : lines_(lines), kinds_(kinds), roles_(lines.size()), order_(lines.size()),
          present_(kinds.size(), false) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            roles_[i] = roleOf(lines[i], kinds);
            order_[i] = static_cast<std::uint32_t>(i);
            if (roles_[i].role == Role::Placeholder || roles_[i].role == Role::Opening)
                present_[roles_[i].kind] = true;
        }
    }

    // The lines in their new order; none when no kind had anything to move.
    std::optional<std::vector<std::uint32_t>> run() {
        bool movedAny = false;
        for (std::size_t k = 0; k < kinds_.size(); ++k)
            movedAny = runKind(static_cast<std::uint8_t>(k)) || movedAny;
        if (!movedAny)
            return std::nullopt;
        return std::move(order_);
    }

  private:
    bool is(std::size_t position, Role role) const {
        const LineRole& line = roles_[order_[position]];
        return line.role == role && line.kind == kind_;
    }
    std::string_view at(std::size_t position) const { return lines_[order_[position]]; }

    // One kind's moves. False when the list holds neither a block nor a
    // placeholder of the kind (the moves of other kinds add and remove none):
    // it then stays as it is.
    bool runKind(std::uint8_t kind) {
        if (!present_[kind])
            return false;
        kind_ = kind;
        openings_.clear();
        for (std::size_t j = 0; j < order_.size(); ++j)
            if (is(j, Role::Opening))
                openings_[at(j)].positions.push_back(j);
        moved_.assign(order_.size(), false);
        std::vector<std::uint32_t> out;
        out.reserve(order_.size());
        for (std::size_t j = 0; j < order_.size(); ++j) {
            if (moved_[j])
                continue;
            if (!is(j, Role::Placeholder)) {
                out.push_back(order_[j]);
                continue;
            }
            // The block goes before its placeholder; the placeholder goes.
            if (const auto opening = blockAfter(j, openingLineFor(at(j), *kinds_[kind])))
                moveBlock(*opening, out);
        }
        order_ = std::move(out);
        return true;
    }

    // The first opening line equal to `text` that stands after `position`
    // and has not been moved.
    std::optional<std::size_t> blockAfter(std::size_t position, const std::string& text) {
        const auto found = openings_.find(text);
        if (found == openings_.end())
            return std::nullopt;
        Openings& openings = found->second;
        // Positions before this placeholder can never qualify again: later
        // placeholders stand further on.
        while (openings.next < openings.positions.size() &&
               (openings.positions[openings.next] <= position ||
                moved_[openings.positions[openings.next]]))
            ++openings.next;
        if (openings.next == openings.positions.size())
            return std::nullopt;
        return openings.positions[openings.next];
    }

    void moveBlock(std::size_t opening, std::vector<std::uint32_t>& out) {
        std::size_t closing = opening + 1;
        while (closing < order_.size() && (moved_[closing] || !is(closing, Role::Closing)))
            ++closing;
        if (closing == order_.size())
            throw ConversionFailure(result::ParserError);
        for (std::size_t k = opening; k <= closing; ++k) {
            if (moved_[k])
                continue;
            out.push_back(order_[k]);
            moved_[k] = true;
        }
    }

    const std::vector<std::string>& lines_;
    std::span<const BlockKind* const> kinds_;
    std::vector<LineRole> roles_;
    std::vector<std::uint32_t> order_; // line numbers in their current order
    // Whether a placeholder or an opening line of each kind is there.
    std::vector<bool> present_;
    std::uint8_t kind_ = 0;
    std::vector<bool> moved_;
    // The positions of the opening lines of one text, in order; those before
    // `next` can no longer be taken.
    struct Openings {
        std::vector<std::size_t> positions;
        std::size_t next = 0;
    };
    std::unordered_map<std::string_view, Openings> openings_;
};

void moveKinds(std::vector<std::string>& lines, std::span<const BlockKind* const> kinds) {
    std::optional<std::vector<std::uint32_t>> order = BlockMover(lines, kinds).run();
    if (!order)
        return;
    std::vector<std::string> out;
    out.reserve(order->size());
    for (const std::uint32_t line : *order)
        out.push_back(std::move(lines[line]));
    lines = std::move(out);
}

} // namespace

void moveBlocks(std::vector<std::string>& lines, const BlockKind& kind) {
    const BlockKind* const kinds[] = {&kind};
    moveKinds(lines, kinds);
}

void moveAllBlocks(std::vector<std::string>& lines) {
    static constexpr const BlockKind* kinds[] = {&kIndexMarkerBlocks, &kFootnoteBlocks,
                                                 &kFrameBlocks};
    moveKinds(lines, kinds);
}

} // namespace quillex::backward
