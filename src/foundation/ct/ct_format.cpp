// CT_FormatVaList: measure, then format.
#include "foundation/ct/ct_format.h"

#include <cstdio>

namespace quillex {

std::string CT_FormatVaList(const char* format, va_list arguments) {
    if (format == nullptr)
        return {};
    va_list measure;
    va_copy(measure, arguments);
    const int size = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (size <= 0)
        return {};
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, arguments);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

} // namespace quillex
