// Index markers: the headings, sort and see texts of an Interleaf "<Index"
// tag lifted out into QMX lines of their own.
//
// A marker with an entry becomes a block <imk %d>, <ie> and its first
// heading, an <il> item for each further heading, <ss> and <sa> items for its
// sort and see texts, and </imk>; the body conversion later moves the block
// behind its paragraph. A marker whose first heading is an empty-entry
// placeholder disappears from the QMX file (it stays in the ORG file).
#pragma once

#include "forward/conversion_context.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillex {

// Index texts whose visible length exceeds this end the run with 1060.
inline constexpr std::size_t kIndexTextLimit = 250;
// Index texts longer than this are warned about.
inline constexpr std::size_t kIndexTextWarningLength = 200;

// True for a heading value (with its quotes) that marks an index marker
// without entry: "**Empty**", "**Leer**", "**Vide**" or the Japanese one.
bool isEmptyEntryPlaceholder(std::string_view value);

// The QMX text of an index heading, sort or see value: the text between its
// first and last double quote, "<<#" read as "<#", converted as attribute
// text with quote tags. Over 250 visible characters it throws 1060, over 200
// it adds the warnings 17513 and 17512 (also when other warnings are off).
std::string convertIndexText(std::string_view value, const ConversionContext& context);

// The items of the index marker `tag`; empty when it has no entry. The block
// tag is entered in both tag maps with the whole "<Index" tag as its markup.
std::vector<std::string> convertIndexMarker(std::string_view tag, ConversionContext& context);

} // namespace quillex
