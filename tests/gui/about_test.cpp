// The About page's lines and the facts they come from, and the file filters
// handed to the file dialogs.
#include "app/gui/about_lines.h"
#include "app/gui/about_page.h"
#include "app/gui/file_filter.h"
#include "app/gui/system_facts.h"
#include "foundation/string_table.h"
#include "support/temp_dir.h"

#include <QListWidget>
#include <gtest/gtest.h>

#include <filesystem>

using namespace quillex;

namespace {

TEST(AboutLinesTest, FactsBecomeTheOverviewLinesInWholeUnits) {
    SystemFacts facts;
    facts.memory = SystemFacts::Memory{8ull * 1024 * 1024 * 1024 + 1023, 1023, 3 * 1024, 0};
    facts.disk = SystemFacts::Disk{"/srv/data", 500ull * 1048576 + 1048575, 1048576};
    facts.system = SystemFacts::OperatingSystem{"Linux", "6.1.0-18-amd64", 6, 1};
    const std::vector<std::string> expected = {
        "System Settings Overview:",
        "Total Physical Memory: 8388608 KB",
        "Available Physical Memory: 0 KB",
        "Total Paging File Memory: 3 KB",
        "Available Paging File Memory: 0 KB",
        "Total Disk Space: 500 MB on /srv/data",
        "Available Disk Space: 1 MB on /srv/data",
        "Operating System: Linux 6.1.0-18-amd64",
        "Major version: 6",
        "Minor version: 1",
    };
    EXPECT_EQ(aboutLines(facts), expected);

    // Beyond what the messages' numbers hold, the largest they can show.
    facts.memory->totalPhysical = ~0ull;
    EXPECT_EQ(aboutLines(facts)[1], "Total Physical Memory: 2147483647 KB");
}

TEST(AboutLinesTest, MissingFactsGiveTheUnavailableAndUnknownLines) {
    const std::vector<std::string> lines = aboutLines(SystemFacts{});
    const std::vector<std::string> expected = {
        "System Settings Overview:",
        "Total Disk Space: Unavailable",
        "Available Disk Space: Unavailable",
        "Operating System: Unknown OS",
        "Major version: 0",
        "Minor version: 0",
    };
    EXPECT_EQ(lines, expected);
}

TEST(SystemFactsTest, MountPoints) {
    EXPECT_EQ(mountPointOf("/"), "/");
    // /proc is a file system of its own wherever the tests run.
    EXPECT_EQ(mountPointOf("/proc/self"), "/proc");
    quillex::testing::TempDir folder;
    const std::string mount = mountPointOf(folder.subfolder("a/b"));
    const std::string canonical = std::filesystem::canonical(folder.path()).string();
    EXPECT_EQ(canonical.rfind(mount, 0), 0u) << mount << " holds " << canonical;
}

TEST(SystemFactsTest, TheKernelGivesMemoryDiskAndSystem) {
    const SystemFacts facts = gatherSystemFacts("/");
    ASSERT_TRUE(facts.memory && facts.disk && facts.system);
    EXPECT_GT(facts.memory->totalPhysical, 0u);
    EXPECT_LE(facts.memory->availablePhysical, facts.memory->totalPhysical);
    EXPECT_LE(facts.memory->availableSwap, facts.memory->totalSwap);
    EXPECT_EQ(facts.disk->mountPoint, "/");
    EXPECT_GT(facts.disk->total, 0u);
    EXPECT_LE(facts.disk->available, facts.disk->total);
    EXPECT_EQ(facts.system->name, "Linux");
    EXPECT_GT(facts.system->major, 0);
    EXPECT_FALSE(gatherSystemFacts("/no/such/folder").disk);
}

TEST(AboutPageTest, TheListIsFilledWhenThePageIsFirstShown) {
    AboutPage page;
    EXPECT_EQ(page.overview()->count(), 0);
    page.show();
    ASSERT_GT(page.overview()->count(), 0);
    EXPECT_EQ(page.overview()->item(0)->text().toStdString(),
              loadString(MessageId::SystemOverview));
    const int count = page.overview()->count();
    page.hide();
    page.show();
    EXPECT_EQ(page.overview()->count(), count);
}

TEST(FileFilterTest, TableFiltersBecomeQtFiltersInBothCases) {
    EXPECT_EQ(qtFileFilter(loadString(MessageId::ForwardFileFilter)),
              "IASCII Files (*.DOC *.STY *.doc *.sty);;DOC Files (*.DOC *.doc);;"
              "STY Files (*.STY *.sty)");
    EXPECT_EQ(qtFileFilter(loadString(MessageId::TextFileFilter)), "Text Files (*.TXT *.txt)");
    EXPECT_EQ(qtFileFilter(""), "");
}

} // namespace
