// The lines whose text has a length limit, which the verifier enforces: a
// cross-reference variable's suffix, the prefixes of autonumber and page
// number streams, the parts of an index marker. Export passes the limit on
// to translation tools (maxwidth) and pseudo-translation stays within it.
#pragma once

#include <optional>
#include <string_view>

namespace quillex::xliff {

// The largest visible length (internal tags count one character each) the
// text after `prefix` may have; nothing when it has no limit.
std::optional<int> lengthLimitOf(std::string_view prefix);

} // namespace quillex::xliff
