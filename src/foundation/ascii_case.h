// Upper-casing names the way the system compares them: file names and
// extensions are compared without regard to case, letter by ASCII letter
// (bytes of other code pages stay as they are, whatever the locale).
#pragma once

#include <string>
#include <string_view>

namespace quillex {

inline std::string upperCaseAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

} // namespace quillex
