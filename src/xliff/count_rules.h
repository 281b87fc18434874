// The word rules of the translation tools a customer may quote with, beside
// quillex's own: so that a count can be set against the tool's.
//
// - pocount (Translate Toolkit) reads the unit's text with the text of each
//   code in it, drops what looks like an XML tag (<:t>, not <:fc 1>), turns a
//   full stop between two non-digits, with them, into a blank, then splits at
//   white space and strips punctuation from both ends of each piece.
// - omegat (OmegaT 3.6) counts the runs of letters and digits between word
//   boundaries: white space, every code (a hard hyphen code splits
//   "bit-mapped" in two), slashes, colons and other punctuation; a hyphen, a
//   full stop, an apostrophe, an underscore or an ampersand between two
//   letters, and a full stop or comma between two digits, keep them one word.
#pragma once

#include "xliff/unit_content.h"

#include <optional>
#include <string_view>

namespace quillex::xliff {

enum class CountRule { Quillex, Pocount, Omegat };

// The rule of its name ("quillex", "pocount", "omegat").
std::optional<CountRule> countRuleOf(std::string_view name);

// The words of a unit's content by `rule` (Pocount or Omegat; Quillex is
// word_count's own rule).
long countWordsLike(CountRule rule, const UnitContent& content);

} // namespace quillex::xliff
