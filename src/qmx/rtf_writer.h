// Saving a line list as RTF: the fixed prologue, then one paragraph per line
// in which every tag is wrapped in the character style of its kind, so that
// the translation editor shows it protected and coloured.
#pragma once

#include "qmx/rtf_prologue.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {
class OutputFile;
}

namespace quillex {

// Rewrites every line in place into the body of an RTF paragraph. External
// tags go into the pw2segExternal style, internal tags (those beginning "<:")
// into pw2segInternal; backslash, braces and bytes from 0x80 up become \'hh
// escapes and tabs become \tab. A tag may run on over several lines: its
// style group stays open until its closing ">". Convert a list only once.
void convertLinesToRtf(std::vector<std::string>& lines);

// Writes the prologue and the converted `lines` to `path`, each line its own
// paragraph, every line end as CR LF. The file appears complete or not at all;
// throws FileError.
void writeRtfFile(const std::string& path, const std::vector<std::string>& lines, PaperSize paper,
                  int sourceCodePage, int targetCodePage);

// A QMX file in RTF: convertLinesToRtf and writeRtfFile in one pass, a line
// at a time.
void writeQmxRtfFile(const std::string& path, const std::vector<std::string>& lines,
                     PaperSize paper, int sourceCodePage, int targetCodePage);
// The same into `file`, which the caller commits.
void writeQmxRtf(OutputFile& file, std::span<const std::string_view> lines, PaperSize paper,
                 int sourceCodePage, int targetCodePage);
void writeQmxRtf(OutputFile& file, const std::vector<std::string>& lines, PaperSize paper,
                 int sourceCodePage, int targetCodePage);

// Rewrites one line of the verification report in place into RTF paragraph
// text. `fontNumber` 2 sets the paragraph in the fixed-pitch font, 4 in the
// target font (when the code pages differ), anything else in the default
// font. A line end inside the line starts a new paragraph. With `styleTags`
// the tags are styled as in convertLinesToRtf, and the tags <:c> and <:/c>
// switch to the source font and back to the target font.
void convertReportLineToRtf(std::string& line, bool styleTags, int fontNumber, int sourceCodePage,
                            int targetCodePage);

} // namespace quillex
