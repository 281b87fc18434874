// CT_FormatVaList: printf-style formatting of an argument list into a
// std::string, for the CT_ operations that take "arguments…".
//
// Formats are texts of the program (string-table entries or literals),
// never input.
#pragma once

#include <cstdarg>
#include <string>

namespace quillex {

std::string CT_FormatVaList(const char* format, va_list arguments);

} // namespace quillex
