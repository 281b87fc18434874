// Choosing the QMX container.
#include "qmx/qmx_file_writer.h"

#include "foundation/output_file.h"
#include "qmx/rtf_writer.h"
#include "qmx/text_writer.h"

namespace quillex {

namespace {

template <class Lines>
void writeLines(OutputFile& file, const Lines& lines, QmxFileFormat format,
                const ConversionOptions& options) {
    if (format == QmxFileFormat::Text) {
        writeTextLines(file, lines);
        return;
    }
    writeQmxRtf(file, lines, options.rtfPageSize, options.sourceLanguage.codePage,
                options.targetLanguage.codePage);
}

} // namespace

void writeQmxFile(OutputFile& file, const std::vector<std::string>& lines, QmxFileFormat format,
                  const ConversionOptions& options) {
    writeLines(file, lines, format, options);
}

void writeQmxFile(OutputFile& file, std::span<const std::string_view> lines, QmxFileFormat format,
                  const ConversionOptions& options) {
    writeLines(file, lines, format, options);
}

void saveQmxFile(const std::string& path, const std::vector<std::string>& lines,
                 QmxFileFormat format, const ConversionOptions& options) {
    OutputFile file(path);
    writeQmxFile(file, lines, format, options);
    file.commit();
}

} // namespace quillex
