// The line rule of QMX files: body items (external tags, internal tags and
// runs of text) are joined into lines.
//
// An external tag (beginning "<" but not "<:") starts a new line, except an
// item beginning "<pn" right after an item beginning "<ps", which stays on
// that line; the item "<:hr>" also starts a new line; everything else is
// appended to the current line.
#pragma once

#include <string>
#include <vector>

namespace quillex {

std::vector<std::string> joinItemsIntoLines(const std::vector<std::string>& items);

} // namespace quillex
