// QMX tags that stand for exactly one character (the hard space, the special
// spaces, the soft and hard hyphens, typographic quotes), which XLIFF carries
// as that Unicode character so that translation memories, spell checkers and
// machine translation see words and quotes, not codes. Import writes the
// characters back as the tags, so a translator's « or no-break space takes
// the Interleaf form.
//
// The mapping is exact: where a unit's source text holds one of these
// characters as a byte of its code page (a « in table text) and not as the
// tag, the unit keeps the byte, both ways; where it holds both, the bytes
// travel as a code of their own.
#pragma once

#include "xliff/unit_content.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillex::xliff {

// The character (UTF-8) a QMX tag stands for; nothing for other tags.
std::optional<std::string_view> characterOfTag(std::string_view tag);

// A unit's content with its character tags as characters, and the
// characters its source writes as text of the code page rather than as tags.
struct UnicodeContent {
    UnitContent content;
    std::vector<std::string> textCharacters;
};

// `content` (as contentFromQmx gives it from text in `codePage`) with every
// character tag written as its character; the other codes keep their ids.
UnicodeContent withUnicodeCharacters(const UnitContent& content, int codePage);

// `content` with each placeholder code of a character tag written as its
// character: a translation exported while these tags were codes, or a tool
// that shows a character as a code.
UnitContent withCharacterCodesAsText(const UnitContent& content);

// `content` with each mapped character written as its tag again, except
// those of `textCharacters` that `codePage` has, which stay text.
UnitContent withCharacterTags(const UnitContent& content,
                              const std::vector<std::string>& textCharacters, int codePage);

} // namespace quillex::xliff
