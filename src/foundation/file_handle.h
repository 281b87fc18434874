// FileHandle: a C stream that closes itself when it goes out of scope.
//
// Every reader of whole files opens its stream through openForReading, so no
// early return or exception leaves a stream open. Writers close explicitly
// (OutputFile), because a failed close is a failed write there.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace quillex {

struct FileCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};

using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens `path` for reading bytes; null when it cannot be opened, with errno
// telling why.
inline FileHandle openForReading(const std::string& path) {
    return FileHandle(std::fopen(path.c_str(), "rb"));
}

} // namespace quillex
