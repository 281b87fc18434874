// Reading files the way a Windows text-mode stream reads them.
//
// Interleaf ASCII files come from Windows, Unix and older systems: a CR LF
// pair and a lone CR (the line end of older systems) are each read as one LF,
// and Ctrl-Z bytes at the very end are an end-of-file mark. A Ctrl-Z with
// text after it would cut the file short without a word, so such a file is
// refused rather than read in part.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

// Reads the whole file as raw bytes; throws FileError.
std::string readBinaryFile(const std::string& path);

// The number of line feeds in `text` (found with memchr: a byte loop costs
// several instructions per byte, and whole documents are counted).
std::size_t countLineFeeds(std::string_view text);

// The number of lines of a text file (a last line without a line end
// counts); throws FileError.
int countTextLines(const std::string& path);

// Reads up to `count` bytes from the start of the file; throws FileError.
std::string readFileStart(const std::string& path, std::size_t count);

// Applies text-mode reading to the raw bytes of `path`: CR LF and lone CR
// become LF, and trailing Ctrl-Z bytes (0x1A) are dropped. Throws
// RefusedInput for a Ctrl-Z that has other bytes after it.
std::string textModeBytes(std::string_view raw, const std::string& path);
// The same in place, for bytes the caller gives up.
std::string textModeBytes(std::string&& raw, const std::string& path);

// Reads a file in text mode; throws FileError or RefusedInput.
std::string readTextModeFile(const std::string& path);

// Splits text into lines at LF. The LFs are dropped; a last line without LF
// still counts as a line; an empty text has no lines.
std::vector<std::string> splitLines(std::string_view text);

// Size of a file in bytes; throws FileError.
std::uint64_t fileSize(const std::string& path);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

} // namespace quillex
