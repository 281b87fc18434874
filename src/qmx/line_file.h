// LineFile: a buffered reader that hands out a file's lines one at a time.
//
// Any run of CR and LF characters ends a line, so CR LF, LF and CR files read
// alike and blank lines are never handed out. The last line counts even
// without a line end. Lines keep their spaces and every other byte as is.
#pragma once

#include "foundation/file_handle.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class LineFile {
  public:
    static constexpr std::size_t kBlockSize = 4096;

    // Opens `path` for reading; throws FileError.
    explicit LineFile(const std::string& path);
    // Reads from bytes held in memory instead of a file.
    static LineFile fromBytes(std::string bytes) { return LineFile(Bytes{std::move(bytes)}); }
    ~LineFile();
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;

    // Puts the next non-empty line, without its line end, into `line`.
    // Returns false when the input is exhausted. Throws FileError when the
    // file cannot be read.
    bool readLine(std::string& line);

  private:
    struct Bytes {
        std::string data;
    };
    explicit LineFile(Bytes bytes);

    bool fillBlock();

    std::string path_;
    FileHandle stream_; // null when reading from memory
    std::string memory_;
    std::size_t memoryPos_ = 0;
    std::array<char, kBlockSize> block_{};
    std::size_t blockPos_ = 0;
    std::size_t blockEnd_ = 0;
};

// Reads every line of a text file (line ends dropped, blank lines skipped).
// Throws FileError.
std::vector<std::string> readLineFile(const std::string& path);

// The same lines as one text, each followed by one LF: the file is read in
// one go and its line ends rewritten in place, so that a large file is held
// once rather than as a list of lines. Throws FileError.
std::string readLineText(const std::string& path);

// Rewrites `text` in place as the lines LineFile would hand out, each
// followed by one LF.
void joinLinesInPlace(std::string& text);

} // namespace quillex
