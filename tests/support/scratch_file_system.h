// File systems of their own for tests of write faults: a small one that
// fills up, and a folder that becomes unwritable.
//
// Root may write anywhere, whatever the permissions say, so as root a folder
// is made unwritable by mounting a file system on it and remounting that
// read-only; any other user gets the folder's permissions taken away.
#pragma once

#include <filesystem>
#include <string>

#include <sys/mount.h>
#include <unistd.h>

namespace quillex::testing {

// A memory file system of `size` bytes ("16k") on `folder` while the object
// lives.
class SmallFileSystem {
  public:
    SmallFileSystem(std::string folder, const std::string& size) : folder_(std::move(folder)) {
        const std::string options = "size=" + size;
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallFileSystem() {
        if (mounted_)
            ::umount(folder_.c_str());
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    // False when this process may not mount (not root): the test cannot run.
    bool mounted() const { return mounted_; }

    bool remountReadOnly() {
        return ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

  private:
    std::string folder_;
    bool mounted_ = false;
};

// A folder that a test fills and then locks; unlocked again at the end.
class LockableFolder {
  public:
    explicit LockableFolder(std::string folder)
        : folder_(std::move(folder)), root_(::geteuid() == 0),
          fileSystem_(root_ ? folder_ : std::string(), "1m") {}
    ~LockableFolder() {
        if (!root_)
            std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    }

    // False when root could not mount a file system on the folder.
    bool ready() const { return !root_ || fileSystem_.mounted(); }

    // The folder can be read but no longer written.
    bool lock() {
        if (root_)
            return fileSystem_.remountReadOnly();
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_exec);
        return true;
    }

  private:
    std::string folder_;
    bool root_;
    SmallFileSystem fileSystem_;
};

} // namespace quillex::testing
