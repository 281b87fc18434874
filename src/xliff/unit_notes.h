// Context for translators, taken from the external tags that start each
// line: a note naming the paragraph class (or what else the text is: an
// index sort key, a cross-reference text, a text of the ancillary file and
// the document it came from) and a name for the unit that holds no markup.
// Import never reads either; it takes the lines' tags from the source QMX.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace quillex::xliff {

struct UnitContext {
    std::string resname; // "para.12": class (or tag) name and its ordinal in the file
    std::string note;    // "paragraph class para"; empty where there is nothing to say
};

// Walks the line prefixes of one QMX file in order; each call gives the
// context of the next line.
class UnitContextTracker {
  public:
    explicit UnitContextTracker(int codePage) : codePage_(codePage) {}

    // `hasText`: the line holds text after its prefix.
    UnitContext next(std::string_view prefix, bool hasText);

  private:
    std::string nameFor(const std::string& base);
    std::string readable(std::string_view bytes) const;
    std::string describe(std::string_view name, std::string_view argument);
    void follow(std::string_view name, std::string_view argument);

    int codePage_;
    std::string className_;     // of the paragraph the line belongs to
    std::string ancillaryFile_; // the document an ancillary text came from
    std::string block_;         // the block of formats, headers or footers
    std::string format_;        // the stream or format whose texts follow
    int cellDepth_ = 0;
    std::unordered_map<std::string, int> counts_; // units so far per name
};

} // namespace quillex::xliff
