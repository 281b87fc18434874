// Helpers of the Interleaf lexer and parser tests: temporary input files and
// a host that records the results lines.
#pragma once

#include "conversion/conversion_host.h"
#include "support/recording_host.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace quillex::testing {

using RecordingHost = quillex::testing::RecordingHost;

// A file holding `bytes`, removed when the object goes.
class TempFile {
  public:
    explicit TempFile(const std::string& bytes) {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("quillex_interleaf_" + std::to_string(::getpid()) + "_" +
                 std::to_string(counter++) + ".DOC");
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    std::string path() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

inline std::string interleafSample(const std::string& name) {
    return (std::filesystem::path(QUILLEX_TEST_DATA) / "interleaf" / name).string();
}

} // namespace quillex::testing
