// Export and import of whole files.
#include "xliff/xliff_files.h"

#include "conversion/conversion_options.h"
#include "foundation/output_file.h"
#include "foundation/text_file.h"
#include "qmx/rtf_writer.h"
#include "qmx/text_writer.h"
#include "xliff/language_codes.h"
#include "xliff/xliff_import.h"

#include <memory>
#include <stdexcept>

namespace quillex::xliff {
namespace {

void writeQmx(OutputFile& output, const XliffFile& file, const std::vector<std::string>& lines,
              const std::string& targetLanguage) {
    if (file.container == Container::Text) {
        writeTextLines(output, lines);
        return;
    }
    writeQmxRtf(output, lines, file.letterPaper ? PaperSize::Letter : PaperSize::A4,
                codePageOfLanguage(file.sourceLanguage),
                codePageOfLanguage(targetLanguage.empty() ? file.targetLanguage : targetLanguage));
}

} // namespace

void exportToXliff(const std::vector<std::string>& inputs, const std::string& output,
                   const ExportSettings& settings) {
    std::vector<XliffFile> files;
    for (const std::string& input : inputs) {
        try {
            files.push_back(exportQmx(readQmxSource(input), settings));
        } catch (const std::runtime_error& error) {
            throw std::runtime_error(input + ": " + error.what());
        }
    }
    writeWholeFile(output, writeXliff(files));
}

std::vector<std::string> importFromXliff(const std::string& input, const std::string& outputFolder,
                                         const std::string& targetLanguage) {
    std::vector<XliffFile> files;
    try {
        files = readXliff(readBinaryFile(input));
    } catch (const XliffError& error) {
        throw XliffError(input + ": " + error.what());
    }
    std::vector<std::vector<std::string>> contents;
    std::string problems;
    for (const XliffFile& file : files) {
        try {
            contents.push_back(importQmxLines(file, targetLanguage));
        } catch (const ImportError& error) {
            problems += file.original + ":\n" + error.what();
        }
    }
    if (!problems.empty())
        throw ImportError(input +
                          ": the codes of these units were damaged; restore them in "
                          "the translation tool and import again:\n" +
                          problems);
    // Every output is complete before any takes the place of an older file.
    std::vector<std::unique_ptr<OutputFile>> outputs;
    for (std::size_t i = 0; i < files.size(); ++i) {
        outputs.push_back(std::make_unique<OutputFile>(outputFolder + files[i].original));
        writeQmx(*outputs.back(), files[i], contents[i], targetLanguage);
        outputs.back()->finish();
    }
    std::vector<std::string> written;
    for (const auto& output : outputs) {
        output->commit();
        written.push_back(output->path());
    }
    return written;
}

} // namespace quillex::xliff
