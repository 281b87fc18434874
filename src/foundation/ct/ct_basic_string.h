// CT_BasicString: the shared operations of CT_CString (char) and
// CT_UString (char16_t) over a CT_Buffer.
//
// The text lives in a buffer of granularity 32 and always ends with a zero
// character, so that qccz_/qcuz_ texts can be handed out directly. Copies
// share the buffer until one of them writes.
#pragma once

#include "foundation/ct/ct_buffer.h"
#include "foundation/ct/ct_string.h"

#include <string>
#include <string_view>

namespace quillex {

template <class Char> class CT_BasicString : public CT_String {
  public:
    using View = std::basic_string_view<Char>;
    using Text = std::basic_string<Char>;
    static constexpr std::size_t n_Granularity = 32;

    View o_View() const { return View(pczText(), vn_GetLength()); }
    // The text with its terminating zero.
    const Char* pczText() const;
    void v_Set(View text);

    std::size_t vn_GetLength() const override;
    std::size_t vn_GetMaximumLength() const override;
    unsigned vn_GetAt(std::size_t index) const override;
    void vv_SetAt(std::size_t index, unsigned character) override;
    void vv_Replace(std::size_t index, std::size_t count, const CT_String& text) override;
    void vv_Insert(std::size_t index, const CT_String& text) override;
    void vv_Remove(std::size_t index, std::size_t count) override;
    std::size_t vn_Find(unsigned character, std::size_t start = 0) const override;
    std::size_t vn_Find(const CT_String& text, std::size_t start = 0) const override;
    int vi_Compare(const CT_String& other) const override;
    bool vb_Match(const CT_String& pattern) const override;
    void vv_Strip() override;
    void vv_StripLeft() override;
    void vv_StripRight() override;
    void vv_StripCharacters(const CT_String& characters) override;
    void vv_Translate(const CT_String& from, const CT_String& to) override;
    void vv_ToLower() override;
    void vv_ToUpper() override;

  protected:
    CT_BasicString() : buffer_(n_Granularity * sizeof(Char)) {}

    // The characters of `other` in this string's width.
    virtual Text vo_UnitsOf(const CT_String& other) const = 0;
    // True when `unit` leads a two-byte character whose second byte case
    // mapping must leave alone.
    virtual bool vb_LeadsDoubleByte(Char /*unit*/) const { return false; }

  private:
    void v_CheckCharacter(std::size_t index) const;
    void v_CheckPosition(std::size_t index, std::size_t last) const;
    void v_InsertUnits(std::size_t index, View units);
    void v_StripWhere(View characters, bool left, bool right);
    template <class Map> void v_MapCharacters(Map map);

    CT_Buffer buffer_;
};

extern template class CT_BasicString<char>;
extern template class CT_BasicString<char16_t>;

} // namespace quillex
