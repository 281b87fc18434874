// The Interleaf form of each character of translated text, for every target
// code page: what the backward conversion writes for it, or that no form is
// known and the text must be refused.
//
// What the system knows of Interleaf's characters is the character table of
// the forward conversion (Interleaf code -> byte of code page 1252) and the
// QMX tags with a fixed markup (the hard space, the soft hyphen, the quote
// tags). A byte of the target code page has a form only where it is the same
// character as one of those; a character written as a code of another
// character, or dropped, would change the document without a word. The
// backward conversion and the verifier both decide through this table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillex {

enum class FormKind : std::uint8_t {
    Plain,   // written as the byte itself (printable ASCII)
    Dropped, // written as nothing: a control character
    Markup,  // written as `markup`: a code ("<#e9>"), a tag ("<Tab>", "<SP>") or a stand-in
    Missing, // no Interleaf form is known for certain
};

struct InterleafForm {
    FormKind kind = FormKind::Missing;
    std::string_view markup;
    // The form is markup of running text ("<SP>"): attribute values, diagram
    // strings and variable suffixes have no place for it.
    bool runningTextOnly = false;
};

// The code page whose characters the backward conversion writes as Interleaf
// markup for a target: a Japanese target's text outside the western-font
// tags passes as double-byte text, inside them it is Western (1252).
int formCodePageOf(int targetCodePage, bool japaneseTarget);

// The forms of the 256 bytes of one code page, built once on first use. A
// code page iconv does not know has forms for ASCII only.
class InterleafForms {
  public:
    // The table of `codePage`. It takes the lock of the process-wide tables:
    // look a table up once per text and index it per byte.
    static const InterleafForms& of(int codePage);

    const InterleafForm& operator[](unsigned char byte) const { return forms_[byte]; }

    explicit InterleafForms(int codePage);
    InterleafForms(const InterleafForms&) = delete;
    InterleafForms& operator=(const InterleafForms&) = delete;

  private:
    std::array<InterleafForm, 256> forms_;
    std::array<std::string, 256> markup_; // what the forms' markup views
};

// One character without an Interleaf form where it stands: its offset in the
// scanned text, its bytes (two for a double-byte character) and the code page
// they are read in.
struct FormlessCharacter {
    std::size_t offset = 0;
    std::string bytes;
    int codePage = 0;
};

// Walks translated QMX text in order and finds the characters that have no
// Interleaf form where they stand: text outside tags, in the code page the
// backward conversion writes it in. Texts that become attribute values or
// diagram strings (text strings, chart labels, index markers, cross-reference
// variables, stream formats) have no place for running-text markup. Double-
// byte text (a Japanese target, outside the western-font tags <:c> ... <:/c>)
// is Shift-JIS: there only a character whose lead byte has no Interleaf code
// (0xF0 to 0xFC) is formless. The state carries over from one call to the
// next, so a file is scanned line by line or all at once.
class FormlessCharacterScanner {
  public:
    FormlessCharacterScanner(int targetCodePage, bool japaneseTarget);

    // The first formless character of `text`, after `from`.
    std::optional<FormlessCharacter> next(std::string_view text, std::size_t from = 0);

  private:
    void enterTag(std::string_view tag);
    std::optional<FormlessCharacter> doubleByteCharacterAt(std::string_view text,
                                                           std::size_t& i) const;

    const InterleafForms& forms_;
    int codePage_;
    bool doubleByteText_;
    bool valueText_ = false;
    int depth_ = 0;
    std::string tag_;
};

// How a message names a character: in quotes, then its bytes
// ("\"Ś\" (byte 0x8C)"), or its bytes alone for bytes that make no character
// of the code page. The quoted text is UTF-8 for the results list, or the
// bytes themselves for a report written in the file's code page.
enum class CharacterText { Utf8, CodePage };
std::string describeCharacter(std::string_view bytes, int codePage, CharacterText text);

} // namespace quillex
