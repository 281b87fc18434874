// SSLexFileConsumer: reading the file and serving it to the buffer.
#include "parser/ss_lex_file_consumer.h"

#include "foundation/file_handle.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace quillex {

namespace {

FileHandle openFile(const std::string& fileName, SSExceptionPresent& pending) {
    FileHandle stream = openForReading(fileName);
    if (!stream)
        pending.throwException(SSExceptionId::LexOpenFile, {fileName, static_cast<long>(errno)});
    return stream;
}

// The size the file has now, when it can be told (a regular file); 0 else.
std::size_t expectedSize(std::FILE* stream) {
    if (std::fseek(stream, 0, SEEK_END) != 0)
        return 0;
    const long size = std::ftell(stream);
    std::rewind(stream);
    return size > 0 ? static_cast<std::size_t>(size) : 0;
}

// The whole file; the buffer indexes are 32-bit, so larger files are refused.
// The buffer is sized once from the file's size where that is known, so that
// a large file is not copied while the buffer grows; the reads still go on
// to the real end.
std::vector<std::uint8_t> readWholeFile(const std::string& fileName, SSExceptionPresent& pending) {
    FileHandle stream = openFile(fileName, pending);
    std::vector<std::uint8_t> bytes;
    constexpr std::size_t chunk = 65536;
    bytes.reserve(std::min<std::size_t>(expectedSize(stream.get()), 0xFFFFFFFFu) + 1);
    for (;;) {
        const std::size_t before = bytes.size();
        const std::size_t room = bytes.capacity() > before ? bytes.capacity() - before : chunk;
        bytes.resize(before + room);
        const std::size_t got = std::fread(bytes.data() + before, 1, room, stream.get());
        bytes.resize(before + got);
        if (got == 0)
            break;
        if (bytes.size() > 0xFFFFFFFFu)
            pending.throwException(SSExceptionId::LexReadFile, {fileName, -1L});
    }
    if (std::ferror(stream.get()))
        pending.throwException(SSExceptionId::LexReadFile, {fileName, static_cast<long>(errno)});
    if (bytes.empty())
        pending.throwException(SSExceptionId::LexReadFile, {fileName, 0L});
    return bytes;
}

} // namespace

void applyTextMode(std::vector<std::uint8_t>& bytes) {
    constexpr std::uint8_t ctrlZ = 0x1A;
    std::size_t out = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t byte = bytes[i];
        if (byte == ctrlZ)
            break;
        if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        bytes[out++] = byte;
    }
    bytes.resize(out);
}

SSLexFileConsumer::SSLexFileConsumer(const std::string& fileName, SSLexConsumerType type,
                                     std::uint32_t initialLength, std::uint32_t increment)
    : SSLexConsumer(type, increment), fileName_(fileName) {
    try {
        std::vector<std::uint8_t> data = readWholeFile(fileName, pending_);
        const std::size_t fileSize = data.size();
        if (type == SSLexConsumerType::DoubleByte)
            applyTextMode(data);
        const bool whole = initialLength == wholeFile || initialLength > fileSize;
        if (!whole && initialLength < data.size()) {
            rest_.assign(data.begin() + initialLength, data.end());
            data.resize(initialLength);
        }
        setBuffer(std::move(data));
        if (!isOpen())
            fixData(); // the whole file is in the buffer
    } catch (const std::bad_alloc&) {
        pending_.throwException(SSExceptionOutOfStorage());
    }
}

std::uint32_t SSLexFileConsumer::nextBuffer() {
    if (!isOpen())
        return 0;
    const std::span<std::uint8_t> room = freeSpace();
    if (room.empty())
        pending_.throwException(SSExceptionId::LexLexemeTooLong, {dataLength()});
    const std::size_t count = std::min(room.size(), rest_.size() - unread_);
    std::memcpy(room.data(), rest_.data() + unread_, count);
    unread_ += count;
    if (!isOpen()) {
        rest_.clear();
        rest_.shrink_to_fit();
        unread_ = 0;
    }
    return static_cast<std::uint32_t>(count);
}

SSLexConsumerType SSLexAutoFileConsumer::detectType(const std::string& fileName) {
    SSExceptionPresent pending;
    FileHandle stream = openFile(fileName, pending);
    std::uint8_t head[2] = {0, 0};
    const std::size_t got = std::fread(head, 1, sizeof head, stream.get());
    const bool byteOrderMark =
        got == 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF));
    return byteOrderMark ? SSLexConsumerType::Unicode : SSLexConsumerType::SingleByte;
}

SSLexAutoFileConsumer::SSLexAutoFileConsumer(const std::string& fileName,
                                             std::uint32_t initialLength, std::uint32_t increment)
    : SSLexFileConsumer(fileName, detectType(fileName), initialLength, increment) {}

} // namespace quillex
