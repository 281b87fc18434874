// FileGuard: every file one run of a command reads and every file it writes,
// so that the run is refused before it writes anything when an output would
// replace one of its inputs, or when two of its outputs are one file.
//
// Files that exist are compared as the file system sees them, by device and
// inode: a hard link, a symbolic link or another spelling of the path is the
// same file. Files not made yet are compared by their absolute name, with the
// links of their folders resolved.
#pragma once

#include <string>
#include <vector>

namespace quillex {

class FileGuard {
  public:
    // `role` says what the file is to the run ("input", "skeleton", "results
    // file"), for the refusal.
    void reads(const std::string& path, const std::string& role);
    void writes(const std::string& path, const std::string& role);

    // Why the run may not start, naming both files; empty when no output
    // meets an input or another output.
    std::string refusal() const;

  private:
    struct Entry {
        std::string path;
        std::string role;
        std::string identity;
        bool written;
    };
    void add(const std::string& path, const std::string& role, bool written);

    std::vector<Entry> entries_;
};

// The identity by which FileGuard compares a path: "device:inode" for a file
// that exists, its resolved absolute name for one that does not.
std::string fileIdentity(const std::string& path);

} // namespace quillex
