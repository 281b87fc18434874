// Moving anchored blocks behind their paragraph.
#include "forward/anchored_blocks.h"

#include "conversion/result_code.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quillex {
namespace {

struct BlockKind {
    std::string_view end;
    std::string_view start;
};

constexpr BlockKind kFrame{"</af>", "<af "};
constexpr BlockKind kFootnote{"</fn>", "<fn "};
constexpr BlockKind kIndexMarker{"</imk>", "<imk"};
constexpr BlockKind kCellFrame{"</ctart>", "<ctart "};

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
            } else if (framesMove_ && item == kFrame.end) {
                i = moveBlock(i, kFrame, true);
            } else if (framesMove_ && item == kFootnote.end) {
                i = moveBlock(i, kFootnote, false);
            } else if (item == kIndexMarker.end) {
                i = moveBlock(i, kIndexMarker, markerAnchors_);
            } else if (framesMove_ && item == kCellFrame.end) {
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
            if (item.starts_with("</") &&
                (item == kFrame.end || item == kFootnote.end || item == kIndexMarker.end))
                ++count;
        return count;
    }

    // Blocks of one kind never nest, so meeting another end of the kind
    // first means this block lost its start: taking the start of an earlier
    // block would move text out of its paragraph.
    std::size_t findStart(std::size_t end, const BlockKind& kind) const {
        for (std::size_t j = end; j-- > 0;) {
            if (items_[j].starts_with(kind.start))
                return j;
            if (items_[j] == kind.end)
                break;
        }
        throw ConversionFailure(result::ParserError);
    }

    // Takes the block ending at `end` out of the text, leaving its anchor,
    // and returns the index of its start.
    std::size_t moveBlock(std::size_t end, const BlockKind& kind, bool withAnchor) {
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
    static constexpr std::array<std::string_view, 7> prefixes = {"<ps ",  "<pn ", "<r ",   "<v ",
                                                                 "<xrv ", "<tb ", "<cnmk "};
    static constexpr std::array<std::string_view, 5> whole = {"</vfmt>", "</pnfmt>", "</page>",
                                                              "</ct>", "</tr>"};
    for (std::string_view prefix : prefixes)
        if (item.starts_with(prefix))
            return true;
    return std::find(whole.begin(), whole.end(), item) != whole.end();
}

ItemList moveAnchoredBlocks(const ItemList& items, TagRegistry& registry,
                            MarkerPlaceholders markerPlaceholders, AnchoredBlocks which) {
    return BlockMover(items, registry, markerPlaceholders, which).run();
}

} // namespace quillex
