// What the fuzz targets share: scratch folders, a silent host and a loud
// stop when a promise is broken. Result codes are checked against
// result::isResultCode, the table the product keeps.
#pragma once

#include "conversion/conversion_host.h"
#include "conversion/result_code.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace quillex::fuzz {

// Stops the process so that libFuzzer keeps the input as a crash.
[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "\nquillex fuzz target: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

// A process-wide scratch folder on a memory file system when there is one,
// removed at exit. Sub-folders end with "/".
class ScratchFolder {
  public:
    static ScratchFolder& instance() {
        static ScratchFolder folder;
        return folder;
    }
    std::string subfolder(const std::string& name) const {
        std::filesystem::create_directories(root_ / name);
        return (root_ / name).string() + "/";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

  private:
    ScratchFolder() {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? "/dev/shm"
                                               : std::filesystem::temp_directory_path();
        root_ = base / ("quillex-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root_);
    }
    std::filesystem::path root_;
};

inline void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        fail("cannot write the scratch file " + path);
}

// Names in a folder, sorted.
inline std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text.empty() ? "(nothing)" : text;
}

inline void emptyFolder(const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::remove_all(entry.path());
}

// Counts progress steps; never cancels; answers every question with Yes.
class CountingHost : public ConversionHost {
  public:
    int batchSteps = 0;
    void progressStep(bool, bool skipBatchBar) override { batchSteps += skipBatchBar ? 0 : 1; }
    void appendResult(const std::string&) override {}
    bool isCancelled() const override { return false; }
    Answer ask(const std::string&, bool) override { return Answer::Yes; }
};

} // namespace quillex::fuzz
