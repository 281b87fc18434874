// The Interleaf forms of translated characters: every form the table gives
// is read back by the forward conversion as the same character, and the
// scan finds the characters without one where they stand.
#include "conversion/language_table.h"
#include "qmx/character_code.h"
#include "qmx/interleaf_forms.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <set>

using namespace quillex;

namespace {

// The Unicode character (as UTF-8) that `bytes` are in `codePage`.
std::optional<std::string> utf8Of(std::string_view bytes, int codePage) {
    const iconv_t handle = iconv_open("UTF-8", ("CP" + std::to_string(codePage)).c_str());
    if (handle == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    char buffer[16];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const bool exact = iconv(handle, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(handle);
    if (!exact || inLeft != 0)
        return std::nullopt;
    return std::string(buffer, static_cast<std::size_t>(out - buffer));
}

// Forms that stand for their character by design although the forward
// conversion reads them as another: quote codes and plain-text look-alikes.
const std::set<std::string_view> kStandIns = {"<#2c>", "...", "<#5e>", "<#60>", "<#27>",
                                              "<#7f>", "\"",  "<#b7>", "<#7e>", "(tm)"};

// The QMX tags that the forward conversion writes for characters.
std::string characterOfTag(const std::string& text) {
    if (text == "<:sh>")
        return "\xAD";
    return text;
}

} // namespace

// For every code page of the language table, every byte above ASCII that
// has a form comes back from the forward conversion as the same character.
TEST(InterleafForms, EveryFormReadsBackAsItsCharacter) {
    std::set<int> codePages;
    for (const std::string_view name : languageNames()) {
        LanguageRecord record;
        lookupLanguage(name, LanguageRole::Target, record);
        codePages.insert(record.codePage);
    }
    for (const int codePage : codePages) {
        const InterleafForms& forms = InterleafForms::of(codePage);
        for (unsigned value = 0x80; value <= 0xFF; ++value) {
            const auto byte = static_cast<unsigned char>(value);
            const InterleafForm& form = forms[byte];
            if (form.kind == FormKind::Missing || kStandIns.contains(form.markup) ||
                form.markup == "<SP>")
                continue;
            ASSERT_EQ(form.kind, FormKind::Markup) << codePage << " " << value;
            const std::string back = characterOfTag(
                convertCharacterCodes(form.markup, CodeContext::FrameOrCell, false, false));
            const std::string_view own(reinterpret_cast<const char*>(&byte), 1);
            EXPECT_EQ(utf8Of(back, 1252), utf8Of(own, codePage))
                << "code page " << codePage << ", byte " << std::hex << value << " written "
                << form.markup;
        }
    }
}

// The cases the forms are about: the same byte is a character with a form in
// one code page and one without in another, and a character with a form
// stands at another byte than in code page 1252.
TEST(InterleafForms, FormsOfCodePages) {
    struct Case {
        int codePage;
        unsigned char byte;
        const char* markup; // null: no form
    };
    const Case cases[] = {
        {1252, 0x8C, "<#0135>"}, // Œ
        {1250, 0x8C, nullptr},   // Ś is not Œ
        {1252, 0x8A, nullptr},   // Š: Interleaf's code is not known
        {1252, 0x80, nullptr},   // €
        {1251, 0x88, nullptr},   // € of code page 1251
        {1252, 0xB2, nullptr},   // ²: Interleaf's 0xB2 is another character
        {1252, 0xA0, "<SP>"},    // no-break space: the hard space
        {1251, 0xA0, "<SP>"},    {1252, 0xAD, "<#0106>"}, // soft hyphen
        {1257, 0xA8, "<#d8>"},                            // Ø
        {1257, 0xD8, nullptr},                            // Ų
        {1250, 0xE9, "<#e9>"},                            // é
        {1250, 0xC8, nullptr},                            // Č
        {1251, 0xC6, nullptr},                            // Ж
        {1252, 0x81, nullptr},                            // undefined
        {936, 0xD6, nullptr},                             // lead byte
    };
    for (const Case& c : cases) {
        const InterleafForm& form = InterleafForms::of(c.codePage)[c.byte];
        if (c.markup == nullptr)
            EXPECT_EQ(form.kind, FormKind::Missing) << c.codePage << " " << int(c.byte);
        else
            EXPECT_EQ(form.markup, c.markup) << c.codePage << " " << int(c.byte);
    }
    EXPECT_TRUE(InterleafForms::of(1252)[0xA0].runningTextOnly);
    EXPECT_EQ(InterleafForms::of(1252)['\x01'].kind, FormKind::Dropped);
    EXPECT_EQ(InterleafForms::of(1250)['a'].kind, FormKind::Plain);
}

// The scan looks at text only, in the contexts the backward conversion
// writes it in, and names whole double-byte characters.
TEST(InterleafForms, ScanFindsFormlessCharactersWhereTheyStand) {
    const auto first = [](int codePage, bool japanese, std::string_view text) {
        FormlessCharacterScanner scanner(codePage, japanese);
        const std::optional<FormlessCharacter> found = scanner.next(text);
        return found ? std::to_string(found->offset) + ":" + found->bytes : std::string("none");
    };
    // Bytes inside tags are the skeleton's, not translated text.
    EXPECT_EQ(first(1250, false, "<ps \"\x8C\" 1>a\xE9\x8C"), "12:\x8C");
    // The hard space has a form in running text, not in a text string.
    EXPECT_EQ(first(1252, false, "<ps \"p\" 1>a\xA0</ps>"), "none");
    EXPECT_EQ(first(1252, false, "<ts 1>a b\xA0</ts>\xA0"), "9:\xA0");
    EXPECT_EQ(first(1252, false, "<ts 1>a</ts>\xA0"), "none");
    // Double-byte characters are named whole; a Japanese target's text is
    // Western only inside the western-font tags.
    EXPECT_EQ(first(936, false, "a\xD6\xD0"), "1:\xD6\xD0");
    EXPECT_EQ(first(932, true, "\x93\xFA\x80<:c>a\x80<:/c>"), "8:\x80");

    FormlessCharacterScanner scanner(1251, false);
    EXPECT_EQ(scanner.next("<imk 1>").has_value(), false);
    EXPECT_EQ(scanner.next("<ie>a\xA0")->offset, 5u); // still inside the index marker
    EXPECT_EQ(describeCharacter("\x8C", 1250, CharacterText::Utf8), "\"\xC5\x9A\" (byte 0x8C)");
    EXPECT_EQ(describeCharacter("\x8C", 1250, CharacterText::CodePage), "\"\x8C\" (byte 0x8C)");
    EXPECT_EQ(describeCharacter("\x81", 1252, CharacterText::Utf8), "byte 0x81");
    EXPECT_EQ(describeCharacter("\xD6\xD0", 936, CharacterText::Utf8),
              "\"\xE4\xB8\xAD\" (bytes 0xD6 0xD0)");
}
