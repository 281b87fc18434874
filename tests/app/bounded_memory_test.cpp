// Memory stays linear in the input: runs that once took memory with the
// square of a segment's tags, or as much as a number in the file said, finish
// under an address-space limit (set with ulimit in the child's shell) far
// below what that would need.
#include "support/command_run.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using quillex::testing::readFile;
using quillex::testing::TempDir;
using ShellRun = quillex::testing::CommandRun;

namespace {

// Runs `script` in the shell: what it prints and how it exits.
ShellRun shell(const std::string& script) {
    return quillex::testing::runCommand(script);
}

const char* kDocument = "<!OPS, Version = 8.0>\n\n<!Document,\n\tFinal Output Device =\t\"ps\">\n\n"
                        "<!End Declarations>\n\n<\"para\">\n\nText.\n";

// A limit that the run needs a fraction of, and that one copy of the segment
// per finding (20,000 findings of an 80 kB segment: 1.6 GB) passes.
constexpr int kLimitKilobytes = 1024 * 1024;
constexpr int kAddedTags = 20000;
// A finding of a machine-readable report shows at most this much of its
// segment, and a little more around it.
constexpr std::size_t kLongestSegmentShownInReports = 8192;

// AddressSanitizer reserves terabytes of address space for its shadow memory,
// so under it the limit would stop every run at its start: there the runs go
// without it, and the findings are still checked in full.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceLimited = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSpaceLimited = false;
#else
constexpr bool kAddressSpaceLimited = true;
#endif
#else
constexpr bool kAddressSpaceLimited = true;
#endif

std::string quillexLimited(const TempDir& work, const std::string& arguments) {
    const std::string limit =
        kAddressSpaceLimited ? "ulimit -v " + std::to_string(kLimitKilobytes) + " && " : "";
    return "cd '" + work.folder() + "' && " + limit + "XDG_CONFIG_HOME='" + work.folder() +
           "config' '" + QUILLEX_CLI + "' " + arguments + " </dev/null 2>&1";
}

} // namespace

TEST(BoundedMemory, VerificationOfManyTagsAddedToOneSegment) {
    TempDir work;
    work.write("src/a.DOC", kDocument);
    const ShellRun forward = shell(quillexLimited(
        work, "forward --format txt --org-dir org --translated-dir org --ancillary no src/a.DOC"));
    ASSERT_EQ(forward.status, 0) << forward.output;
    std::string translation = readFile(work.folder() + "org/a.TXT");
    std::string tags;
    for (int i = 0; i < kAddedTags; ++i)
        tags += "<:t>";
    const std::size_t text = translation.find("Text.");
    ASSERT_NE(text, std::string::npos) << translation;
    translation.insert(text + 5, tags);
    work.write("tr/a.TXT", translation);

    const ShellRun verify = shell(quillexLimited(
        work, "verify --format txt --source-dir org --fail-on warning --report json tr/a.TXT"));
    EXPECT_EQ(verify.status, 1) << verify.output.substr(0, 2000);
    EXPECT_NE(verify.output.find("Tag changes"), std::string::npos)
        << verify.output.substr(0, 2000);
    // Every finding is reported, each with the start of its segment.
    const std::string json = readFile(work.folder() + "tr/a.json");
    EXPECT_NE(json.find("\"number\": " + std::to_string(kAddedTags) + ","), std::string::npos)
        << json.substr(0, 2000);
    EXPECT_LT(json.size(), std::size_t{kAddedTags} * kLongestSegmentShownInReports);
}
