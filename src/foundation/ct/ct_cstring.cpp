// CT_CString: construction, type record and conversions into 8-bit text.
#include "foundation/ct/ct_cstring.h"

#include "foundation/ct/ct_format.h"
#include "foundation/ct/ct_ustring.h"

namespace quillex {

CT_CString::CT_CString(std::string_view text, int codePage) : codePage_(codePage) {
    v_Set(text);
}

CT_CString::CT_CString(const CT_UString& text, int codePage)
    : CT_CString(std::string_view(), codePage) {
    v_Set(vo_UnitsOf(text));
}

const CT_Type* CT_CString::spcco_GetType() {
    static const CT_Type type("CT_CString", CT_String::spcco_GetType(), sizeof(CT_CString));
    return &type;
}

void* CT_CString::vpv_IsA(const CT_Type* type) {
    return type == spcco_GetType() ? this : nullptr;
}

void* CT_CString::vpv_IsKindOf(const CT_Type* type) {
    return spcco_GetType()->pv_CastTo(this, type);
}

void CT_CString::vv_FormatV(const char* format, va_list arguments) {
    v_Set(CT_FormatVaList(format, arguments));
}

CT_CString::Text CT_CString::vo_UnitsOf(const CT_String& other) const {
    const CT_Type* type = other.vpcco_GetType();
    if (type->b_IsKindOf(CT_CString::spcco_GetType()))
        return Text(static_cast<const CT_CString&>(other).o_View());
    Text multi;
    if (type->b_IsKindOf(CT_UString::spcco_GetType())) {
        const auto wide = static_cast<const CT_UString&>(other).o_View();
        CT_StringConvert::si_WideToMulti(wide.data(), static_cast<int>(wide.size()), codePage_,
                                         multi);
    }
    return multi;
}

bool CT_CString::vb_LeadsDoubleByte(char unit) const {
    return CT_StringConvert::sb_IsLeadByte(static_cast<unsigned char>(unit), codePage_);
}

} // namespace quillex
