// Plain-text QMX writer.
#include "qmx/text_writer.h"

#include "foundation/output_file.h"

namespace quillex {

void writeTextFile(const std::string& path, const std::vector<std::string>& lines) {
    OutputFile file(path);
    for (const std::string& line : lines) {
        file.writeText(line);
        file.write("\r\n");
    }
    file.commit();
}

} // namespace quillex
