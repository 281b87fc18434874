// CT_CString: 8-bit text with the code page it is written in.
//
// The code page decides how the text converts to and from 16-bit text and
// which bytes lead a double-byte character.
#pragma once

#include "foundation/ct/ct_basic_string.h"
#include "foundation/ct/ct_string_convert.h"

namespace quillex {

class CT_UString;

class CT_CString : public CT_BasicString<char> {
  public:
    CT_CString() : CT_CString(std::string_view()) {}
    explicit CT_CString(std::string_view text,
                        int codePage = CT_StringConvert::si_GetAnsiCodePage());
    // `text` converted into `codePage`.
    CT_CString(const CT_UString& text, int codePage);

    static const CT_Type* spcco_GetType();
    const CT_Type* vpcco_GetType() const override { return spcco_GetType(); }
    void* vpv_IsA(const CT_Type* type) override;
    void* vpv_IsKindOf(const CT_Type* type) override;

    const char* qccz_GetText() const { return pczText(); }
    int n_GetCodePage() const { return codePage_; }
    // Changes what the bytes mean, not the bytes.
    void v_SetCodePage(int codePage) { codePage_ = codePage; }

    void vv_FormatV(const char* format, va_list arguments) override;

  protected:
    Text vo_UnitsOf(const CT_String& other) const override;
    bool vb_LeadsDoubleByte(char unit) const override;

  private:
    int codePage_;
    CT_TypeTracking tracking_{spcco_GetType()};
};

} // namespace quillex
