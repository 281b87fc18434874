// CT_LoadString: numbered texts of a module, loaded and formatted.
//
// A module is where numbered texts come from: a function from a number to
// its text. The program's own module is its string table; a null module
// means that one. A number the module lacks gives an empty text.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace quillex {

class CT_CString;
class CT_UString;

using CT_Module = std::string_view (*)(int stringId);

// The program's string table as a module.
std::string_view CT_ProgramStrings(int stringId);

class CT_LoadString {
  public:
    // Longer texts are cut to this many characters.
    static constexpr std::size_t n_MaxLength = 2048;

    // Text `stringId` of `module`, cut to n_MaxLength.
    static std::string so_GetText(CT_Module module, int stringId);

    static void sv_LoadString(CT_CString& string, CT_Module module, int stringId);
    // The 16-bit form, widened through the ANSI code page.
    static void sv_LoadString(CT_UString& string, CT_Module module, int stringId);
    // Loads text `stringId` and formats it printf-style with the arguments.
    static void sv_LoadStringVA(CT_CString& string, CT_Module module, int stringId, ...);
    static void sv_LoadStringVaList(CT_CString& string, CT_Module module, int stringId,
                                    va_list arguments);
};

} // namespace quillex
