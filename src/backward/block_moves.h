// Block moves: index markers, footnotes and anchored frames put back where
// their placeholders stand.
//
// The forward conversion leaves a placeholder (`<:imk 12>`, `<:fn 3>`,
// `<:af 7>`) in the running text and writes the block itself (`<imk 12>` ...
// `</imk>`) further on. Before the text is filed, each block goes back to
// just before its placeholder, and the placeholder goes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillex::backward {

struct BlockKind {
    std::string_view placeholderPrefix; // "<:imk "
    std::string_view openingPrefix;     // "<imk " (the opening line is this, the number, ">")
    std::string_view closingLine;       // "</imk>"
};

// The three kinds, in the order the moves run.
inline constexpr BlockKind kIndexMarkerBlocks{"<:imk ", "<imk ", "</imk>"};
inline constexpr BlockKind kFootnoteBlocks{"<:fn ", "<fn ", "</fn>"};
inline constexpr BlockKind kFrameBlocks{"<:af ", "<af ", "</af>"};

// Moves every block of `kind` that follows its placeholder to just before it
// and removes the placeholders (also those whose block is not found). Throws
// a parser-error ConversionFailure for a block without its closing line.
void moveBlocks(std::vector<std::string>& lines, const BlockKind& kind);

// The three moves in their order.
void moveAllBlocks(std::vector<std::string>& lines);

} // namespace quillex::backward
