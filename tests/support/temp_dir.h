// A temporary directory for one test, removed with everything in it.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <string>
#include <vector>

namespace quillex::testing {

class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillex-test-XXXXXX");
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory with a trailing "/".
    std::string folder() const { return path_.string() + "/"; }

    // Makes a subdirectory and returns it with a trailing "/".
    std::string subfolder(const std::string& name) const {
        std::filesystem::create_directories(path_ / name);
        return (path_ / name).string() + "/";
    }

    std::string write(const std::string& name, const std::string& bytes) const {
        const auto file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }

  private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Names in a directory, sorted.
inline std::vector<std::string> listFolder(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace quillex::testing
