// Reading files the way a Windows text-mode stream reads them.
//
// Interleaf ASCII files come from Windows and older systems: a CR LF pair is
// read as one LF, a Ctrl-Z byte ends the file, and a lone CR stays as it is.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

// Reads the whole file as raw bytes; throws FileError.
std::string readBinaryFile(const std::string& path);

// Applies text-mode reading to raw bytes: CR LF becomes LF, the first Ctrl-Z
// (0x1A) ends the data.
std::string textModeBytes(std::string_view raw);

// Reads a file in text mode; throws FileError.
std::string readTextModeFile(const std::string& path);

// Splits text into lines at LF. The LFs are dropped; a last line without LF
// still counts as a line; an empty text has no lines.
std::vector<std::string> splitLines(std::string_view text);

// Size of a file in bytes; throws FileError.
std::uint64_t fileSize(const std::string& path);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

} // namespace quillex
