// The Interleaf forms of translated characters, per code page, and the scan
// that finds the characters without one.
#include "qmx/interleaf_forms.h"

#include "qmx/character_code.h"
#include "qmx/character_table.h"

#include "foundation/lead_bytes.h"

#include <iconv.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace quillex {
namespace {

constexpr int kWesternCodePage = 1252;
// The code page of a Japanese target's double-byte text.
constexpr int kShiftJisCodePage = 932;

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kFirstAboveAscii = 0x80;
constexpr unsigned char kFirstCodedByte = 0xA1;

// The forms of code page 1252's bytes 0x82 to 0x9F that are not the byte's
// own code: the Interleaf code of the same character, or a plain-text
// stand-in where Interleaf has none.
constexpr std::pair<unsigned char, const char*> kWesternSpecialForms[] = {
    {0x82, "<#2c>"},   {0x83, "<#0130>"}, {0x84, "<#0118>"}, {0x85, "..."},   {0x86, "<#0114>"},
    {0x87, "<#0115>"}, {0x88, "<#5e>"},   {0x89, "<#011f>"}, {0x8A, "<#8a>"}, {0x8B, "<#0116>"},
    {0x8C, "<#0135>"}, {0x91, "<#60>"},   {0x92, "<#27>"},   {0x93, "<#7f>"}, {0x94, "\""},
    {0x95, "<#b7>"},   {0x96, "<#0107>"}, {0x97, "<#010A>"}, {0x98, "<#7e>"}, {0x99, "(tm)"},
    {0x9A, "<#9a>"},   {0x9B, "<#0117>"}, {0x9C, "<#0139>"}, {0x9F, "<#9f>"},
};

// Of those, the ones that stand for their character on purpose although the
// forward conversion reads them as another: typographic quotes become
// Interleaf's quote codes (which come back as the QMX quote tags), and the
// low single quote, ellipsis, modifier circumflex, bullet, small tilde and
// trade mark sign, which Interleaf lacks, a look-alike.
constexpr unsigned char kWesternStandIns[] = {0x82, 0x85, 0x88, 0x91, 0x92,
                                              0x93, 0x94, 0x95, 0x98, 0x99};

// Characters whose form is the fixed markup of a QMX tag rather than a code
// of the character table.
struct TagForm {
    char32_t character;
    const char* markup;
    bool runningTextOnly;
};
constexpr TagForm kTagForms[] = {
    {0x00A0, "<SP>", true},     // no-break space: the hard space, <:hs>
    {0x00AD, "<#0106>", false}, // soft hyphen: <:sh>
};

// Tags whose text up to their closing tag becomes an attribute value, a
// diagram string or a variable suffix.
constexpr std::string_view kValueTextOpenings[] = {"<ts ", "<tl ",    "<xrv ",
                                                   "<imk", "<pgfmt ", "<anfmt "};
constexpr std::string_view kValueTextClosings[] = {"</ts>",  "</tl>",    "</xrv>",
                                                   "</imk>", "</pgfmt>", "</anfmt>"};

constexpr std::string_view kWesternFontStart = "<:c>";
constexpr std::string_view kWesternFontEnd = "<:/c>";

// One iconv conversion, exact or not at all.
class Converter {
  public:
    Converter(const std::string& to, const std::string& from)
        : handle_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (valid())
            iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> convert(std::string_view input) {
        if (!valid())
            return std::nullopt;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[32];
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0 ||
            iconv(handle_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        return std::string(buffer, static_cast<std::size_t>(out - buffer));
    }

  private:
    iconv_t handle_;
};

std::string iconvNameOf(int codePage) {
    return "CP" + std::to_string(codePage);
}

// The one Unicode character that `bytes` are in `codePage`; none for bytes the
// code page leaves undefined or that make no whole character.
std::optional<char32_t> unicodeOf(std::string_view bytes, int codePage) {
    Converter converter("UTF-32LE", iconvNameOf(codePage));
    const std::optional<std::string> utf32 = converter.convert(bytes);
    if (!utf32 || utf32->size() != sizeof(char32_t))
        return std::nullopt;
    char32_t value = 0;
    for (std::size_t i = sizeof(char32_t); i-- > 0;)
        value = value << 8 | static_cast<unsigned char>((*utf32)[i]);
    return value;
}

// The documented form of a byte of code page 1252 above ASCII; none for the
// bytes the table has no form for.
std::optional<std::string> westernForm(unsigned char byte) {
    for (const auto& [special, form] : kWesternSpecialForms)
        if (special == byte)
            return form;
    if (byte >= kFirstCodedByte) {
        constexpr char kDigits[] = "0123456789abcdef";
        return std::string("<#") + kDigits[byte >> 4] + kDigits[byte & 0xF] + ">";
    }
    return std::nullopt;
}

// Whether the forward conversion reads `form` back as `byte`: the form is one
// character code whose table entry is that byte.
bool readsBackAs(std::string_view form, unsigned char byte) {
    const std::optional<CharacterCodeTag> code = parseCharacterCodeTag(form);
    if (!code || code->length != form.size() || code->value >= kCharacterCodeCount)
        return false;
    return characterTableEntry(static_cast<int>(code->value)) == std::string(1, char(byte));
}

// The characters that have an Interleaf form for certain, and that form.
struct CertainForm {
    std::string markup;
    bool runningTextOnly = false;
};
using CertainForms = std::unordered_map<char32_t, CertainForm>;

CertainForms buildCertainForms() {
    CertainForms forms;
    for (unsigned value = kFirstAboveAscii; value <= 0xFF; ++value) {
        const auto byte = static_cast<unsigned char>(value);
        const std::optional<std::string> form = westernForm(byte);
        const std::optional<char32_t> character =
            unicodeOf(std::string_view(reinterpret_cast<const char*>(&byte), 1), kWesternCodePage);
        if (!form || !character)
            continue;
        const bool standIn =
            std::ranges::find(kWesternStandIns, byte) != std::end(kWesternStandIns);
        if (standIn || readsBackAs(*form, byte))
            forms[*character] = {*form, false};
    }
    for (const TagForm& tag : kTagForms)
        forms[tag.character] = {tag.markup, tag.runningTextOnly};
    return forms;
}

const CertainForms& certainForms() {
    static const CertainForms forms = buildCertainForms();
    return forms;
}

// The length of the character that starts at `offset`: two bytes where the
// byte alone is no character but the pair is one.
std::size_t characterLength(std::string_view text, std::size_t offset, int codePage) {
    if (offset + 1 < text.size() && !unicodeOf(text.substr(offset, 1), codePage) &&
        unicodeOf(text.substr(offset, 2), codePage))
        return 2;
    return 1;
}

} // namespace

int formCodePageOf(int targetCodePage, bool japaneseTarget) {
    return japaneseTarget ? kWesternCodePage : targetCodePage;
}

InterleafForms::InterleafForms(int codePage) {
    for (unsigned value = 0; value < kFirstPrintable; ++value)
        forms_[value] = {FormKind::Dropped, {}, false};
    forms_['\t'] = {FormKind::Markup, "<Tab>", false};
    for (unsigned value = kFirstPrintable; value < kDelete; ++value)
        forms_[value] = {FormKind::Plain, {}, false};
    forms_[kDelete] = {FormKind::Dropped, {}, false};
    const CertainForms& certain = certainForms();
    for (unsigned value = kFirstAboveAscii; value <= 0xFF; ++value) {
        const char byte = static_cast<char>(value);
        const std::optional<char32_t> character = unicodeOf(std::string_view(&byte, 1), codePage);
        const auto found = character ? certain.find(*character) : certain.end();
        if (found == certain.end())
            continue; // Missing
        markup_[value] = found->second.markup;
        forms_[value] = {FormKind::Markup, markup_[value], found->second.runningTextOnly};
    }
}

const InterleafForms& InterleafForms::of(int codePage) {
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<InterleafForms>> tables;
    const std::lock_guard lock(mutex);
    std::unique_ptr<InterleafForms>& table = tables[codePage];
    if (!table)
        table = std::make_unique<InterleafForms>(codePage);
    return *table;
}

FormlessCharacterScanner::FormlessCharacterScanner(int targetCodePage, bool japaneseTarget)
    : forms_(InterleafForms::of(formCodePageOf(targetCodePage, japaneseTarget))),
      codePage_(formCodePageOf(targetCodePage, japaneseTarget)), doubleByteText_(japaneseTarget) {}

void FormlessCharacterScanner::enterTag(std::string_view tag) {
    if (tag == kWesternFontStart || tag == kWesternFontEnd)
        doubleByteText_ = !doubleByteText_;
    else if (std::ranges::any_of(kValueTextOpenings, [&](std::string_view opening) {
                 return tag.starts_with(opening);
             }))
        valueText_ = true;
    else if (std::ranges::find(kValueTextClosings, tag) != std::end(kValueTextClosings))
        valueText_ = false;
}

std::optional<FormlessCharacter> FormlessCharacterScanner::next(std::string_view text,
                                                                std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') {
            if (depth_++ == 0)
                tag_.clear();
            tag_ += c;
            continue;
        }
        if (depth_ > 0) {
            tag_ += c;
            if (c == '>' && --depth_ == 0)
                enterTag(tag_);
            continue;
        }
        if (doubleByteText_) {
            if (std::optional<FormlessCharacter> found = doubleByteCharacterAt(text, i))
                return found;
            continue;
        }
        const InterleafForm& form = forms_[static_cast<unsigned char>(c)];
        if (form.kind == FormKind::Missing || (form.runningTextOnly && valueText_))
            return FormlessCharacter{
                i, std::string(text.substr(i, characterLength(text, i, codePage_))), codePage_};
    }
    return std::nullopt;
}

