// The content of one translation unit: text and inline codes, as XLIFF 1.2
// holds it. A QMX line's content becomes one (internal tags become codes
// carrying the exact tag text), and a unit's content becomes QMX bytes again.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace quillex::xliff {

// The XLIFF element of a code.
enum class CodeKind {
    Placeholder,   // <ph>: a lone internal tag
    Begin,         // <bpt>: opens a pair within the unit
    End,           // <ept>: closes it (same id)
    IsolatedBegin, // <it pos="open">: opens a pair closed on another line
    IsolatedEnd,   // <it pos="close">: closes a pair opened on another line
    Bytes,         // <x>: bytes with no exact Unicode form, kept as they are
};

struct InlineCode {
    CodeKind kind = CodeKind::Placeholder;
    int id = 0;
    // The QMX tag in UTF-8, or (`raw`) its bytes when they have no exact
    // UTF-8 form; for Bytes always the bytes.
    std::string native;
    bool raw = false;

    bool operator==(const InlineCode&) const = default;
};

// Text is UTF-8.
using ContentPiece = std::variant<std::string, InlineCode>;
using UnitContent = std::vector<ContentPiece>;

// The QMX text of `content` (everything after the line's prefix) in
// `codePage`, its internal tags numbered as codes in order. Throws
// std::runtime_error when the angle brackets do not balance.
UnitContent contentFromQmx(std::string_view qmxContent, int codePage);

// The QMX bytes of `content`: text in `textCodePage` ("<" and ">" as the
// tags that stand for them), tags in `tagCodePage` (the source's, in which
// they were exported), raw bytes as they are. Adds to `problems` what cannot
// be written: a character the code page lacks, a line break.
std::string qmxFromContent(const UnitContent& content, int textCodePage, int tagCodePage,
                           std::vector<std::string>& problems);

// What qmxFromContent does with a character of the text that the code page
// lacks: a problem, or (Nearest) the nearest character the code page has,
// noted in `warnings`.
enum class MissingCharacters { Problem, Nearest };
std::string qmxFromContent(const UnitContent& content, int textCodePage, int tagCodePage,
                           std::vector<std::string>& problems, MissingCharacters missing,
                           std::vector<std::string>& warnings);

// Whether the content holds any text a translator would translate (anything
// but white space).
bool hasTranslatableText(const UnitContent& content);

// The codes of a content, in order.
std::vector<InlineCode> codesOf(const UnitContent& content);

// Appends `text` to `content`, joined to the text piece that ends it.
void appendText(UnitContent& content, std::string_view text);

// The text of a content with every code left out.
std::string plainText(const UnitContent& content);

} // namespace quillex::xliff
