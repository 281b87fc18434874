// TempDir: a private temporary folder for one test, removed with everything
// in it when the test ends.
#pragma once

#include "support/file_contents.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <system_error>

namespace quillex::testing {

class TempDir {
  public:
    // A fresh name from mkdtemp, so that tests running side by side never
    // share a folder. A test cannot go on without it: failing to make one
    // throws, and the test fails with the reason.
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quillex-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
        path_ = pattern;
    }
    // A test may have taken the folder's write permission away; it is given
    // back first so that the contents can be removed.
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // The folder with a trailing "/", as the conversion options take folders.
    std::string folder() const { return path_.string() + "/"; }

    // The path of `name` inside the folder; nothing is made.
    std::string file(std::string_view name) const { return (path_ / name).string(); }

    // Makes a subfolder (and those above it) and returns it with a trailing "/".
    std::string subfolder(std::string_view name) const {
        std::filesystem::create_directories(path_ / name);
        return (path_ / name).string() + "/";
    }

    // Writes `bytes` to `name` inside the folder, making the subfolders on the
    // way, and returns the file's path.
    std::string write(std::string_view name, std::string_view bytes) const {
        const std::filesystem::path file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        writeFile(file, bytes);
        return file.string();
    }
    std::string write(std::string_view name, std::span<const std::uint8_t> bytes) const {
        return write(name,
                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }

  private:
    std::filesystem::path path_;
};

} // namespace quillex::testing
