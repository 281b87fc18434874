// CT_UString: 16-bit text (UTF-16 units, surrogates not combined).
#pragma once

#include "foundation/ct/ct_basic_string.h"

namespace quillex {

class CT_CString;

class CT_UString : public CT_BasicString<char16_t> {
  public:
    CT_UString() : CT_UString(std::u16string_view()) {}
    explicit CT_UString(std::u16string_view text);
    // `text` converted through its code page.
    explicit CT_UString(const CT_CString& text);

    static const CT_Type* spcco_GetType();
    const CT_Type* vpcco_GetType() const override { return spcco_GetType(); }
    void* vpv_IsA(const CT_Type* type) override;
    void* vpv_IsKindOf(const CT_Type* type) override;

    const char16_t* qcuz_GetText() const { return pczText(); }

    // Formats with the 8-bit printf rules and widens the result through the
    // ANSI code page.
    void vv_FormatV(const char* format, va_list arguments) override;

  protected:
    Text vo_UnitsOf(const CT_String& other) const override;

  private:
    CT_TypeTracking tracking_{spcco_GetType()};
};

} // namespace quillex
