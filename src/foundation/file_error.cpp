// FileError: errno mapping.
#include "foundation/file_error.h"

#include <cerrno>
#include <cstring>

#include "foundation/string_table.h"

namespace quillex {

FileError::FileError(Cause cause, std::string path)
    : FileProblem("file error on " + path, path), cause_(cause) {}

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
    case EISDIR:
    case EEXIST:
        return Cause::AccessDenied;
    case EROFS:
        return Cause::ReadOnlyFileSystem;
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

MessageId FileError::messageId() const {
    switch (cause_) {
    case Cause::None:
        return MessageId::FileErrorNone;
    case Cause::Generic:
        return MessageId::FileErrorGeneric;
    case Cause::FileNotFound:
        return MessageId::FileErrorNotFound;
    case Cause::BadPath:
        return MessageId::FileErrorBadPath;
    case Cause::TooManyOpenFiles:
        return MessageId::FileErrorTooManyOpen;
    case Cause::AccessDenied:
        return MessageId::FileErrorAccessDenied;
    case Cause::ReadOnlyFileSystem:
        return MessageId::FileErrorReadOnly;
    case Cause::InvalidFile:
        return MessageId::FileErrorBadHandle;
    case Cause::RemoveCurrentDir:
        return MessageId::FileErrorRemoveCurrentDirectory;
    case Cause::DirectoryFull:
        return MessageId::FileErrorDirectoryFull;
    case Cause::BadSeek:
        return MessageId::FileErrorBadSeek;
    case Cause::HardIO:
        return MessageId::FileErrorHardware;
    case Cause::SharingViolation:
        return MessageId::FileErrorSharingViolation;
    case Cause::LockViolation:
        return MessageId::FileErrorLockViolation;
    case Cause::DiskFull:
        return MessageId::FileErrorDiskFull;
    case Cause::EndOfFile:
        return MessageId::FileErrorEndOfFile;
    }
    return MessageId::FileErrorGeneric;
}

std::vector<std::string> FileError::resultLines() const {
    return {formatString(messageId()), formatString(MessageId::FilenameLabel) + path()};
}

ArchiveError::ArchiveError(std::string path) : FileProblem("archive error on " + path, path) {}

std::vector<std::string> ArchiveError::resultLines() const {
    return {formatString(MessageId::FileErrorArchive),
            formatString(MessageId::FilenameLabel) + path()};
}

RefusedInput::RefusedInput(std::string message, std::string path)
    : FileProblem(message, std::move(path)) {}

std::vector<std::string> RefusedInput::resultLines() const {
    return {what(), formatString(MessageId::FilenameLabel) + path()};
}

} // namespace quillex
