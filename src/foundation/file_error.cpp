// FileError: errno mapping.
#include "foundation/file_error.h"

#include <cerrno>
#include <cstring>

namespace quillex {

FileError::FileError(Cause cause, std::string path)
    : std::runtime_error("file error on " + path), cause_(cause), path_(std::move(path)) {}

FileError::Cause FileError::causeFromErrno(int error) {
    switch (error) {
    case 0:
        return Cause::None;
    case ENOENT:
        return Cause::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return Cause::BadPath;
    case EMFILE:
    case ENFILE:
        return Cause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
        return Cause::AccessDenied;
    case EBADF:
        return Cause::InvalidFile;
    case EBUSY:
    case ETXTBSY:
        return Cause::SharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return Cause::DiskFull;
    case ESPIPE:
        return Cause::BadSeek;
    case EIO:
        return Cause::HardIO;
    case ENOLCK:
        return Cause::LockViolation;
    default:
        return Cause::Generic;
    }
}

void FileError::throwErrno(int error, const std::string& path) {
    throw FileError(causeFromErrno(error), path);
}

ArchiveError::ArchiveError(std::string path)
    : std::runtime_error("archive error on " + path), path_(std::move(path)) {}

} // namespace quillex
