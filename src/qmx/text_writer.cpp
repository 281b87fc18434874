// Plain-text QMX writer.
#include "qmx/text_writer.h"

#include "foundation/output_file.h"

namespace quillex {

namespace {

template <class Lines> void writeLines(OutputFile& file, const Lines& lines) {
    for (const std::string_view line : lines) {
        file.writeText(line);
        file.write("\r\n");
    }
}

} // namespace

void writeTextLines(OutputFile& file, const std::vector<std::string>& lines) {
    writeLines(file, lines);
}

void writeTextLines(OutputFile& file, std::span<const std::string_view> lines) {
    writeLines(file, lines);
}

void writeTextFile(const std::string& path, const std::vector<std::string>& lines) {
    OutputFile file(path);
    writeTextLines(file, lines);
    file.commit();
}

} // namespace quillex
