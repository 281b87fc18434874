// LineFile: block reading and the line-end rule.
#include "qmx/line_file.h"

#include "foundation/file_error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillex {
namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Closes a file descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Every byte of the file at `path`. The buffer is sized from the file's
// length with one byte to spare (for a final line end), and grows if the file
// turns out longer than it said.
std::string readWholeFile(const std::string& path) {
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        FileError::throwErrno(errno, path);
    struct stat status {};
    std::size_t expected = 0;
    if (::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        expected = static_cast<std::size_t>(status.st_size);
    std::string bytes(expected + 1, '\0');
    std::size_t size = 0;
    for (;;) {
        if (size == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(file.get(), bytes.data() + size, bytes.size() - size);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            FileError::throwErrno(errno != 0 ? errno : EIO, path);
        }
        if (got == 0)
            break;
        size += static_cast<std::size_t>(got);
    }
    bytes.resize(size);
    return bytes;
}

} // namespace

LineFile::LineFile(const std::string& path) : path_(path), stream_(openForReading(path)) {
    if (!stream_)
        FileError::throwErrno(errno, path_);
}

LineFile::LineFile(Bytes bytes) : memory_(std::move(bytes.data)) {}

LineFile::~LineFile() = default;

// Refills the block from the file or the memory source; false at the end.
bool LineFile::fillBlock() {
    blockPos_ = 0;
    if (!stream_) {
        blockEnd_ = std::min(kBlockSize, memory_.size() - memoryPos_);
        std::memcpy(block_.data(), memory_.data() + memoryPos_, blockEnd_);
        memoryPos_ += blockEnd_;
        return blockEnd_ > 0;
    }
    blockEnd_ = std::fread(block_.data(), 1, kBlockSize, stream_.get());
    if (blockEnd_ == 0 && std::ferror(stream_.get()))
        FileError::throwErrno(errno != 0 ? errno : EIO, path_);
    return blockEnd_ > 0;
}

bool LineFile::readLine(std::string& line) {
    line.clear();
    for (;;) {
        if (blockPos_ == blockEnd_ && !fillBlock())
            return !line.empty();
        const char* begin = block_.data() + blockPos_;
        const char* end = block_.data() + blockEnd_;
        const char* stop = std::find_if(begin, end, isLineEnd);
        line.append(begin, stop);
        blockPos_ += static_cast<std::size_t>(stop - begin);
        if (stop == end)
            continue;
        // A line end: consume it (and any run of line ends that follows in
        // this block). Ends before any text are blank lines, skipped.
        while (blockPos_ < blockEnd_ && isLineEnd(block_[blockPos_]))
            ++blockPos_;
        if (!line.empty())
            return true;
    }
}

// Finds line ends in a text with memchr, which is much faster than a byte
// loop. The next CR and the next LF are looked for separately and each is
// remembered until passed, so that a file with only one kind of line end is
// still searched once.
class LineEndFinder {
  public:
    explicit LineEndFinder(std::string_view text) : text_(text) {}

    // The position of the first CR or LF at or after `from` (the text's size
    // when there is none).
    std::size_t next(std::size_t from) {
        return std::min(nextOf('\r', nextCr_, from), nextOf('\n', nextLf_, from));
    }

  private:
    std::size_t nextOf(char c, std::size_t& cached, std::size_t from) {
        if (cached < from || cached == kUnknown) {
            const void* found = std::memchr(text_.data() + from, c, text_.size() - from);
            cached = found == nullptr
                         ? text_.size()
                         : static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
        }
        return cached;
    }

    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    std::string_view text_;
    std::size_t nextCr_ = kUnknown;
    std::size_t nextLf_ = kUnknown;
};

void joinLinesInPlace(std::string& text) {
    // Lines only move towards the front, so the rewrite never overtakes the
    // bytes still to be read; a line end is rewritten as one LF in the first
    // byte of its run. The finder looks at bytes not yet rewritten only.
    const std::size_t size = text.size();
    LineEndFinder finder(text);
    std::size_t in = 0;
    std::size_t out = 0;
    bool lastLineUnended = false;
    for (;;) {
        while (in < size && isLineEnd(text[in]))
            ++in;
        if (in == size)
            break;
        const std::size_t length = finder.next(in) - in;
        if (out != in)
            std::memmove(text.data() + out, text.data() + in, length);
        out += length;
        in += length;
        if (in == size) {
            lastLineUnended = true;
            break;
        }
        text[out++] = '\n';
    }
    text.resize(out);
    if (lastLineUnended)
        text.push_back('\n');
}

std::string readLineText(const std::string& path) {
    std::string text = readWholeFile(path);
    joinLinesInPlace(text);
    return text;
}

std::vector<std::string> readLineFile(const std::string& path) {
    LineFile file(path);
    std::vector<std::string> lines;
    std::string line;
    while (file.readLine(line))
        lines.push_back(line);
    return lines;
}

} // namespace quillex
