// CT_UTF: UTF-8 and UTF-7 (RFC 2152) over 16-bit units.
#include "foundation/ct/ct_utf.h"

#include <array>
#include <cstdint>

namespace quillex {
namespace {

// --- UTF-8 ---

// A lead byte's range, the length of its sequence, the smallest value the
// sequence may carry (a smaller one is an overlong form) and its value bits.
struct Utf8Lead {
    unsigned char first;
    unsigned char last;
    std::size_t length;
    char32_t minimum;
    unsigned char valueBits;
};
constexpr Utf8Lead kUtf8Leads[] = {
    {0x00, 0x7F, 1, 0x0, 0x7F},
    {0xC2, 0xDF, 2, 0x80, 0x1F},
    {0xE0, 0xEF, 3, 0x800, 0x0F},
    {0xF0, 0xF4, 4, 0x10000, 0x07},
};
constexpr char32_t kLargestCodePoint = 0x10FFFF;
constexpr unsigned char kContinuationMark = 0x80;
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationBits = 0x3F;

const Utf8Lead* findLead(unsigned char byte) {
    for (const Utf8Lead& lead : kUtf8Leads)
        if (byte >= lead.first && byte <= lead.last)
            return &lead;
    return nullptr;
}

// Decodes the sequence at `at`; 0 when it is not a valid one.
std::size_t decodeUtf8(std::string_view utf8, std::size_t at, char32_t& value) {
    const Utf8Lead* lead = findLead(static_cast<unsigned char>(utf8[at]));
    if (lead == nullptr || utf8.size() - at < lead->length)
        return 0;
    value = static_cast<unsigned char>(utf8[at]) & lead->valueBits;
    for (std::size_t i = 1; i < lead->length; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[at + i]);
        if ((byte & kContinuationMask) != kContinuationMark)
            return 0;
        value = value << 6 | (byte & kContinuationBits);
    }
    return value < lead->minimum || value > kLargestCodePoint ? 0 : lead->length;
}

void appendCodePoint(char32_t value, std::u16string& wide) {
    if (value < 0x10000) {
        wide += static_cast<char16_t>(value);
        return;
    }
    value -= 0x10000;
    wide += static_cast<char16_t>(0xD800 | value >> 10);
    wide += static_cast<char16_t>(0xDC00 | (value & 0x3FF));
}

// --- UTF-7 ---

// Written as themselves: RFC 2152's direct and optional direct characters
// and the white space it allows.
constexpr std::string_view kUtf7Direct = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                         "0123456789'(),-./:? \t\r\n!\"#$%&*;<=>@[]^_`{|}";
constexpr std::string_view kBase64Digits =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kShiftIn = '+';
constexpr char kShiftOut = '-';
constexpr int kNotBase64 = -1;

constexpr auto kIsDirect = [] {
    std::array<bool, 128> table{};
    for (char c : kUtf7Direct)
        table[static_cast<unsigned char>(c)] = true;
    return table;
}();

constexpr auto kBase64Value = [] {
    std::array<int, 128> table{};
    table.fill(kNotBase64);
    for (std::size_t i = 0; i < kBase64Digits.size(); ++i)
        table[static_cast<unsigned char>(kBase64Digits[i])] = static_cast<int>(i);
    return table;
}();

bool isDirect(char16_t unit) {
    return unit < kIsDirect.size() && kIsDirect[unit];
}

int base64Value(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < kBase64Value.size() ? kBase64Value[byte] : kNotBase64;
}

// Writes the units from `at` that need base64, up to the next direct
// character or plus sign, as one "+...-" run; returns where it stopped.
std::size_t encodeUtf7Run(std::u16string_view wide, std::size_t at, std::string& utf7) {
    utf7 += kShiftIn;
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (; at < wide.size() && !isDirect(wide[at]) && wide[at] != kShiftIn; ++at) {
        bits = bits << 16 | wide[at];
        bitCount += 16;
        while (bitCount >= 6) {
            bitCount -= 6;
            utf7 += kBase64Digits[bits >> bitCount & 0x3F];
        }
    }
    if (bitCount > 0)
        utf7 += kBase64Digits[bits << (6 - bitCount) & 0x3F];
    utf7 += kShiftOut;
    return at;
}

// Decodes the base64 digits from `at` into units; returns where they end.
std::size_t decodeUtf7Run(std::string_view utf7, std::size_t at, std::u16string& wide) {
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (; at < utf7.size() && base64Value(utf7[at]) != kNotBase64; ++at) {
        bits = (bits << 6 | static_cast<std::uint32_t>(base64Value(utf7[at]))) & 0x3FFFFF;
        bitCount += 6;
        if (bitCount >= 16) {
            bitCount -= 16;
            wide += static_cast<char16_t>(bits >> bitCount);
        }
    }
    // A "-" ends the run and is no character of its own; leftover bits are
    // the padding.
    if (at < utf7.size() && utf7[at] == kShiftOut)
        ++at;
    return at;
}

} // namespace

void CT_UTF::sv_WideToUTF8(std::u16string_view wide, std::string& utf8) {
    utf8.clear();
    for (char16_t unit : wide) {
        if (unit < 0x80) {
            utf8 += static_cast<char>(unit);
        } else if (unit < 0x800) {
            utf8 += static_cast<char>(0xC0 | unit >> 6);
            utf8 += static_cast<char>(kContinuationMark | (unit & kContinuationBits));
        } else {
            utf8 += static_cast<char>(0xE0 | unit >> 12);
            utf8 += static_cast<char>(kContinuationMark | (unit >> 6 & kContinuationBits));
            utf8 += static_cast<char>(kContinuationMark | (unit & kContinuationBits));
        }
    }
}

void CT_UTF::sv_UTF8ToWide(std::string_view utf8, std::u16string& wide) {
    wide.clear();
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t value = 0;
        const std::size_t length = decodeUtf8(utf8, at, value);
        if (length == 0) {
            wide += us_Replacement;
            ++at;
            continue;
        }
        appendCodePoint(value, wide);
        at += length;
    }
}

void CT_UTF::sv_WideToUTF7(std::u16string_view wide, std::string& utf7) {
    utf7.clear();
    for (std::size_t at = 0; at < wide.size();) {
        if (isDirect(wide[at])) {
            utf7 += static_cast<char>(wide[at++]);
        } else if (wide[at] == kShiftIn) {
            utf7 += kShiftIn;
            utf7 += kShiftOut;
            ++at;
        } else {
            at = encodeUtf7Run(wide, at, utf7);
        }
    }
}

void CT_UTF::sv_UTF7ToWide(std::string_view utf7, std::u16string& wide) {
    wide.clear();
    for (std::size_t at = 0; at < utf7.size();) {
        const auto byte = static_cast<unsigned char>(utf7[at++]);
        if (byte > 0x7F) {
            wide += us_Replacement;
        } else if (byte != kShiftIn) {
            wide += static_cast<char16_t>(byte);
        } else if (at < utf7.size() && utf7[at] == kShiftOut) {
            wide += static_cast<char16_t>(kShiftIn);
            ++at;
        } else {
            at = decodeUtf7Run(utf7, at, wide);
        }
    }
}

} // namespace quillex
