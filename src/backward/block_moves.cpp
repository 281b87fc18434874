// Moving blocks back to their placeholders, in one pass per kind.
#include "backward/block_moves.h"

#include "conversion/result_code.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <unordered_map>

namespace quillex::backward {
namespace {

// The opening line a placeholder points to: the text between the prefix and
// the next ">" of the placeholder, framed as an opening line.
std::string openingLineFor(const std::string& placeholder, const BlockKind& kind) {
    const std::size_t from = kind.placeholder.size();
    const std::size_t end = placeholder.find('>', from);
    const std::string number =
        placeholder.substr(from, end == std::string::npos ? std::string::npos : end - from);
    return std::string(kind.opening) + number + ">";
}

class BlockMover {
  public:
    BlockMover(std::vector<std::string>& lines, const BlockKind& kind)
        : lines_(lines), kind_(kind), moved_(lines.size(), false) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].starts_with(kind.opening))
                openings_[lines[i]].push_back(i);
    }

    void run() {
        // Without blocks or placeholders of this kind the list stays as it
        // is: it is not built again.
        if (openings_.empty() &&
            std::none_of(lines_.begin(), lines_.end(), [&](const std::string& line) {
                return line.starts_with(kind_.placeholder);
            }))
            return;
        std::vector<std::string> out;
        out.reserve(lines_.size());
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (moved_[i])
                continue;
            if (!lines_[i].starts_with(kind_.placeholder)) {
                out.push_back(std::move(lines_[i]));
                continue;
            }
            // The block goes before its placeholder; the placeholder goes.
            if (const auto opening = blockAfter(i, openingLineFor(lines_[i], kind_)))
                moveBlock(*opening, out);
        }
        lines_ = std::move(out);
    }

  private:
    // The first opening line equal to `text` that stands after `position`
    // and has not been moved.
    std::optional<std::size_t> blockAfter(std::size_t position, const std::string& text) {
        const auto found = openings_.find(text);
        if (found == openings_.end())
            return std::nullopt;
        std::deque<std::size_t>& positions = found->second;
        // Positions before this placeholder can never qualify again: later
        // placeholders stand further on.
        while (!positions.empty() && (positions.front() <= position || moved_[positions.front()]))
            positions.pop_front();
        if (positions.empty())
            return std::nullopt;
        return positions.front();
    }

    void moveBlock(std::size_t opening, std::vector<std::string>& out) {
        std::size_t closing = opening + 1;
        while (closing < lines_.size() && (moved_[closing] || lines_[closing] != kind_.closing))
            ++closing;
        if (closing == lines_.size())
            throw ConversionFailure(result::ParserError);
        for (std::size_t k = opening; k <= closing; ++k) {
            if (moved_[k])
                continue;
            out.push_back(std::move(lines_[k]));
            moved_[k] = true;
        }
    }

    std::vector<std::string>& lines_;
    const BlockKind& kind_;
    std::vector<bool> moved_;
    std::unordered_map<std::string, std::deque<std::size_t>> openings_;
};

} // namespace

void moveBlocks(std::vector<std::string>& lines, const BlockKind& kind) {
    BlockMover(lines, kind).run();
}

void moveAllBlocks(std::vector<std::string>& lines) {
    for (const BlockKind* kind : {&kIndexMarkerBlocks, &kFootnoteBlocks, &kFrameBlocks})
        moveBlocks(lines, *kind);
}

} // namespace quillex::backward
