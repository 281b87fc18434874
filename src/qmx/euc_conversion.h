// Conversion of Shift-JIS text to EUC-JP, for translated documents whose
// target language is Japanese (EUC).
#pragma once

#include <string>
#include <string_view>

namespace quillex {

// Converts a byte stream that may arrive in pieces: a double-byte character
// split between two pieces is converted whole.
class ShiftJisToEucConverter {
  public:
    // Appends the EUC form of `bytes` to `out`.
    void convert(std::string_view bytes, std::string& out);
    // Appends a lead byte left over at the end of the stream, unchanged.
    void finish(std::string& out);

  private:
    int pendingLead_ = -1;
};

// The EUC form of `bytes`: each double-byte character (lead 0x81 to 0x9F or
// 0xE0 to 0xEF, trail 0x40 to 0xFC) becomes its JIS bytes plus 0x80; every
// other byte, half-width katakana included, is copied unchanged.
std::string shiftJisToEuc(std::string_view bytes);

// The name of the converted file written beside `path`.
std::string eucTemporaryPath(const std::string& path);

// Converts the file at `path` into eucTemporaryPath(path). With `replace` the
// converted file then takes the place of `path`. Throws FileError when a file
// cannot be opened, read, written or renamed; `path` is then left as it was
// and no converted file is left behind.
void convertFileShiftJisToEuc(const std::string& path, bool replace);

} // namespace quillex
