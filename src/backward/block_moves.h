// Block moves: index markers, footnotes and anchored frames put back where
// their placeholders stand.
//
// The forward conversion leaves a placeholder (`<:imk 12>`, `<:fn 3>`,
// `<:af 7>`) in the running text and writes the block itself (`<imk 12>` ...
// `</imk>`) further on. Before the text is filed, each block goes back to
// just before its placeholder, and the placeholder goes.
#pragma once

#include "qmx/qmx_tags.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillex::backward {

using BlockKind = qmx::AnchoredBlock;

// The three kinds, in the order the moves run.
inline constexpr const BlockKind& kIndexMarkerBlocks = qmx::kIndexMarkerBlock;
inline constexpr const BlockKind& kFootnoteBlocks = qmx::kFootnoteBlock;
inline constexpr const BlockKind& kFrameBlocks = qmx::kFrameBlock;

// Moves every block of `kind` that follows its placeholder to just before it
// and removes the placeholders (also those whose block is not found). Throws
// a parser-error ConversionFailure for a block without its closing line.
void moveBlocks(std::vector<std::string>& lines, const BlockKind& kind);

// The three moves in their order.
void moveAllBlocks(std::vector<std::string>& lines);

} // namespace quillex::backward
