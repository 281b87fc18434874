// Shift-JIS to EUC-JP conversion of bytes and files.
#include "qmx/euc_conversion.h"

#include "foundation/file_error.h"
#include "foundation/file_handle.h"
#include "foundation/lead_bytes.h"
#include "foundation/output_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace quillex {
namespace {

bool isTrailByte(int byte) {
    return byte >= 0x40 && byte <= 0xfc;
}

// Appends the EUC bytes of the Shift-JIS pair (s1, s2).
void appendEucPair(int s1, int s2, std::string& out) {
    int j1 = 2 * (s1 < 160 ? s1 - 112 : s1 - 176);
    if (s2 < 159)
        --j1;
    const int j2 = s2 > 158 ? s2 - 126 : (s2 >= 128 ? s2 - 32 : s2 - 31);
    out += static_cast<char>(j1 + 128);
    out += static_cast<char>(j2 + 128);
}

} // namespace

void ShiftJisToEucConverter::convert(std::string_view bytes, std::string& out) {
    for (const char c : bytes) {
        const int byte = static_cast<unsigned char>(c);
        if (pendingLead_ >= 0) {
            const int lead = pendingLead_;
            pendingLead_ = -1;
            if (isTrailByte(byte)) {
                appendEucPair(lead, byte, out);
            } else {
                out += static_cast<char>(lead);
                out += c;
            }
        } else if (isInterleafShiftJisLeadByte(static_cast<unsigned char>(byte))) {
            pendingLead_ = byte;
        } else {
            out += c;
        }
    }
}

void ShiftJisToEucConverter::finish(std::string& out) {
    if (pendingLead_ >= 0)
        out += static_cast<char>(pendingLead_);
    pendingLead_ = -1;
}

std::string shiftJisToEuc(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    ShiftJisToEucConverter converter;
    converter.convert(bytes, out);
    converter.finish(out);
    return out;
}

std::string eucTemporaryPath(const std::string& path) {
    return path + ".EUCTEMP";
}

void convertFileShiftJisToEuc(const std::string& path, bool replace) {
    FileHandle input = openForReading(path);
    if (!input)
        FileError::throwErrno(errno, path);

    const std::string temporaryPath = eucTemporaryPath(path);
    {
        OutputFile output(temporaryPath);
        ShiftJisToEucConverter converter;
        std::string buffer(64 * 1024, '\0');
        std::string converted;
        for (;;) {
            const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), input.get());
            if (count == 0)
                break;
            converted.clear();
            converter.convert(std::string_view(buffer).substr(0, count), converted);
            output.write(converted);
        }
        if (std::ferror(input.get()))
            FileError::throwErrno(errno != 0 ? errno : EIO, path);
        converted.clear();
        converter.finish(converted);
        output.write(converted);
        output.commit();
    }
    input.reset();

    // Renaming over the source replaces it in one step, so that no failure
    // can leave neither the source nor its converted form on disk.
    if (replace && std::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        const int error = errno;
        std::remove(temporaryPath.c_str());
        FileError::throwErrno(error, path);
    }
}

} // namespace quillex