// The Shift-JIS character at `i`, stepped over whole (`i` left on its last
// byte), so that a trail byte is never read as a lead byte; returned when its
// lead byte has no Interleaf code, with its trail byte if it has one.
std::optional<FormlessCharacter>
FormlessCharacterScanner::doubleByteCharacterAt(std::string_view text, std::size_t& i) const {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (!isShiftJisLeadByte(lead))
        return std::nullopt;
    const std::size_t start = i;
    if (i + 1 < text.size() && isShiftJisTrailByte(static_cast<unsigned char>(text[i + 1])))
        ++i;
    if (isInterleafShiftJisLeadByte(lead))
        return std::nullopt;
    return FormlessCharacter{start, std::string(text.substr(start, i + 1 - start)),
                             kShiftJisCodePage};
}

std::string describeCharacter(std::string_view bytes, int codePage, CharacterText text) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex = bytes.size() == 1 ? "byte" : "bytes";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += std::string(" 0x") + kDigits[byte >> 4] + kDigits[byte & 0xF];
    }
    Converter converter("UTF-8", iconvNameOf(codePage));
    const std::optional<std::string> utf8 = converter.convert(bytes);
    if (!utf8)
        return hex;
    return "\"" + (text == CharacterText::Utf8 ? *utf8 : std::string(bytes)) + "\" (" + hex + ")";
}

} // namespace quillex
