// CT_OS: reading uname once.
#include "foundation/ct/ct_os.h"

#include <cctype>
#include <string>
#include <sys/utsname.h>

namespace quillex {
namespace {

struct Facts {
    std::string name;
    std::string release;
    std::string version;
    CT_OS::Release numbers;
};

const Facts& facts() {
    static const Facts read = [] {
        Facts facts;
        utsname system{};
        if (uname(&system) == 0) {
            facts.name = system.sysname;
            facts.release = system.release;
            facts.version = system.version;
        }
        facts.numbers = CT_OS::so_ParseRelease(facts.release);
        return facts;
    }();
    return read;
}

} // namespace

CT_Init CT_OS::sco_Init("CT_OS", "sv_Init", &CT_OS::sv_Init);

void CT_OS::sv_Init() {
    facts();
}

CT_OS::Release CT_OS::so_ParseRelease(std::string_view release) {
    const auto isDigit = [&](std::size_t at) {
        return at < release.size() && std::isdigit(static_cast<unsigned char>(release[at]));
    };
    unsigned parts[3] = {};
    std::size_t at = 0;
    for (unsigned& part : parts) {
        if (!isDigit(at))
            break;
        for (; isDigit(at); ++at)
            part = part * 10 + static_cast<unsigned>(release[at] - '0');
        if (at >= release.size() || release[at] != '.')
            break;
        ++at;
    }
    return {parts[0], parts[1], parts[2]};
}

CT_OSVersion CT_OS::seo_GetVersion() {
    return CT_OSVersion::NotWindows;
}

bool CT_OS::sb_GetIsWindowsNT() {
    return false;
}

bool CT_OS::sb_GetIsWindows95() {
    return false;
}

bool CT_OS::sb_GetIsWindows95OSR2() {
    return false;
}

bool CT_OS::sb_GetIsWindows32s() {
    return false;
}

unsigned CT_OS::sn_GetOsVersionMajor() {
    return facts().numbers.major;
}

unsigned CT_OS::sn_GetOsVersionMinor() {
    return facts().numbers.minor;
}

unsigned CT_OS::sn_GetOsVersionBuild() {
    return facts().numbers.build;
}

const char* CT_OS::sqccz_GetOsVersionString() {
    return facts().version.c_str();
}

const char* CT_OS::sqccz_GetOsName() {
    return facts().name.c_str();
}

const char* CT_OS::sqccz_GetOsRelease() {
    return facts().release.c_str();
}

} // namespace quillex
