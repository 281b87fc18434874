// The character side of writing translated text back as Interleaf markup:
// the Interleaf form of each byte of translated text, the QMX tags whose
// markup is the same in every document, and the character codes of QMX
// ("<:r300>") with their Interleaf forms ("<#012c>", "\X012c").
#pragma once

#include "backward/backward_context.h"
#include "foundation/lead_bytes.h"
#include "qmx/interleaf_forms.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillex::backward {

// The Interleaf forms of the bytes of translated text, in the code page the
// context writes text of. Look the table up once per text, not per byte:
// each lookup takes the lock of the process-wide tables.
const InterleafForms& interleafFormsOf(const BackwardContext& context);

// Enters the QMX tags whose markup every document shares (closing tags,
// quote and space tags, tabs, the bold and italic tags a translator may add,
// the two QMX classes) in `replacements`. They are added after the re-parse
// of the skeleton and win over an entry it made for the same tag, as a later
// entry of the table does.
void addFixedReplacements(TagMap& replacements);

// True for a character-code line: "<:r" and a code ("<:r300>"), which is
// neither a read-only tag ("<:r "...) nor a single quote tag (<:rq>, <:rdq>).
bool isCharacterCodeLine(std::string_view line);

// The Interleaf code tag of a character-code line: "<#%x>" for codes below
// 256 and above 4095, "<#0%x>" (four digits) between. Throws a parser-error
// ConversionFailure for a line whose code is not a decimal number.
std::string characterCodeTag(std::string_view line);

// A character-code line as Interleaf text: <:r27> is the escape character
// itself, which switches Interleaf's literal mode; every other code is its
// code tag.
std::string convertCode(std::string_view line);

// The code tag ("<#...>") that the internal tag `tag` (<:lt>, <:ldq>)
// stands for. Throws a parser-error ConversionFailure when it has no
// replacement or one that is no character code (such as <:t>, a tab).
std::string_view internalCodeTag(std::string_view tag, const BackwardContext& context);

// The backslash escape of a code tag ("<#e9>" -> "\xe9", "<#012c>" ->
// "\X012c"), as diagram strings and variable suffixes write characters: "\x"
// takes two hexadecimal digits and "\X" four, so shorter codes are padded
// with zeros. With `trailingBackslash` a backslash closes the escape, as
// variable suffixes need.
std::string codeToEscape(std::string_view codeTag, bool trailingBackslash);

// Japanese (Shift-JIS) translated text in diagram strings and variable
// suffixes, whose characters are written as escapes of their Interleaf
// codes. Their double-byte characters begin with a Shift-JIS lead byte
// (foundation/lead_bytes.h).
//
// "\X" and the four hexadecimal digits of the code of the double-byte
// character `lead`, `trail` (row from the lead byte, cell from the trail
// byte); empty for a trail byte that no cell has. Throws a
// character-without-form ConversionFailure for a lead byte without an
// Interleaf row (0xF0 to 0xFC).
std::string doubleByteEscape(unsigned char lead, unsigned char trail);
// The escape of a single byte above ASCII: "\X06" and its digits for
// half-width katakana (row 6 of the codes), "\x" and its digits otherwise.
std::string singleByteEscape(unsigned char byte);

} // namespace quillex::backward
