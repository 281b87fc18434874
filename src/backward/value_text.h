// Translated lines as the text of Interleaf attribute values: the prefixes
// of number streams, the headings of index entries, the suffixes of
// cross-reference variables. Inside a value every character that needs
// markup is written as its code ("<#e9>"), never as a line of its own.
#pragma once

#include "backward/backward_context.h"

#include <string>
#include <string_view>

namespace quillex::backward {

// The text conversion of a translated text line with tabs dropped, its lines
// joined into one text.
std::string valueText(std::string_view line, const BackwardContext& context);

// What a line of a translated block adds to the value being collected: a
// character-code line its Interleaf form, any other internal tag the code
// tag it stands for, a text line its value text; an external tag adds
// nothing. Throws a parser-error ConversionFailure for an internal tag that
// has no replacement or one that is not a character code.
std::string valueContribution(std::string_view line, const BackwardContext& context);

} // namespace quillex::backward
