// FileError: the one exception type for failures of the file system.
//
// It carries the cause (mapped from errno) and the path, so that the per-file
// wrapper can report it with the file-error messages and result code 4.
#pragma once

#include "foundation/message_id.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace quillex {

class FileError : public std::runtime_error {
  public:
    enum class Cause {
        None,
        Generic,
        FileNotFound,
        BadPath,
        TooManyOpenFiles,
        AccessDenied,
        InvalidFile,
        RemoveCurrentDir,
        DirectoryFull,
        BadSeek,
        HardIO,
        SharingViolation,
        LockViolation,
        DiskFull,
        EndOfFile,
    };

    FileError(Cause cause, std::string path);

    // Maps an errno value to the cause it stands for.
    static Cause causeFromErrno(int error);
    // Throws a FileError for errno `error` on `path`.
    [[noreturn]] static void throwErrno(int error, const std::string& path);

    Cause cause() const { return cause_; }
    // The string-table number of the message for the cause.
    MessageId messageId() const;
    // The lines of the results list that report this error: the message of
    // the cause, then "Filename:" directly followed by the path.
    std::vector<std::string> resultLines() const;
    const std::string& path() const { return path_; }

  private:
    Cause cause_;
    std::string path_;
};

// A serialisation (archive) failure; reported like a file error.
class ArchiveError : public std::runtime_error {
  public:
    explicit ArchiveError(std::string path);
    const std::string& path() const { return path_; }
    std::vector<std::string> resultLines() const;

  private:
    std::string path_;
};

// A file that is readable but must not be converted as it is; the message
// says why and what to do.
class RefusedInput : public std::runtime_error {
  public:
    RefusedInput(std::string message, std::string path);
    const std::string& path() const { return path_; }
    // The message, then "Filename:" directly followed by the path.
    std::vector<std::string> resultLines() const;

  private:
    std::string path_;
};

} // namespace quillex
