// Reading a QMX file for the verifier: its lines (as a list or as one text),
// and the check of its four header lines.
#pragma once

#include "conversion/language_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillex::verifier {

// True when `path` ends in ".RTF", compared without regard to case.
bool isRtfPath(std::string_view path);

// The lines of a QMX file: read as RTF when the extension is ".RTF", else as
// text (line ends dropped, blank lines skipped). Throws FileError, and the
// RTF reader's result codes.
std::vector<std::string> readQmxLines(const std::string& path);

// The same lines as one text, each followed by one LF, with the header lines
// checked as checkQmxHeader does (the language found is stored in
// `language`). Throws what readQmxLines and checkQmxHeader throw, in that
// order.
std::string readCheckedQmxText(const std::string& path, LanguageRecord& language);

// Checks the header lines of a QMX file of this edition and looks up the
// language that line 2 names, which it stores in `language`. Throws the
// result code of the first failure: 8 (too few lines), 5000, 5070 or 5080
// (line 1), 6020 or 6040 (line 2), 7000 (line 3), 7010 (line 4).
void checkQmxHeader(const std::vector<std::string>& lines, LanguageRecord& language);

} // namespace quillex::verifier
