// Export and import of whole files.
#include "xliff/xliff_files.h"

#include "conversion/conversion_options.h"
#include "foundation/ascii_case.h"
#include "foundation/file_error.h"
#include "foundation/output_file.h"
#include "foundation/text_file.h"
#include "qmx/rtf_writer.h"
#include "qmx/text_writer.h"
#include "xliff/code_page_text.h"
#include "xliff/language_codes.h"
#include "xliff/xliff_import.h"

#include <map>
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

// The XLIFF file that the source QMX file of `translated` gives, exported
// as it was.
XliffFile sourceOf(const XliffFile& translated, const std::string& sourceFolder) {
    const std::string path = sourceFolder + translated.original;
    if (!fileExists(path))
        throw XliffError("the source QMX file " + path +
                         " is missing: import takes what is not translatable from it; name "
                         "the folder of the sources with --source-dir");
    ExportSettings settings;
    settings.targetLanguage = translated.targetLanguage;
    settings.letterPaper = translated.letterPaper;
    try {
        return exportQmx(readQmxSource(path), settings);
    } catch (const std::runtime_error& error) {
        if (dynamic_cast<const FileProblem*>(&error) != nullptr)
            throw;
        throw XliffError(path + ": " + error.what());
    }
}

} // namespace

void exportToXliff(const std::vector<std::string>& inputs, const std::string& output,
                   const ExportSettings& settings) {
    std::vector<XliffFile> files;
    std::map<std::string, std::string> inputOf; // upper-case name, the input of that name
    for (const std::string& input : inputs) {
        try {
            files.push_back(exportQmx(readQmxSource(input), settings));
        } catch (const std::runtime_error& error) {
            throw std::runtime_error(input + ": " + error.what());
        }
        // The name travels as the file's `original`, which import writes
        // under: it must be text, and one name may stand for one file only.
        const std::string& name = files.back().original;
        if (!isValidUtf8(name))
            throw std::runtime_error(input +
                                     ": the file name is not UTF-8, which XLIFF cannot carry; "
                                     "rename the file and export it again");
        const auto [at, added] = inputOf.emplace(upperCaseAscii(name), input);
        if (!added)
            throw std::runtime_error(input + ": " + at->second + " has the same name (" + name +
                                     "); one XLIFF document holds one file of a name, so export "
                                     "them into separate documents");
    }
    writeWholeFile(output, writeXliff(files));
}

PreparedImport::PreparedImport(const std::string& input, const std::string& sourceFolder,
                               const std::string& targetLanguage, MissingCharacters missing)
    : targetLanguage_(targetLanguage) {
    try {
        files_ = readXliff(readBinaryFile(input));
        for (XliffFile& file : files_)
            file = withTranslationsOf(sourceOf(file, sourceFolder), file);
    } catch (const XliffError& error) {
        throw XliffError(input + ": " + error.what());
    }
    for (const XliffFile& file : files_)
        sources_.push_back(sourceFolder + file.original);
    std::string problems;
    for (const XliffFile& file : files_) {
        try {
            std::vector<std::string> restored;
            contents_.push_back(importQmxLines(file, targetLanguage, &restored, missing));
            for (const std::string& warning : restored)
                warnings_.push_back(input + ": " + file.original + ": " + warning);
        } catch (const ImportError& error) {
            problems += file.original + ":\n" + error.what();
        }
    }
    if (!problems.empty())
        throw ImportError(input +
                          ": the codes of these units were damaged; restore them in "
                          "the translation tool and import again:\n" +
                          problems);
}

std::vector<std::string> PreparedImport::names() const {
    std::vector<std::string> names;
    for (const XliffFile& file : files_)
        names.push_back(file.original);
    return names;
}

std::vector<std::string> PreparedImport::write(const std::string& outputFolder) const {
    std::vector<std::unique_ptr<OutputFile>> outputs;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        outputs.push_back(std::make_unique<OutputFile>(outputFolder + files_[i].original));
        writeQmx(*outputs.back(), files_[i], contents_[i], targetLanguage_);
        outputs.back()->finish();
    }
    std::vector<std::string> written;
    for (const auto& output : outputs) {
        output->commit();
        written.push_back(output->path());
    }
    return written;
}

std::vector<std::string> importFromXliff(const std::string& input, const std::string& sourceFolder,
                                         const std::string& outputFolder,
                                         const std::string& targetLanguage) {
    return PreparedImport(input, sourceFolder, targetLanguage).write(outputFolder);
}

} // namespace quillex::xliff
