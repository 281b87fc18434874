// Text of a QMX file (bytes in a Windows code page) as XLIFF carries it:
// UTF-8 where the bytes convert to Unicode and back unchanged, the bytes
// themselves where they do not (a code page with two bytes for one Unicode
// character, a byte the code page leaves undefined, a control character that
// XML cannot hold). Nothing is lost either way.
#pragma once

#include "foundation/lead_bytes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillex::xliff {

// One run of decoded text: UTF-8, or bytes that have no exact UTF-8 form.
struct DecodedRun {
    std::string text;
    bool raw = false; // `text` holds the original bytes
};

// Cuts `bytes` into runs of exact UTF-8 text and raw bytes. Throws
// std::runtime_error for a code page iconv does not know.
std::vector<DecodedRun> decodeCodePageText(std::string_view bytes, int codePage);

// `bytes` as UTF-8 when the whole text converts exactly and XML can hold it;
// nothing otherwise.
std::optional<std::string> exactUtf8(std::string_view bytes, int codePage);

// The result of converting UTF-8 into a code page: the bytes, or the first
// character the code page lacks.
struct EncodedText {
    std::string bytes;
    std::optional<std::string> missing; // UTF-8 text of the character
};

// Converts UTF-8 `text` into `codePage`, never substituting "?" for a
// character the code page lacks. Throws std::runtime_error for invalid UTF-8
// or an unknown code page.
EncodedText encodeUtf8Text(std::string_view text, int codePage);

// Converts UTF-8 `text` into `codePage`, writing each character the code
// page lacks as the nearest it has ("\xE1\xB8\x97" as "e"; "?" where there is
// none). Throws std::runtime_error for invalid UTF-8 or an unknown code page.
std::string encodeUtf8TextNearest(std::string_view text, int codePage);

// Whether a byte leads a two-byte character in a code page:
// isLeadByte(byte, codePage) of foundation/lead_bytes.h.

// The bytes as upper-case hexadecimal digits, and back (nothing for text that
// is not an even number of hexadecimal digits).
std::string toHex(std::string_view bytes);
std::optional<std::string> fromHex(std::string_view hex);

// Whether `text` is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

} // namespace quillex::xliff
