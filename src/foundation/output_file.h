// OutputFile: an output file that appears only when it is complete.
//
// Bytes go to a temporary file in the target folder; commit() flushes it and
// renames it over the target. A file that is never committed (a failed run,
// an exception) is removed by the destructor, so a failure never leaves a
// truncated file behind and never destroys an earlier file of the same name.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quillex {

class OutputFile {
  public:
    // Creates the temporary file beside `path`; throws FileError on failure.
    explicit OutputFile(std::string path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes bytes as they are.
    void write(std::string_view bytes);
    // Writes bytes the way a Windows text-mode stream does: every LF reaches
    // the disk as CR LF.
    void writeText(std::string_view text) { writeText(text, "\r\n"); }
    // Writes bytes with every LF replaced by `lineEnd`.
    void writeText(std::string_view text, std::string_view lineEnd);

    // Flushes and closes the temporary file, and checks that nothing but a
    // file stands in the target's place: what can fail before the rename.
    // Several outputs of one run are all finished before any is committed.
    void finish();
    // Finishes the file if that is not done and renames it into place.
    void commit();

    const std::string& path() const { return path_; }

  private:
    void fail(int error);

    std::string path_;
    std::string tempPath_;
    std::FILE* stream_ = nullptr;
    bool finished_ = false;
    bool committed_ = false;
};

// Writes `bytes` to `path` through an OutputFile.
void writeWholeFile(const std::string& path, std::string_view bytes);

// Removes the temporary files that runs which no longer exist (killed, or
// lost with the machine) left in `folder`; returns how many.
int removeStaleTemporaryFiles(const std::string& folder);

} // namespace quillex
