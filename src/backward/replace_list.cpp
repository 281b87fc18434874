// The replacement list: pieces kept in position order, and the skeleton
// copied with their ranges replaced.
#include "backward/replace_list.h"

#include "backward/rc_file.h"
#include "conversion/conversion_host.h"
#include "conversion/result_code.h"
#include "forward/file_registry.h"
#include "foundation/file_error.h"
#include "foundation/format_text.h"
#include "foundation/output_file.h"
#include "qmx/euc_conversion.h"

#include <filesystem>
#include <system_error>

namespace quillex::backward {
namespace {

constexpr const char* kDuplicateTranslations =
    "Duplicate translations! %s is translated as %s and %s.\n";
constexpr const char* kSameFilename = "Same filename (%s) specified for both Input and Output!\n";
constexpr const char* kSkippingOutput = "\nFile Error! %s\n- Skipping output file for %s!\n\n";
constexpr const char* kFolderError = "Error: %s, %s\n";
constexpr const char* kCannotOpenOutput = "Could not open output file %s\n%s\n";

// Makes the folders of `path` that are missing, outermost first.
void makeOutputFolder(const std::string& path, ConversionHost* host) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        return;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error)
        return;
    if (host != nullptr)
        host->appendResult(formatText(kFolderError, error.message().c_str(), folder.c_str()));
    throw FileError(FileError::Cause::BadPath, path);
}

std::unique_ptr<OutputFile> openOutput(const std::string& path, ConversionHost* host) {
    makeOutputFolder(path, host);
    try {
        return std::make_unique<OutputFile>(path);
    } catch (const FileProblem& problem) {
        if (host != nullptr)
            host->appendResult(
                formatText(kCannotOpenOutput, path.c_str(), causeText(problem).c_str()));
        throw;
    }
}

// Writes text in the chosen encoding, each line feed as `lineEnd`.
class OutputWriter {
  public:
    OutputWriter(OutputFile& file, OutputEncoding encoding, std::string lineEnd)
        : file_(file), encoding_(encoding), lineEnd_(std::move(lineEnd)) {}

    void write(std::string_view text) {
        if (encoding_ == OutputEncoding::AsHeld) {
            file_.writeText(text, lineEnd_);
            return;
        }
        converted_.clear();
        euc_.convert(text, converted_);
        file_.writeText(converted_, lineEnd_);
    }
    void finish() {
        if (encoding_ == OutputEncoding::AsHeld)
            return;
        converted_.clear();
        euc_.finish(converted_);
        file_.writeText(converted_, lineEnd_);
    }

  private:
    OutputFile& file_;
    OutputEncoding encoding_;
    std::string lineEnd_;
    ShiftJisToEucConverter euc_;
    std::string converted_;
};

} // namespace

std::string skippedOutputMessage(const FileProblem& problem) {
    return formatText(kSkippingOutput, causeText(problem).c_str(), problem.path().c_str());
}

void CReplaceList::report(const std::string& message) const {
    if (host_ != nullptr)
        host_->appendResult(message);
}

void CReplaceList::reportDuplicate(const CReplacePiece& listed, const CReplacePiece& added) const {
    const std::string source(listed.source);
    report(formatText(kDuplicateTranslations, source.c_str(), listed.replacement.c_str(),
                      added.replacement.c_str()));
}

// The walk goes from the tail: pieces added in position order each cost one
// comparison.
bool CReplaceList::add(std::unique_ptr<CReplacePiece> piece) {
    if (piece->isUnchanged())
        return false;
    if (pieces_.empty() && defaultInputName_.empty())
        defaultInputName_ = fileName(piece->location.fileNumber);
    for (std::size_t i = pieces_.size(); i-- > 0;) {
        const CReplacePiece& listed = *pieces_[i];
        if (piece->hasSameRange(listed)) {
            if (piece->replacement != listed.replacement)
                reportDuplicate(listed, *piece);
            return false;
        }
        if (piece->liesAfter(listed)) {
            pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(piece));
            return true;
        }
    }
    pieces_.insert(pieces_.begin(), std::move(piece));
    return true;
}

void CReplaceList::apply(const std::string& inputPath, const std::string& outputPath,
                         OutputEncoding encoding) {
    CRCFile input(host_);
    try {
        input.open(inputPath.empty() ? defaultInputName_ : inputPath);
    } catch (const FileProblem& problem) {
        report(skippedOutputMessage(problem));
        throw;
    }
    apply(input, outputPath, encoding);
}

void CReplaceList::apply(CRCFile& input, const std::string& outputPath, OutputEncoding encoding) {
    if (outputPath.empty())
        throw FileError(FileError::Cause::BadPath, outputPath);
    refuseSameFile(input.fileName(), outputPath);
    try {
        copyWithReplacements(input, outputPath, encoding);
    } catch (const FileProblem& problem) {
        report(skippedOutputMessage(problem));
        throw;
    }
}

// The output must never take the skeleton's place: two spellings of one file
// (links, or a folder given twice) are the same file, while names that differ
// only in case are different files unless they are one on disk.
void CReplaceList::refuseSameFile(const std::string& inputPath,
                                  const std::string& outputPath) const {
    std::error_code error;
    if (!std::filesystem::equivalent(inputPath, outputPath, error) || error)
        return;
    report(formatText(kSameFilename, inputPath.c_str()));
    throw FileError(FileError::Cause::AccessDenied, outputPath);
}

void CReplaceList::copyWithReplacements(CRCFile& input, const std::string& outputPath,
                                        OutputEncoding encoding) {
    const std::unique_ptr<OutputFile> file = openOutput(outputPath, host_);
    // Ranges that were not replaced keep the skeleton's bytes, line ends
    // included; the replacements follow the same convention.
    OutputWriter writer(*file, encoding, lineEndOf(input.fileName()));
    std::string text;
    for (const auto& piece : pieces_) {
        const CTextPiece& range = piece->location;
        if (!input.readTo(text, range.startLine, range.startColumn))
            throw ConversionFailure(result::ParserError);
        writer.write(text);
        // The range's own bytes are not written: the replacement stands there.
        if (!input.readTo(text, range.endLine, range.endColumn))
            throw ConversionFailure(result::ParserError);
        writer.write(piece->replacement);
    }
    input.readToEnd(text);
    writer.write(text);
    writer.finish();
    file->commit();
}

} // namespace quillex::backward
