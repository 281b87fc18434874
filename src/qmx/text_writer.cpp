// Plain-text QMX writer.
#include "qmx/text_writer.h"

#include "foundation/output_file.h"

namespace quillex {

void writeTextLines(OutputFile& file, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        file.writeText(line);
        file.write("\r\n");
    }
}

void writeTextFile(const std::string& path, const std::vector<std::string>& lines) {
    OutputFile file(path);
    writeTextLines(file, lines);
    file.commit();
}

} // namespace quillex
