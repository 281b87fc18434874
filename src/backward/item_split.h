// Item split: every translated QMX line cut into one element per tag and per
// run of text.
//
// A QMX line is an external tag followed by text and internal tags. The later
// stages work element by element, so the split comes first: afterwards each
// element is exactly one tag (from its "<" to the ">" that balances it) or
// one run of text. A tag a translator wrote in the `<#...>` form loses its
// "#".
#pragma once

#include <string>
#include <vector>

namespace quillex::backward {

// The elements of `lines`, in order. Throws a parser-error ConversionFailure
// for a tag whose closing ">" is missing on its line.
std::vector<std::string> splitItems(const std::vector<std::string>& lines);

} // namespace quillex::backward
