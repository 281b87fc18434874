// Index markers written back.
#include "backward/index_marker_rewriting.h"

#include "backward/declaration.h"
#include "backward/text_conversion.h"
#include "backward/value_text.h"
#include "conversion/result_code.h"

#include <optional>

namespace quillex::backward {
namespace {

// The translated texts of one level of an index entry; none where the
// translation has no such text.
struct LevelTexts {
    std::optional<std::string> heading;
    std::optional<std::string> sort;
    std::optional<std::string> see;
};

// Levels by number; level 0 holds what stands before the first heading.
using IndexTexts = std::vector<LevelTexts>;

IndexTexts collectTexts(std::span<const std::string> lines, const BackwardContext& context) {
    IndexTexts levels(1);
    std::optional<std::string>* collecting = nullptr;
    for (const std::string& line : lines) {
        if (line == "<ie>" || line == "<il>") {
            levels.emplace_back();
            collecting = &levels.back().heading;
        } else if (line == "<ss>") {
            collecting = &levels.back().sort;
        } else if (line == "<sa>") {
            collecting = &levels.back().see;
        } else if (collecting != nullptr) {
            **collecting += valueContribution(line, context);
            continue;
        } else {
            continue;
        }
        if (!*collecting)
            *collecting = std::string();
    }
    return levels;
}

const LevelTexts& levelTexts(const IndexTexts& levels, std::size_t level) {
    static const LevelTexts kNone;
    return level < levels.size() ? levels[level] : kNone;
}

bool isHeading(const Property& property) {
    return property.name.starts_with('"') && property.value.empty();
}

bool hasText(const std::optional<std::string>& text) {
    return text && !text->empty();
}

// "<Index," and the headings of levels 1 to 6, each followed by its sort
// text when it has one.
std::string newIndexMarker(const IndexTexts& levels) {
    std::string text = "<Index,\n";
    for (std::size_t level = 1; level <= kIndexLevels; ++level) {
        const LevelTexts& texts = levelTexts(levels, level);
        if (texts.heading) {
            if (level > 1)
                text += ",\n";
            text += quotedValue(*texts.heading);
        }
        if (hasText(texts.sort))
            text += ",\nSort = " + quotedValue(*texts.sort);
    }
    return text + ">";
}

// Walks the skeleton's fields, giving each heading, sort and see field the
// translated text of its level, and adds what the skeleton has no field for.
class MarkerRewrite {
  public:
    explicit MarkerRewrite(const IndexTexts& levels) : levels_(levels) {}

    std::vector<Property> rewrite(std::vector<Property> properties) {
        for (Property& property : properties) {
            if (isHeading(property))
                takeHeading(std::move(property));
            else
                takeOther(std::move(property));
        }
        placeSort();
        for (std::size_t level = level_ + 1; level <= kIndexLevels && !headingsEnded_; ++level) {
            const LevelTexts& texts = levelTexts(levels_, level);
            if (!texts.heading)
                break;
            out_.push_back({quotedValue(*texts.heading), {}});
            if (hasText(texts.sort))
                out_.push_back({"Sort", quotedValue(*texts.sort)});
        }
        return std::move(out_);
    }

  private:
    const LevelTexts& current() const { return levelTexts(levels_, level_); }

    // A sort text for a level whose skeleton had no "Sort" field goes in
    // before the next level.
    void placeSort() {
        if (level_ > 0 && !sortTaken_ && hasText(current().sort))
            out_.push_back({"Sort", quotedValue(*current().sort)});
    }

    void takeHeading(Property property) {
        if (headingsEnded_)
            return;
        const LevelTexts& next = levelTexts(levels_, level_ + 1);
        if (!next.heading) {
            headingsEnded_ = true;
            return;
        }
        placeSort();
        ++level_;
        sortTaken_ = false;
        seeTaken_ = false;
        property.name = quotedValue(*next.heading);
        out_.push_back(std::move(property));
    }

    void takeOther(Property property) {
        if (property.name.starts_with("Sort") && !headingsEnded_) {
            sortTaken_ = true;
            if (current().sort)
                property.value = quotedValue(*current().sort);
        } else if (property.name.starts_with("See") && !seeTaken_ && !headingsEnded_) {
            seeTaken_ = true;
            if (current().see)
                property.value = quotedValue(*current().see);
        }
        out_.push_back(std::move(property));
    }

    const IndexTexts& levels_;
    std::vector<Property> out_;
    std::size_t level_ = 0;
    bool sortTaken_ = false;
    bool seeTaken_ = false;
    bool headingsEnded_ = false;
};

} // namespace

std::vector<std::string> convertIndexMarker(std::span<const std::string> block,
                                            const BackwardContext& context) {
    const std::size_t length = blockLength(block, "</imk>");
    const IndexTexts levels = collectTexts(block.subspan(1, length - 2), context);
    if (block.front() == "<imk>")
        return {newIndexMarker(levels)};

    const std::string_view* markup = context.replacementOf(block.front());
    if (markup == nullptr)
        throw ConversionFailure(result::ParserError);
    Declaration marker = Declaration::parse(*markup);
    marker.properties() = MarkerRewrite(levels).rewrite(std::move(marker.properties()));
    return {marker.write()};
}

} // namespace quillex::backward
