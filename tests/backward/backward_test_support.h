// Helpers of the backward conversion's tests: the forward conversion's maps
// and context in one object (so that a test can run a forward step, write
// its result back and run the step again), QMX lines cut into the elements
// the backward stages read, and translations of the text in QMX lines.
#pragma once

#include "backward/backward_context.h"
#include "backward/interleaf_characters.h"
#include "forward/conversion_context.h"
#include "qmx/line_joiner.h"
#include "qmx/quote_converter.h"
#include "support/item_strings.h"

#include <functional>
#include <string>
#include <vector>

namespace quillex::testing {

using Lines = std::vector<std::string>;

// One file's forward tag maps and context, and the backward context that
// reads the same replacements completed with the fixed ones.
struct ForwardSide {
    explicit ForwardSide(bool japanese = false) {
        settings.characters.japaneseSource = japanese;
        context.settings.characters.japaneseSource = japanese;
        backward.japaneseTarget = japanese;
    }

    // The backward context over the replacements made so far.
    const backward::BackwardContext& backwardContext() {
        backwardMap = replacements;
        backward::addFixedReplacements(backwardMap);
        backward.tagReplacements = &backwardMap;
        return backward;
    }

    TagRegistry::TagMap known;
    TagRegistry::TagMap replacements;
    TagRegistry registry{known, replacements};
    ClassTable classes;
    BodySettings settings;
    ConversionContext context{registry, classes, settings, nullptr};
    backward::TagMap backwardMap;
    backward::BackwardContext backward;
};

// Items joined into QMX lines as a QMX file holds them (quotes "As tags").
inline Lines qmxLines(Lines items) {
    Lines lines = joinItemsIntoLines(std::move(items));
    convertQuotes(lines);
    return lines;
}

// QMX lines cut into elements: each tag (to its balancing ">") and each run
// of text between tags.
inline Lines qmxElements(const Lines& lines) {
    Lines elements;
    for (const std::string& line : lines) {
        std::string run;
        int depth = 0;
        for (char c : line) {
            if (c == '<' && depth++ == 0 && !run.empty())
                elements.push_back(std::exchange(run, {}));
            run += c;
            if (c == '>' && depth > 0 && --depth == 0)
                elements.push_back(std::exchange(run, {}));
        }
        if (!run.empty())
            elements.push_back(run);
    }
    return elements;
}

// `lines` with the text after the external tag of each line that
// `carriesText` accepts replaced by the next of `texts` (in turn, from the
// one numbered `first`).
inline Lines translated(const Lines& lines,
                        const std::function<bool(const std::string&)>& carriesText,
                        const Lines& texts, std::size_t first = 0) {
    Lines result;
    std::size_t next = first;
    for (const std::string& line : lines) {
        if (!carriesText(line)) {
            result.push_back(line);
            continue;
        }
        const std::string tag = qmxElements({line}).front();
        result.push_back(tag + texts[next++ % texts.size()]);
    }
    return result;
}

// Translations in the forms the forward conversion writes: letters of the
// code page, tags for "<" and ">", paired and straight quotes, codes without
// a character, special spaces, signs that diagram strings escape, texts
// longer than their sources and an emptied one.
inline const Lines kTranslations = {
    "Pr\xE9"
    "face <:lt>n<:gt> \x97 ",
    "<:ldq>Anhang<:rdq> der \xDC"
    "bersetzung, (2)",
    "Nr. \"7\" (\xDF) \\ x<:r300><:hls>",
    "",
    "<:glq>Stra\xDF"
    "e<:ldq>, <:flq>rue<:frq> \x96 <:bb \"Pagenumber\">",
};

} // namespace quillex::testing
