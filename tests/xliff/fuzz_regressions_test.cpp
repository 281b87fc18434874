// The inputs that fuzzing the XLIFF import kept (its artifacts and the
// corpus it grew), replayed against the same source QMX files: each is
// refused with a message or imported with the sources' lines and prefixes.
#include "foundation/file_error.h"
#include "support/temp_dir.h"
#include "xliff/qmx_line.h"
#include "xliff/qmx_source.h"
#include "xliff/xliff_files.h"
#include "xliff/xliff_import.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillex;

namespace {

const std::string kSources = std::string(QUILLEX_TEST_DATA) + "/xliff/sources/";
const std::string kInputs = std::string(QUILLEX_TEST_DATA) + "/fuzz-regressions/fuzz_xliff_import";

// Whether the import of `input` ends in a refusal with a message, or with
// files that keep every fixed prefix of their sources.
void expectRefusedOrSound(const std::string& input, const std::string& output) {
    std::vector<std::string> written;
    try {
        written = xliff::importFromXliff(input, kSources, output);
    } catch (const std::runtime_error& refusal) {
        EXPECT_NE(std::string(refusal.what()), "");
        return;
    }
    for (const std::string& path : written) {
        const std::string name = std::filesystem::path(path).filename();
        const auto source = xliff::readQmxSource(kSources + name);
        const auto imported = xliff::readQmxSource(path);
        ASSERT_EQ(imported.lines.size(), source.lines.size()) << name;
        for (std::size_t i = 0; i < source.lines.size(); ++i) {
            if (const auto line = xliff::splitQmxLine(source.lines[i])) {
                EXPECT_TRUE(imported.lines[i].starts_with(line->prefix)) << name << " " << i + 1;
            }
        }
    }
}

} // namespace

TEST(XliffFuzzRegressions, EveryKeptInputIsRefusedOrImportedSoundly) {
    quillex::testing::TempDir work;
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kInputs)) {
        SCOPED_TRACE(entry.path().string());
        expectRefusedOrSound(entry.path(), work.subfolder("out" + std::to_string(replayed)));
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

// The search for the first byte that is not UTF-8 stood still on a run of
// continuation bytes in the first half of the file, and never ended.
TEST(XliffFuzzRegressions, BytesThatAreNotUtf8AreFoundAnywhere) {
    quillex::testing::TempDir work;
    try {
        xliff::importFromXliff(kInputs + "/search-for-invalid-utf8.xlf", kSources,
                               work.subfolder("out"));
        FAIL() << "imported";
    } catch (const xliff::XliffError& error) {
        EXPECT_NE(std::string(error.what()).find("the bytes are not UTF-8"), std::string::npos)
            << error.what();
    }
}
