// Start-up and shut-down: the static hooks, and the system facts CT_OS
// reads from uname.
#include "foundation/ct/ct_error_manager.h"
#include "foundation/ct/ct_init.h"
#include "foundation/ct/ct_os.h"

#include <gtest/gtest.h>

#include <sys/utsname.h>

using namespace quillex;

namespace {

int g_hookRuns = 0;
void countRun() {
    ++g_hookRuns;
}

} // namespace

TEST(CT_Init, InitRunsAtOnceAndExitWhenDestroyed) {
    g_hookRuns = 0;
    {
        const CT_Init init("Test", "countRun", countRun);
        EXPECT_EQ(g_hookRuns, 1);
        const CT_Exit exit("Test", "countRun", countRun);
        EXPECT_EQ(g_hookRuns, 1);
    }
    EXPECT_EQ(g_hookRuns, 2);
    // The static hooks made the program-wide error manager before main.
    EXPECT_NE(CT_ErrorManager::spo_Get(), nullptr);
}

TEST(CT_OS, ReleaseNumbersComeFromTheLeadingNumbersOfTheRelease) {
    struct Case {
        const char* release;
        unsigned major, minor, build;
    };
    const Case cases[] = {
        {"6.1.0-18-amd64", 6, 1, 0}, {"5.15.153.1-custom-build", 5, 15, 153},
        {"4.19", 4, 19, 0},          {"", 0, 0, 0},
        {"unknown", 0, 0, 0},
    };
    for (const Case& c : cases) {
        const CT_OS::Release numbers = CT_OS::so_ParseRelease(c.release);
        EXPECT_EQ(numbers.major, c.major) << c.release;
        EXPECT_EQ(numbers.minor, c.minor) << c.release;
        EXPECT_EQ(numbers.build, c.build) << c.release;
    }
}

TEST(CT_OS, LinuxAnswersNoToEveryWindowsQuestion) {
    utsname system{};
    ASSERT_EQ(uname(&system), 0);
    EXPECT_STREQ(CT_OS::sqccz_GetOsName(), system.sysname);
    EXPECT_STREQ(CT_OS::sqccz_GetOsVersionString(), system.version);
    EXPECT_EQ(CT_OS::sn_GetOsVersionMajor(), CT_OS::so_ParseRelease(system.release).major);
    EXPECT_EQ(CT_OS::seo_GetVersion(), CT_OSVersion::NotWindows);
    EXPECT_FALSE(CT_OS::sb_GetIsWindowsNT() || CT_OS::sb_GetIsWindows95() ||
                 CT_OS::sb_GetIsWindows95OSR2() || CT_OS::sb_GetIsWindows32s());
}
