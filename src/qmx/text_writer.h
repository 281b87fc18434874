// Saving a line list as ANSI text: each line followed by a line end, which
// reaches the disk as CR LF.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class OutputFile;

// Writes `lines` to `path` (complete or not at all); throws FileError.
void writeTextFile(const std::string& path, const std::vector<std::string>& lines);

// Writes `lines` into `file`, which the caller commits.
void writeTextLines(OutputFile& file, const std::vector<std::string>& lines);
void writeTextLines(OutputFile& file, std::span<const std::string_view> lines);

} // namespace quillex
