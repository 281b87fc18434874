// CT_OS: facts about the operating system, for the About page.
//
// The facts are read once, from uname: the kernel's name, its release
// (whose leading numbers give the major, minor and build numbers) and its
// version text. This is no Windows system, so the Windows family queries
// answer false.
#pragma once

#include "foundation/ct/ct_init.h"

#include <string_view>

namespace quillex {

enum class CT_OSVersion { NotWindows = 0, Win32s = 1, Windows95 = 2, WindowsNT = 4 };

class CT_OS {
  public:
    struct Release {
        unsigned major = 0;
        unsigned minor = 0;
        unsigned build = 0;
    };

    static CT_OSVersion seo_GetVersion();
    static bool sb_GetIsWindowsNT();
    static bool sb_GetIsWindows95();
    static bool sb_GetIsWindows95OSR2();
    static bool sb_GetIsWindows32s();
    static unsigned sn_GetOsVersionMajor();
    static unsigned sn_GetOsVersionMinor();
    static unsigned sn_GetOsVersionBuild();
    // The kernel's version text (where Windows gives its service pack).
    static const char* sqccz_GetOsVersionString();
    static const char* sqccz_GetOsName();
    static const char* sqccz_GetOsRelease();

    // The leading numbers of a release text such as "6.1.0-18-amd64".
    static Release so_ParseRelease(std::string_view release);
    // Reads the facts (the first query would otherwise).
    static void sv_Init();

    static CT_Init sco_Init;
};

} // namespace quillex
