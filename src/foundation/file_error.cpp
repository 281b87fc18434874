// FileError: errno mapping.
#include "foundation/file_error.h"

#include <cerrno>
#include <cstring>

#include "foundation/string_table.h"

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

int FileError::messageId() const {
    switch (cause_) {
    case Cause::None:
        return 10030;
    case Cause::Generic:
        return 10040;
    case Cause::FileNotFound:
        return 10050;
    case Cause::BadPath:
        return 10060;
    case Cause::TooManyOpenFiles:
        return 10070;
    case Cause::AccessDenied:
        return 10080;
    case Cause::InvalidFile:
        return 10090;
    case Cause::RemoveCurrentDir:
        return 10100;
    case Cause::DirectoryFull:
        return 10110;
    case Cause::BadSeek:
        return 10120;
    case Cause::HardIO:
        return 10130;
    case Cause::SharingViolation:
        return 10140;
    case Cause::LockViolation:
        return 10150;
    case Cause::DiskFull:
        return 10160;
    case Cause::EndOfFile:
        return 10170;
    }
    return 10040;
}

std::vector<std::string> FileError::resultLines() const {
    return {formatString(messageId()), formatString(10175) + path_};
}

ArchiveError::ArchiveError(std::string path)
    : std::runtime_error("archive error on " + path), path_(std::move(path)) {}

std::vector<std::string> ArchiveError::resultLines() const {
    return {formatString(10041), formatString(10175) + path_};
}

RefusedInput::RefusedInput(std::string message, std::string path)
    : std::runtime_error(std::move(message)), path_(std::move(path)) {}

std::vector<std::string> RefusedInput::resultLines() const {
    return {what(), formatString(10175) + path_};
}

} // namespace quillex
