// CT_UString: construction, type record and conversions into 16-bit text.
#include "foundation/ct/ct_ustring.h"

#include "foundation/ct/ct_cstring.h"
#include "foundation/ct/ct_format.h"
#include "foundation/ct/ct_string_convert.h"

namespace quillex {

CT_UString::CT_UString(std::u16string_view text) {
    v_Set(text);
}

CT_UString::CT_UString(const CT_CString& text) {
    v_Set(vo_UnitsOf(text));
}

const CT_Type* CT_UString::spcco_GetType() {
    static const CT_Type type("CT_UString", CT_String::spcco_GetType(), sizeof(CT_UString));
    return &type;
}

void* CT_UString::vpv_IsA(const CT_Type* type) {
    return type == spcco_GetType() ? this : nullptr;
}

void* CT_UString::vpv_IsKindOf(const CT_Type* type) {
    return spcco_GetType()->pv_CastTo(this, type);
}

void CT_UString::vv_FormatV(const char* format, va_list arguments) {
    const std::string text = CT_FormatVaList(format, arguments);
    Text wide;
    CT_StringConvert::si_AnsiToWide(text.data(), static_cast<int>(text.size()), wide);
    v_Set(wide);
}

CT_UString::Text CT_UString::vo_UnitsOf(const CT_String& other) const {
    const CT_Type* type = other.vpcco_GetType();
    if (type->b_IsKindOf(CT_UString::spcco_GetType()))
        return Text(static_cast<const CT_UString&>(other).o_View());
    Text wide;
    if (type->b_IsKindOf(CT_CString::spcco_GetType())) {
        const auto& multi = static_cast<const CT_CString&>(other);
        const auto bytes = multi.o_View();
        CT_StringConvert::si_MultiToWide(bytes.data(), static_cast<int>(bytes.size()),
                                         multi.n_GetCodePage(), wide);
    }
    return wide;
}

} // namespace quillex
