// LineFile: block reading and the line-end rule.
#include "qmx/line_file.h"

#include "foundation/file_error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quillex {
namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

LineFile::LineFile(const std::string& path) : path_(path) {
    stream_ = std::fopen(path.c_str(), "rb");
    if (stream_ == nullptr)
        FileError::throwErrno(errno, path_);
}

LineFile::LineFile(Bytes bytes) : memory_(std::move(bytes.data)) {}

LineFile::~LineFile() {
    if (stream_ != nullptr)
        std::fclose(stream_);
}

// Refills the block from the file or the memory source; false at the end.
bool LineFile::fillBlock() {
    blockPos_ = 0;
    if (stream_ == nullptr) {
        blockEnd_ = std::min(kBlockSize, memory_.size() - memoryPos_);
        std::memcpy(block_.data(), memory_.data() + memoryPos_, blockEnd_);
        memoryPos_ += blockEnd_;
        return blockEnd_ > 0;
    }
    blockEnd_ = std::fread(block_.data(), 1, kBlockSize, stream_);
    if (blockEnd_ == 0 && std::ferror(stream_))
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

std::vector<std::string> readLineFile(const std::string& path) {
    LineFile file(path);
    std::vector<std::string> lines;
    std::string line;
    while (file.readLine(line))
        lines.push_back(line);
    return lines;
}

} // namespace quillex
