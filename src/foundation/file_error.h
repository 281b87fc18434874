// FileProblem and its kinds: failures that concern one file and its path.
//
// A per-file routine that meets one lets it pass; the per-file wrapper
// catches FileProblem, writes its result lines and ends the file with result
// code 4. FileError carries the cause (mapped from errno) so that it is
// reported with the file-error messages.
#pragma once

#include "foundation/message_id.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace quillex {

class FileProblem : public std::runtime_error {
  public:
    FileProblem(const std::string& what, std::string path)
        : std::runtime_error(what), path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    // The lines of the results list that report the problem, the last one
    // "Filename:" directly followed by the path.
    virtual std::vector<std::string> resultLines() const = 0;

  private:
    std::string path_;
};

class FileError : public FileProblem {
  public:
    enum class Cause {
        None,
        Generic,
        FileNotFound,
        BadPath,
        TooManyOpenFiles,
        AccessDenied,
        ReadOnlyFileSystem,
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
    // The message of the cause, then the path.
    std::vector<std::string> resultLines() const override;

  private:
    Cause cause_;
};

// A serialisation (archive) failure; reported like a file error.
class ArchiveError : public FileProblem {
  public:
    explicit ArchiveError(std::string path);
    std::vector<std::string> resultLines() const override;
};

// A file that is readable but must not be converted as it is; the message
// says why and what to do.
class RefusedInput : public FileProblem {
  public:
    RefusedInput(std::string message, std::string path);
    // The message, then the path.
    std::vector<std::string> resultLines() const override;
};

} // namespace quillex
