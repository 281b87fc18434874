// Choosing the QMX container.
#include "qmx/qmx_file_writer.h"

#include "qmx/text_writer.h"

#include <stdexcept>

namespace quillex {

void saveQmxFile(const std::string& path, const std::vector<std::string>& lines,
                 QmxFileFormat format, const ConversionOptions& /*options*/) {
    if (format == QmxFileFormat::Rtf)
        throw std::runtime_error("RTF output is not available in this build; use --format txt");
    writeTextFile(path, lines);
}

} // namespace quillex
