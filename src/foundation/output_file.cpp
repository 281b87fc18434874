// OutputFile: temporary file plus rename.
#include "foundation/output_file.h"

#include "foundation/file_error.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace quillex {
namespace {

// Temporary files are hidden and carry our mark and the process number:
// ".NAME.quillex-PID-XXXXXX". A run that is killed cannot remove its own;
// the mark and the number let a later batch find them and tell that their
// process has gone.
constexpr std::string_view kTemporaryMark = ".quillex-";

// The longest file name the file systems we write to take.
constexpr std::size_t kLongestName = 255;

// The temporary name starts with as much of the output's name as fits: an
// output whose name is near the limit still gets a temporary file.
std::string temporaryPattern(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string suffix = std::string(kTemporaryMark) + std::to_string(::getpid()) + "-XXXXXX";
    const std::size_t room = kLongestName - 1 - suffix.size();
    return folder + "." + name.substr(0, room) + suffix;
}

// The process number in a temporary file's name; 0 when the name is not one
// of ours.
pid_t writerOf(std::string_view name) {
    if (!name.starts_with('.'))
        return 0;
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string_view::npos)
        return 0;
    std::string_view rest = name.substr(mark + kTemporaryMark.size());
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || rest.size() - dash - 1 != 6)
        return 0;
    pid_t pid = 0;
    for (const char c : rest.substr(0, dash)) {
        if (c < '0' || c > '9' || pid > 100000000)
            return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

bool processIsGone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
    std::string pattern = temporaryPattern(path_);
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        FileError::throwErrno(errno, path_);
    tempPath_ = pattern;
    // mkstemp makes the file private (0600); give it the usual mode.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    stream_ = ::fdopen(fd, "wb");
    if (stream_ == nullptr) {
        const int error = errno;
        ::close(fd);
        ::unlink(tempPath_.c_str());
        FileError::throwErrno(error, path_);
    }
}

OutputFile::~OutputFile() {
    if (stream_ != nullptr)
        std::fclose(stream_);
    if (!committed_ && !tempPath_.empty())
        ::unlink(tempPath_.c_str());
}

void OutputFile::fail(int error) {
    std::fclose(stream_);
    stream_ = nullptr;
    ::unlink(tempPath_.c_str());
    tempPath_.clear();
    FileError::throwErrno(error, path_);
}

void OutputFile::write(std::string_view bytes) {
    if (bytes.empty())
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size())
        fail(errno);
}

void OutputFile::writeText(std::string_view text, std::string_view lineEnd) {
    if (lineEnd == "\n") {
        write(text);
        return;
    }
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos;
         lf = text.find('\n', start)) {
        write(text.substr(start, lf - start));
        write(lineEnd);
        start = lf + 1;
    }
    write(text.substr(start));
}

void OutputFile::finish() {
    if (finished_)
        return;
    if (std::fflush(stream_) != 0 || ::fsync(::fileno(stream_)) != 0)
        fail(errno);
    std::FILE* stream = stream_;
    stream_ = nullptr;
    if (std::fclose(stream) != 0) {
        const int error = errno;
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        FileError::throwErrno(error, path_);
    }
    // A folder of the target's name would refuse the rename, and a file
    // that nobody may write is one the user keeps: found now, either fails
    // the run before any output of it has taken its place.
    struct stat target {};
    if (::stat(path_.c_str(), &target) == 0 &&
        (S_ISDIR(target.st_mode) || (target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        FileError::throwErrno(S_ISDIR(target.st_mode) ? EISDIR : EACCES, path_);
    }
    finished_ = true;
}

void OutputFile::commit() {
    finish();
    if (std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        FileError::throwErrno(error, path_);
    }
    committed_ = true;
}

void writeWholeFile(const std::string& path, std::string_view bytes) {
    OutputFile file(path);
    file.write(bytes);
    file.commit();
}

int removeStaleTemporaryFiles(const std::string& folder) {
    int removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const pid_t writer = writerOf(name);
        if (writer > 0 && writer != ::getpid() && processIsGone(writer) &&
            entry.is_regular_file(error) && ::unlink(entry.path().c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace quillex
