// Choosing the QMX container.
#include "qmx/qmx_file_writer.h"

#include "qmx/rtf_writer.h"
#include "qmx/text_writer.h"

namespace quillex {

void saveQmxFile(const std::string& path, const std::vector<std::string>& lines,
                 QmxFileFormat format, const ConversionOptions& options) {
    if (format == QmxFileFormat::Text) {
        writeTextFile(path, lines);
        return;
    }
    writeQmxRtfFile(path, lines, paperSizeFromSetting(options.rtfPageSize),
                    options.sourceLanguage.codePage, options.targetLanguage.codePage);
}

} // namespace quillex
