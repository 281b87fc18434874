// FolderLock: an advisory lock on an output folder for the length of a batch.
//
// Two batches writing into the same folder at once would mix their outputs
// (the ancillary file of one beside the QMX files of the other). Each batch
// locks the folders it writes; a second one waits or gives up. The lock is
// taken on the folder itself (flock on its descriptor), so no lock file is
// left among the user's files, and the kernel drops it when the process ends.
#pragma once

#include <string>

namespace quillex {

class FolderLock {
  public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock on `folder` if no other process holds it. A folder that
    // cannot be opened counts as taken (there is nothing to share): the
    // batch then reports the folder itself.
    static FolderLock tryLock(const std::string& folder, bool& busy);

    bool held() const { return fd_ >= 0; }

  private:
    explicit FolderLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

} // namespace quillex
