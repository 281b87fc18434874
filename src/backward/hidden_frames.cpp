// Frames anchored inside hidden, shared and read-only components.
#include "backward/hidden_frames.h"

#include "conversion/result_code.h"
#include "qmx/qmx_tags.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>
#include <utility>

namespace quillex::backward {
namespace {

// The tags that hide a whole component, external and inline.
bool isHidingTag(const std::string& item) {
    // Most items are text or other tags: two bytes rule them out.
    if (item.size() < 4 || item[0] != '<' ||
        std::string_view("vrcp:").find(item[1]) == std::string_view::npos)
        return false;
    return qmx::has(item, qmx::HidesComponent);
}

// A frame with text blocks (<af N> ... </af>), without text, or shared.
bool opensFrame(const std::string& line) {
    return qmx::has(line, qmx::OpensFrame);
}

// Most markup holds no frame: a quick look saves cutting it into lines.
bool mayHoldFrame(std::string_view markup) {
    const auto frames = {qmx::Tag::Frame, qmx::Tag::InlineAnchoredFrame,
                         qmx::Tag::InlineSharedFrame};
    return std::any_of(frames.begin(), frames.end(), [&](qmx::Tag frame) {
        return markup.find(qmx::headOf(qmx::rowOf(frame).text)) != std::string_view::npos;
    });
}

// The footnote around a frame: the skeleton's frame is the footnote.
bool isFootnoteLine(const std::string& line) {
    return qmx::begins(line, qmx::Tag::InlineFootnote) || qmx::begins(line, qmx::Tag::Footnote) ||
           qmx::is(line, qmx::Tag::FootnoteEnd);
}

class HiddenFrameSplitter {
  public:
    explicit HiddenFrameSplitter(TagRegistry& registry)
        : registry_(registry), replacements_(registry.tagReplacements()) {}

    // The lines of the markup `tag` hides when they open a frame; none
    // when they do not (the tag then stays as it is).
    std::vector<std::string> framedMarkup(const std::string& tag) const {
        const auto found = replacements_.find(tag);
        if (found == replacements_.end() || !mayHoldFrame(found->second))
            return {};
        std::vector<std::string> markup = expandReplacement(found->second);
        if (std::none_of(markup.begin(), markup.end(), opensFrame))
            return {};
        return markup;
    }

    // The lines that stand for `tag` cut at its frames, appended to `out`;
    // false (nothing appended) when its markup holds no frame.
    bool cutAtFrames(const std::string& tag, std::vector<std::string>& out) {
        const std::vector<std::string> markup = framedMarkup(tag);
        if (markup.empty())
            return false;
        cut(tag, markup, out);
        return true;
    }

  private:
    void cut(const std::string& tag, const std::vector<std::string>& markup,
             std::vector<std::string>& out) {
        std::vector<std::string> part;
        for (std::size_t i = 0; i < markup.size(); ++i) {
            const std::string& line = markup[i];
            if (isFootnoteLine(line))
                continue;
            if (!opensFrame(line)) {
                part.push_back(line);
                continue;
            }
            placePart(tag, part, out);
            out.push_back(line);
            if (qmx::begins(line, qmx::Tag::Frame)) {
                i = frameEnd(markup, i);
                out.push_back(markup[i]);
            }
        }
        placePart(tag, part, out);
    }

    // The part's markup behind a tag of its own, made from the hiding tag so
    // that it is expanded the same way.
    void placePart(const std::string& tag, std::vector<std::string>& part,
                   std::vector<std::string>& out) {
        if (part.empty())
            return;
        std::string partTag = tag + "#" + std::to_string(++parts_);
        std::string value;
        for (const std::string& line : part) {
            value += line;
            value += kReplacementLineEnd;
        }
        registry_.enterReplacement(partTag, value);
        out.push_back(std::move(partTag));
        part.clear();
    }

    // The frame's text blocks stay in the skeleton: only its closing line
    // is kept.
    static std::size_t frameEnd(const std::vector<std::string>& markup, std::size_t start) {
        for (std::size_t i = start + 1; i < markup.size(); ++i)
            if (markup[i] == "</af>")
                return i;
        throw ConversionFailure(result::ParserError);
    }

    TagRegistry& registry_;
    TagMap& replacements_;
    int parts_ = 0;
};

} // namespace

// The list is built anew only when some tag hides a frame, and then at its
// exact final size: the cuts are made first, so that the list is never held
// more than twice (most files hide no frame and keep their list as it is).
void splitHiddenFrames(std::vector<std::string>& items, TagRegistry& registry) {
    HiddenFrameSplitter splitter(registry);
    std::vector<std::pair<std::size_t, std::vector<std::string>>> cuts; // item, its lines
    std::size_t size = items.size();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!isHidingTag(items[i]))
            continue;
        std::vector<std::string> lines;
        if (!splitter.cutAtFrames(items[i], lines))
            continue;
        size += lines.size() - 1;
        cuts.emplace_back(i, std::move(lines));
    }
    if (cuts.empty())
        return;
    std::vector<std::string> out;
    out.reserve(size);
    auto next = cuts.begin();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (next != cuts.end() && next->first == i) {
            std::move(next->second.begin(), next->second.end(), std::back_inserter(out));
            ++next;
        } else {
            out.push_back(std::move(items[i]));
        }
    }
    items = std::move(out);
}

} // namespace quillex::backward
