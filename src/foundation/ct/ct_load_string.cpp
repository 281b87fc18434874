// CT_LoadString: texts of the program's string table or another module.
#include "foundation/ct/ct_load_string.h"

#include "foundation/ct/ct_cstring.h"
#include "foundation/ct/ct_format.h"
#include "foundation/ct/ct_string_convert.h"
#include "foundation/ct/ct_ustring.h"
#include "foundation/string_table.h"

namespace quillex {

std::string_view CT_ProgramStrings(int stringId) {
    return loadString(static_cast<MessageId>(stringId));
}

std::string CT_LoadString::so_GetText(CT_Module module, int stringId) {
    const std::string_view text = (module != nullptr ? module : CT_ProgramStrings)(stringId);
    return std::string(text.substr(0, n_MaxLength));
}

void CT_LoadString::sv_LoadString(CT_CString& string, CT_Module module, int stringId) {
    string.v_Set(so_GetText(module, stringId));
}

void CT_LoadString::sv_LoadString(CT_UString& string, CT_Module module, int stringId) {
    const std::string text = so_GetText(module, stringId);
    std::u16string wide;
    CT_StringConvert::si_AnsiToWide(text.data(), static_cast<int>(text.size()), wide);
    string.v_Set(wide);
}

void CT_LoadString::sv_LoadStringVA(CT_CString& string, CT_Module module, int stringId, ...) {
    va_list arguments;
    va_start(arguments, stringId);
    sv_LoadStringVaList(string, module, stringId, arguments);
    va_end(arguments);
}

void CT_LoadString::sv_LoadStringVaList(CT_CString& string, CT_Module module, int stringId,
                                        va_list arguments) {
    string.v_Set(CT_FormatVaList(so_GetText(module, stringId).c_str(), arguments));
}

} // namespace quillex
