// The texts of diagram objects: the lines of text strings and chart labels,
// and the names of named objects, as QMX text.
#pragma once

#include "forward/attribute_text.h"

#include <string>
#include <string_view>

namespace quillex {

// One text line of a text string or chart label offered for translation:
// its escapes resolved, then its character codes converted with quote tags
// (so that the quote conversion can pair them).
std::string convertDiagramLine(std::string_view line, const CharacterSettings& settings);

// The name in a diagram field (a named object's name): blanks around it
// dropped, and one pair of surrounding double quotes with the doubled quotes
// inside them read as one, so that it compares with a declared name.
std::string diagramName(std::string_view field);

} // namespace quillex
