// CT_String: the abstract base of the 8-bit and 16-bit strings.
//
// The shared operations take any CT_String as their argument: when the
// widths differ, the text is converted through the code page of the 8-bit
// string (CT_StringConvert). Indexes count characters (bytes or 16-bit
// units) from 0; an index past the text throws std::out_of_range; a search
// answers CT_NotFound on a miss.
#pragma once

#include "foundation/ct/ct_type.h"

#include <cstdarg>
#include <cstddef>

namespace quillex {

class CT_String {
  public:
    virtual ~CT_String() = default;

    static const CT_Type* spcco_GetType();
    virtual const CT_Type* vpcco_GetType() const = 0;
    // This object when its class is exactly `type`, else null.
    virtual void* vpv_IsA(const CT_Type* type) = 0;
    // This object when its class is `type` or derives from it, else null.
    virtual void* vpv_IsKindOf(const CT_Type* type) = 0;

    virtual std::size_t vn_GetLength() const = 0;
    // The length the string can reach before its buffer grows.
    virtual std::size_t vn_GetMaximumLength() const = 0;
    // A character (a byte or a 16-bit unit, as the string holds them).
    virtual unsigned vn_GetAt(std::size_t index) const = 0;
    // Throws std::invalid_argument for a value wider than the string's
    // characters.
    virtual void vv_SetAt(std::size_t index, unsigned character) = 0;

    virtual void vv_Replace(std::size_t index, std::size_t count, const CT_String& text) = 0;
    virtual void vv_Insert(std::size_t index, const CT_String& text) = 0;
    void v_Append(const CT_String& text) { vv_Insert(vn_GetLength(), text); }
    // Removes up to `count` characters from `index`.
    virtual void vv_Remove(std::size_t index, std::size_t count) = 0;

    virtual std::size_t vn_Find(unsigned character, std::size_t start = 0) const = 0;
    virtual std::size_t vn_Find(const CT_String& text, std::size_t start = 0) const = 0;
    // -1, 0 or 1 as this text sorts before, with or after `other`,
    // character values compared unsigned.
    virtual int vi_Compare(const CT_String& other) const = 0;
    // Wildcard match of the whole text: "*" matches any run, "?" any one
    // character.
    virtual bool vb_Match(const CT_String& pattern) const = 0;

    // Removes white space (blank, tab, line ends, form feed) from both ends,
    // the left or the right end; or the given characters from both ends.
    virtual void vv_Strip() = 0;
    virtual void vv_StripLeft() = 0;
    virtual void vv_StripRight() = 0;
    virtual void vv_StripCharacters(const CT_String& characters) = 0;
    // Replaces each character found in `from` by the character at the same
    // position in `to`; one without a counterpart stays.
    virtual void vv_Translate(const CT_String& from, const CT_String& to) = 0;
    // ASCII letters only: other letters depend on a language the text does
    // not carry.
    virtual void vv_ToLower() = 0;
    virtual void vv_ToUpper() = 0;

    // Replaces the text by the printf-style formatted text.
    void v_Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    virtual void vv_FormatV(const char* format, va_list arguments) = 0;

  protected:
    CT_String() = default;
    CT_String(const CT_String&) = default;
    CT_String& operator=(const CT_String&) = default;
};

} // namespace quillex
