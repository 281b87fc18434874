// Reading a table image from a file.
#include "parser/table_file.h"

#include "foundation/file_handle.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace quillex {

std::vector<std::uint8_t> readTableFile(const std::string& path, SSExceptionId openFailed,
                                        SSExceptionId readFailed) {
    const FileHandle stream = openForReading(path);
    if (!stream)
        throwSSException(openFailed, {path, static_cast<long>(errno)});
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream.get())) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    if (std::ferror(stream.get()))
        throwSSException(readFailed, {path, static_cast<long>(errno)});
    if (bytes.empty())
        throwSSException(readFailed, {path, 0L});
    return bytes;
}

} // namespace quillex
