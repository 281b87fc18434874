// Moving anchored blocks behind their paragraph.
#include "forward/anchored_blocks.h"

#include "conversion/result_code.h"
#include "qmx/qmx_tags.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quillex {
namespace {

using qmx::AnchoredBlock;

constexpr const AnchoredBlock& kFrame = qmx::kFrameBlock;
constexpr const AnchoredBlock& kFootnote = qmx::kFootnoteBlock;
constexpr const AnchoredBlock& kIndexMarker = qmx::kIndexMarkerBlock;
constexpr const AnchoredBlock& kCellFrame = qmx::kCellFrameBlock;

// The items are walked from the end. Items are gathered in reverse; the
// blocks found before a line start wait (as ranges of the list) until the
// walk reaches the line start before it, and are then written behind the
// waiting line start, so nothing is ever inserted into the middle of a list.
class BlockMover {
  public:
    BlockMover(const ItemList& items, TagRegistry& registry, MarkerPlaceholders markerPlaceholders,
               AnchoredBlocks which)
        : items_(items), registry_(registry),
          markerAnchors_(markerPlaceholders == MarkerPlaceholders::Insert),
          framesMove_(which == AnchoredBlocks::All) {}

    ItemList run() {
        reversed_.reserve(items_.size() + anchorCount());
        for (std::size_t i = items_.size(); i-- > 0;) {
            const std::string_view item = items_[i];
            if (!item.starts_with('<')) { // text: no block end, no line start
                segment_.push_back(item);
            } else if (framesMove_ && item == kFrame.closing) {
                i = moveBlock(i, kFrame, true);
            } else if (framesMove_ && item == kFootnote.closing) {
                i = moveBlock(i, kFootnote, false);
            } else if (item == kIndexMarker.closing) {
                i = moveBlock(i, kIndexMarker, markerAnchors_);
            } else if (framesMove_ && item == kCellFrame.closing) {
                const std::size_t start = findStart(i, kCellFrame);
                for (std::size_t j = i + 1; j-- > start;)
                    segment_.push_back(items_[j]);
                i = start;
            } else if (isLineStart(item)) {
                flush();
                waitingLineStart_ = item;
                hasLineStart_ = true;
            } else {
                segment_.push_back(item);
            }
        }
        flush();
        std::reverse(reversed_.begin(), reversed_.end());
        return std::move(reversed_);
    }

  private:
    // An upper bound of the anchors the walk adds, so that the result is
    // allocated once: a doubling near the end would hold the list twice.
    std::size_t anchorCount() const {
        std::size_t count = 0;
        for (const std::string_view item : items_)
            if (item.size() > 2 && item[1] == '/' &&
                (item == kFrame.closing || item == kFootnote.closing ||
                 item == kIndexMarker.closing))
                ++count;
        return count;
    }

    // Blocks of one kind never nest, so meeting another end of the kind
    // first means this block lost its start: taking the start of an earlier
    // block would move text out of its paragraph.
    std::size_t findStart(std::size_t end, const AnchoredBlock& kind) const {
        for (std::size_t j = end; j-- > 0;) {
            if (items_[j].starts_with(kind.opening))
                return j;
            if (items_[j] == kind.closing)
                break;
        }
        throw ConversionFailure(result::ParserError);
    }

    // Takes the block ending at `end` out of the text, leaving its anchor,
    // and returns the index of its start.
    std::size_t moveBlock(std::size_t end, const AnchoredBlock& kind, bool withAnchor) {
        const std::size_t start = findStart(end, kind);
        if (withAnchor) {
            std::string anchor = "<:";
            anchor.append(items_[start].substr(1));
            segment_.push_back(registry_.enterSelf(anchor));
        }
        blocks_.emplace_back(start, end + 1);
        return start;
    }

    // Writes, in reverse, the waiting line start, the blocks that belong
    // before it (in document order) and the text before them.
    void flush() {
        if (hasLineStart_)
            reversed_.push_back(waitingLineStart_);
        hasLineStart_ = false;
        for (const auto& [start, end] : blocks_)
            for (std::size_t j = end; j-- > start;)
                reversed_.push_back(items_[j]);
        blocks_.clear();
        reversed_.insert(reversed_.end(), segment_.begin(), segment_.end());
        segment_.clear();
    }

    const ItemList& items_;
    TagRegistry& registry_;
    bool markerAnchors_; // an index marker leaves an anchor
    bool framesMove_;
    ItemList reversed_;
    ItemList segment_;                                        // reversed
    std::vector<std::pair<std::size_t, std::size_t>> blocks_; // [start, end) of items_, last first
    std::string_view waitingLineStart_;
    bool hasLineStart_ = false;
};

} // namespace

bool isLineStart(std::string_view item) {
    return qmx::has(item, qmx::StartsLine);
}

ItemList moveAnchoredBlocks(const ItemList& items, TagRegistry& registry,
                            MarkerPlaceholders markerPlaceholders, AnchoredBlocks which) {
    return BlockMover(items, registry, markerPlaceholders, which).run();
}

} // namespace quillex
