// Frames anchored inside hidden, shared and read-only components.
#include "backward/hidden_frames.h"

#include "conversion/result_code.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quillex::backward {
namespace {

// The tags that hide a whole component, external and inline.
constexpr std::array<std::string_view, 8> kHidingPrefixes = {"<v ",  "<r ",  "<cnmk ",  "<pn ",
                                                             "<:v ", "<:r ", "<:cnmk ", "<:pn "};

bool isHidingTag(const std::string& item) {
    return std::any_of(kHidingPrefixes.begin(), kHidingPrefixes.end(),
                       [&](std::string_view prefix) { return item.starts_with(prefix); });
}

// A frame with text blocks (<af N> ... </af>), without text, or shared.
bool opensFrame(const std::string& line) {
    return line.starts_with("<af ") || line.starts_with("<:iaf ") || line.starts_with("<:saf ");
}

// Most markup holds no frame: a quick look saves cutting it into lines.
bool mayHoldFrame(std::string_view markup) {
    return markup.find("<af ") != std::string_view::npos ||
           markup.find("<:iaf ") != std::string_view::npos ||
           markup.find("<:saf ") != std::string_view::npos;
}

// The footnote around a frame: the skeleton's frame is the footnote.
bool isFootnoteLine(const std::string& line) {
    return line.starts_with("<:fn ") || line.starts_with("<fn ") || line == "</fn>";
}

class HiddenFrameSplitter {
  public:
    explicit HiddenFrameSplitter(TagRegistry& registry)
        : registry_(registry), replacements_(registry.tagReplacements()) {}

    // Appends `tag` to `out`, cut at its frames when its markup holds any.
    void place(std::string tag, std::vector<std::string>& out) {
        const auto found = replacements_.find(tag);
        if (found == replacements_.end()) {
            out.push_back(std::move(tag));
            return;
        }
        if (!mayHoldFrame(found->second)) {
            out.push_back(std::move(tag));
            return;
        }
        const std::vector<std::string> markup = expandReplacement(found->second);
        if (std::none_of(markup.begin(), markup.end(), opensFrame)) {
            out.push_back(std::move(tag));
            return;
        }
        cut(tag, markup, out);
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
            if (line.starts_with("<af ")) {
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

void splitHiddenFrames(std::vector<std::string>& items, TagRegistry& registry) {
    HiddenFrameSplitter splitter(registry);
    std::vector<std::string> out;
    out.reserve(items.size());
    for (std::string& item : items) {
        if (isHidingTag(item))
            splitter.place(std::move(item), out);
        else
            out.push_back(std::move(item));
    }
    items = std::move(out);
}

} // namespace quillex::backward
