// Saving a line list as ANSI text: each line followed by a line end, which
// reaches the disk as CR LF.
#pragma once

#include <string>
#include <vector>

namespace quillex {

// Writes `lines` to `path` (complete or not at all); throws FileError.
void writeTextFile(const std::string& path, const std::vector<std::string>& lines);

} // namespace quillex
