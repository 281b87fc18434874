// CT_BasicString: the shared string operations, instantiated for 8-bit and
// 16-bit characters.
#include "foundation/ct/ct_basic_string.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <type_traits>

namespace quillex {
namespace {

// What vv_Strip removes.
template <class Char> constexpr Char kWhiteSpace[] = {' ', '\t', '\r', '\n', '\f', '\v'};

constexpr char kAnyRun = '*';
constexpr char kAnyOne = '?';

template <class Char> bool isWhiteSpace(Char c) {
    return std::find(std::begin(kWhiteSpace<Char>), std::end(kWhiteSpace<Char>), c) !=
           std::end(kWhiteSpace<Char>);
}

template <class Char> Char toLowerAscii(Char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

template <class Char> Char toUpperAscii(Char c) {
    return c >= 'a' && c <= 'z' ? static_cast<Char>(c - 'a' + 'A') : c;
}

// Greedy wildcard match with one back-tracking point, linear in practice.
template <class Char>
bool matchesWildcard(std::basic_string_view<Char> text, std::basic_string_view<Char> pattern) {
    std::size_t t = 0, p = 0;
    std::size_t star = std::basic_string_view<Char>::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == kAnyOne || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == kAnyRun) {
            star = p++;
            resume = t;
        } else if (star != std::basic_string_view<Char>::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == kAnyRun)
        ++p;
    return p == pattern.size();
}

} // namespace

template <class Char> const Char* CT_BasicString<Char>::pczText() const {
    static constexpr Char kEmpty[1] = {};
    const auto* data = reinterpret_cast<const Char*>(buffer_.pcuc_GetData());
    return data != nullptr ? data : kEmpty;
}

template <class Char> void CT_BasicString<Char>::v_Set(View text) {
    if (text.empty()) {
        buffer_.v_Empty();
        return;
    }
    Text terminated(text);
    terminated.push_back(Char());
    buffer_.v_Set(terminated.data(), terminated.size() * sizeof(Char));
}

template <class Char> std::size_t CT_BasicString<Char>::vn_GetLength() const {
    const std::size_t units = buffer_.n_GetUsedSize() / sizeof(Char);
    return units > 0 ? units - 1 : 0;
}

template <class Char> std::size_t CT_BasicString<Char>::vn_GetMaximumLength() const {
    const std::size_t units = buffer_.n_GetMaximumSize() / sizeof(Char);
    return units > 0 ? units - 1 : 0;
}

template <class Char>
void CT_BasicString<Char>::v_CheckPosition(std::size_t index, std::size_t last) const {
    if (index > last)
        throw std::out_of_range("CT_String: index past the text");
}

template <class Char> void CT_BasicString<Char>::v_CheckCharacter(std::size_t index) const {
    if (index >= vn_GetLength())
        throw std::out_of_range("CT_String: index past the text");
}

template <class Char> unsigned CT_BasicString<Char>::vn_GetAt(std::size_t index) const {
    v_CheckCharacter(index);
    return static_cast<std::make_unsigned_t<Char>>(pczText()[index]);
}

template <class Char> void CT_BasicString<Char>::vv_SetAt(std::size_t index, unsigned character) {
    v_CheckCharacter(index);
    if (character > std::numeric_limits<std::make_unsigned_t<Char>>::max())
        throw std::invalid_argument("CT_String: character wider than the string's");
    const auto unit = static_cast<Char>(character);
    buffer_.v_Replace(index * sizeof(Char), &unit, sizeof(Char));
}

template <class Char>
void CT_BasicString<Char>::vv_Replace(std::size_t index, std::size_t count, const CT_String& text) {
    // Converted first: `text` may be this string.
    const Text units = vo_UnitsOf(text);
    vv_Remove(index, count);
    v_InsertUnits(index, units);
}

template <class Char>
void CT_BasicString<Char>::vv_Insert(std::size_t index, const CT_String& text) {
    v_CheckPosition(index, vn_GetLength());
    v_InsertUnits(index, vo_UnitsOf(text));
}

template <class Char> void CT_BasicString<Char>::v_InsertUnits(std::size_t index, View units) {
    if (units.empty())
        return;
    if (buffer_.n_GetUsedSize() == 0) {
        v_Set(units);
        return;
    }
    // Before the terminating zero, which stays last.
    buffer_.v_Insert(index * sizeof(Char), units.data(), units.size() * sizeof(Char));
}

template <class Char> void CT_BasicString<Char>::vv_Remove(std::size_t index, std::size_t count) {
    const std::size_t length = vn_GetLength();
    v_CheckPosition(index, length);
    count = std::min(count, length - index);
    buffer_.v_Remove(index * sizeof(Char), count * sizeof(Char));
}

template <class Char>
std::size_t CT_BasicString<Char>::vn_Find(unsigned character, std::size_t start) const {
    if (character > std::numeric_limits<std::make_unsigned_t<Char>>::max())
        return CT_NotFound;
    return o_View().find(static_cast<Char>(character), start);
}

template <class Char>
std::size_t CT_BasicString<Char>::vn_Find(const CT_String& text, std::size_t start) const {
    return o_View().find(vo_UnitsOf(text), start);
}

template <class Char> int CT_BasicString<Char>::vi_Compare(const CT_String& other) const {
    const int order = o_View().compare(vo_UnitsOf(other));
    return (order > 0) - (order < 0);
}

template <class Char> bool CT_BasicString<Char>::vb_Match(const CT_String& pattern) const {
    const Text units = vo_UnitsOf(pattern);
    return matchesWildcard(o_View(), View(units));
}

template <class Char>
void CT_BasicString<Char>::v_StripWhere(View characters, bool left, bool right) {
    const View text = o_View();
    const auto strips = [&](Char c) {
        return characters.empty() ? isWhiteSpace(c) : characters.find(c) != View::npos;
    };
    std::size_t end = text.size();
    while (right && end > 0 && strips(text[end - 1]))
        --end;
    std::size_t begin = 0;
    while (left && begin < end && strips(text[begin]))
        ++begin;
    vv_Remove(end, text.size() - end);
    vv_Remove(0, begin);
}

template <class Char> void CT_BasicString<Char>::vv_Strip() {
    v_StripWhere({}, true, true);
}

template <class Char> void CT_BasicString<Char>::vv_StripLeft() {
    v_StripWhere({}, true, false);
}

template <class Char> void CT_BasicString<Char>::vv_StripRight() {
    v_StripWhere({}, false, true);
}

template <class Char> void CT_BasicString<Char>::vv_StripCharacters(const CT_String& characters) {
    const Text set = vo_UnitsOf(characters);
    if (!set.empty())
        v_StripWhere(set, true, true);
}

// Applies `map` to each character in place; the second byte of a
// double-byte character is not a character of its own and is skipped.
template <class Char> template <class Map> void CT_BasicString<Char>::v_MapCharacters(Map map) {
    const std::size_t length = vn_GetLength();
    if (length == 0)
        return;
    auto* text = reinterpret_cast<Char*>(buffer_.puc_GetData());
    for (std::size_t i = 0; i < length; ++i) {
        if (vb_LeadsDoubleByte(text[i]))
            ++i;
        else
            text[i] = map(text[i]);
    }
}

template <class Char>
void CT_BasicString<Char>::vv_Translate(const CT_String& from, const CT_String& to) {
    const Text source = vo_UnitsOf(from);
    const Text target = vo_UnitsOf(to);
    v_MapCharacters([&](Char c) {
        const std::size_t at = source.find(c);
        return at < target.size() ? target[at] : c;
    });
}

template <class Char> void CT_BasicString<Char>::vv_ToLower() {
    v_MapCharacters(toLowerAscii<Char>);
}

template <class Char> void CT_BasicString<Char>::vv_ToUpper() {
    v_MapCharacters(toUpperAscii<Char>);
}

template class CT_BasicString<char>;
template class CT_BasicString<char16_t>;

} // namespace quillex
