// CT_String: the type record of the base and the variadic formatter.
#include "foundation/ct/ct_string.h"

namespace quillex {

const CT_Type* CT_String::spcco_GetType() {
    static constinit CT_Type type("CT_String", nullptr, sizeof(CT_String));
    return &type;
}

void CT_String::v_Format(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    vv_FormatV(format, arguments);
    va_end(arguments);
}

} // namespace quillex
