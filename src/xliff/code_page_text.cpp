// Code-page text to UTF-8 and back through iconv, exactly or not at all.
#include "xliff/code_page_text.h"

#include "foundation/ct/ct_code_page.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <locale.h>
#include <stdexcept>

namespace quillex::xliff {
namespace {

const char* iconvNameOf(int codePage) {
    const CT_CodePage* page = CT_CodePage::spcco_Find(codePage);
    if (page == nullptr)
        throw std::runtime_error("code page " + std::to_string(codePage) + " is not supported");
    return page->iconvName;
}

// One iconv conversion, reused for many short texts.
class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`; on failure returns false and leaves in `failedAt` the
    // offset of the input that could not be converted.
    bool convert(std::string_view input, std::string& output, std::size_t& failedAt) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        output.clear();
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (true) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result =
                iconv(handle_, inLeft > 0 ? &in : nullptr, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result != static_cast<std::size_t>(-1)) {
                if (inLeft == 0)
                    return finish(output);
                continue;
            }
            if (errno == E2BIG)
                continue;
            failedAt = static_cast<std::size_t>(in - input.data());
            return false;
        }
    }
    bool convert(std::string_view input, std::string& output) {
        std::size_t ignored = 0;
        return convert(input, output, ignored);
    }

  private:
    // Writes what a stateful encoding keeps back until the end.
    bool finish(std::string& output) {
        char buffer[64];
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(handle_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1))
            return false;
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        return true;
    }

    iconv_t handle_;
};

// Length of the UTF-8 sequence that `lead` starts (1 for a stray byte).
std::size_t utf8Length(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// XML 1.0 allows tab, line ends and everything from the space up, except the
// surrogates and U+FFFE and U+FFFF. Line ends never occur inside a QMX line.
bool xmlCanHold(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x20 && lead != '\t')
            return false;
        if (lead == 0xEF && i + 2 < utf8.size() &&
            static_cast<unsigned char>(utf8[i + 1]) == 0xBF &&
            static_cast<unsigned char>(utf8[i + 2]) >= 0xBE)
            return false;
        i += utf8Length(lead);
    }
    return true;
}

struct RoundTrip {
    Converter toUtf8;
    Converter fromUtf8;
    explicit RoundTrip(int codePage)
        : toUtf8("UTF-8", iconvNameOf(codePage)), fromUtf8(iconvNameOf(codePage), "UTF-8") {}

    std::optional<std::string> exact(std::string_view bytes) {
        std::string utf8;
        std::string back;
        if (!toUtf8.convert(bytes, utf8) || !fromUtf8.convert(utf8, back) || back != bytes ||
            !xmlCanHold(utf8))
            return std::nullopt;
        return utf8;
    }
};

void appendRun(std::vector<DecodedRun>& runs, std::string_view text, bool raw) {
    if (!runs.empty() && runs.back().raw == raw)
        runs.back().text.append(text);
    else
        runs.push_back({std::string(text), raw});
}

} // namespace

std::vector<DecodedRun> decodeCodePageText(std::string_view bytes, int codePage) {
    RoundTrip trip(codePage);
    if (bytes.empty())
        return {};
    if (auto whole = trip.exact(bytes))
        return {DecodedRun{std::move(*whole), false}};
    // Character by character: only the characters without an exact form
    // stay bytes.
    std::vector<DecodedRun> runs;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t length = 1;
        if (isLeadByte(static_cast<unsigned char>(bytes[i]), codePage) && i + 1 < bytes.size())
            length = 2;
        const std::string_view character = bytes.substr(i, length);
        if (auto utf8 = trip.exact(character))
            appendRun(runs, *utf8, false);
        else
            appendRun(runs, character, true);
        i += length;
    }
    return runs;
}

std::optional<std::string> exactUtf8(std::string_view bytes, int codePage) {
    RoundTrip trip(codePage);
    return trip.exact(bytes);
}

EncodedText encodeUtf8Text(std::string_view text, int codePage) {
    if (!isValidUtf8(text))
        throw std::runtime_error("the text is not valid UTF-8");
    Converter fromUtf8(iconvNameOf(codePage), "UTF-8");
    EncodedText result;
    std::size_t failedAt = 0;
    if (fromUtf8.convert(text, result.bytes, failedAt))
        return result;
    const std::size_t length = utf8Length(static_cast<unsigned char>(text[failedAt]));
    result.missing = std::string(text.substr(failedAt, length));
    return result;
}

// iconv finds the nearest characters in the tables of the thread's locale:
// those of C.UTF-8 know the Latin letters with their marks, where the plain
// C locale of a script knows none. Set for as long as the object lives.
class TransliterationLocale {
  public:
    TransliterationLocale() : locale_(::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{})) {
        if (locale_ != locale_t{})
            previous_ = ::uselocale(locale_);
    }
    ~TransliterationLocale() {
        if (locale_ == locale_t{})
            return;
        ::uselocale(previous_);
        ::freelocale(locale_);
    }
    TransliterationLocale(const TransliterationLocale&) = delete;
    TransliterationLocale& operator=(const TransliterationLocale&) = delete;

  private:
    locale_t locale_;
    locale_t previous_ = locale_t{};
};

std::string encodeUtf8TextNearest(std::string_view text, int codePage) {
    if (!isValidUtf8(text))
        throw std::runtime_error("the text is not valid UTF-8");
    const TransliterationLocale locale;
    const std::string to = std::string(iconvNameOf(codePage)) + "//TRANSLIT";
    Converter fromUtf8(to.c_str(), "UTF-8");
    std::string bytes;
    std::size_t failedAt = 0;
    if (!fromUtf8.convert(text, bytes, failedAt))
        throw std::runtime_error("the text cannot be written in code page " +
                                 std::to_string(codePage));
    return bytes;
}

std::string toHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

std::optional<std::string> fromHex(std::string_view hex) {
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = digit(hex[i]);
        const int low = digit(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        std::uint32_t value = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            value = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            value = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            value = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            value = (value << 6) | (next & 0x3F);
        }
        const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
        if (overlong || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

} // namespace quillex::xliff
