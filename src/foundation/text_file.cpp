// Text-mode reading and small file-system queries.
#include "foundation/text_file.h"

#include "foundation/file_error.h"
#include "foundation/file_handle.h"
#include "foundation/string_table.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace quillex {
std::string readBinaryFile(const std::string& path) {
    const FileHandle stream = openForReading(path);
    if (!stream)
        FileError::throwErrno(errno, path);
    std::string bytes;
    // Room for the whole file at once where its size is known.
    struct stat info {};
    if (::fstat(fileno(stream.get()), &info) == 0 && info.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream.get())) > 0)
        bytes.append(chunk, got);
    if (std::ferror(stream.get()) != 0)
        FileError::throwErrno(errno, path);
    return bytes;
}

std::size_t countLineFeeds(std::string_view text) {
    std::size_t feeds = 0;
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at != end) {
        const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
        if (found == nullptr)
            break;
        ++feeds;
        at = static_cast<const char*>(found) + 1;
    }
    return feeds;
}

int countTextLines(const std::string& path) {
    const std::string bytes = readBinaryFile(path);
    const auto feeds = countLineFeeds(bytes);
    const bool openLastLine = !bytes.empty() && bytes.back() != '\n';
    return static_cast<int>(feeds) + (openLastLine ? 1 : 0);
}

std::string readFileStart(const std::string& path, std::size_t count) {
    const FileHandle stream = openForReading(path);
    if (!stream)
        FileError::throwErrno(errno, path);
    std::string bytes(count, '\0');
    bytes.resize(std::fread(bytes.data(), 1, count, stream.get()));
    if (std::ferror(stream.get()) != 0)
        FileError::throwErrno(errno, path);
    return bytes;
}

namespace {

// The bytes before trailing Ctrl-Z bytes; RefusedInput for a Ctrl-Z with
// other bytes after it.
std::size_t endOfText(std::string_view raw, const std::string& path) {
    constexpr char kCtrlZ = '\x1a';
    const auto ctrlZ = raw.find(kCtrlZ);
    if (ctrlZ == std::string_view::npos)
        return raw.size();
    if (raw.find_first_not_of(kCtrlZ, ctrlZ) != std::string_view::npos)
        throw RefusedInput(formatString(MessageId::ConversionTextAfterEndOfFile,
                                        static_cast<unsigned long long>(ctrlZ)),
                           path);
    return ctrlZ;
}

// Copies the runs between carriage returns whole, each CR (with the LF after
// it) written as one LF. `to` may be `from` itself: the text only shrinks.
std::size_t copyTextMode(const char* from, std::size_t size, char* to) {
    std::size_t in = 0;
    std::size_t out = 0;
    while (in < size) {
        const void* found = std::memchr(from + in, '\r', size - in);
        const std::size_t cr =
            found == nullptr ? size
                             : static_cast<std::size_t>(static_cast<const char*>(found) - from);
        if (to + out != from + in)
            std::memmove(to + out, from + in, cr - in);
        out += cr - in;
        if (cr == size)
            break;
        to[out++] = '\n';
        in = cr + 1;
        if (in < size && from[in] == '\n')
            ++in;
    }
    return out;
}

} // namespace

std::string textModeBytes(std::string_view raw, const std::string& path) {
    raw = raw.substr(0, endOfText(raw, path));
    std::string text(raw.size(), '\0');
    text.resize(copyTextMode(raw.data(), raw.size(), text.data()));
    return text;
}

std::string textModeBytes(std::string&& raw, const std::string& path) {
    std::string text = std::move(raw);
    text.resize(endOfText(text, path));
    text.resize(copyTextMode(text.data(), text.size(), text.data()));
    return text;
}

std::string readTextModeFile(const std::string& path) {
    return textModeBytes(readBinaryFile(path), path);
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto lf = text.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, lf - start));
        start = lf + 1;
    }
    return lines;
}

std::uint64_t fileSize(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        FileError::throwErrno(errno, path);
    return static_cast<std::uint64_t>(info.st_size);
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool directoryExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace quillex
