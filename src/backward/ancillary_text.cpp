// Reading and checking the ancillary text of a backward batch.
#include "backward/ancillary_text.h"

#include "conversion/result_code.h"
#include "foundation/ascii_case.h"
#include "foundation/file_error.h"
#include "foundation/string_table.h"
#include "qmx/line_file.h"
#include "qmx/rtf_reader.h"

#include <algorithm>

namespace quillex::backward {
namespace {

// Thrown inside this file when the ancillary text cannot be used; the
// messages have been reported by then.
struct Unusable {};

class AncillaryLoader {
  public:
    AncillaryLoader(const AncillaryRequest& request, ConversionHost& host)
        : request_(request), options_(*request.options), host_(host) {}

    void readBatchLines(std::vector<std::string>& batchLines) const;
    void checkHeader(const std::vector<std::string>& lines) const;
    std::vector<std::string> fileSection(const std::vector<std::string>& lines) const;

    // Reports `lines` and gives up: style mode ends the run; a document goes
    // on without the ancillary text, and fails when it has text there.
    [[noreturn]] void refuse(std::initializer_list<std::string> lines) const;

  private:
    std::string fileName() const { return options_.writesRtf() ? "ANCILL.RTF" : "ANCILL.TXT"; }
    void checkValueLine(const std::vector<std::string>& lines, std::size_t index,
                        std::string_view start, MessageId missingFirst, MessageId missingSecond,
                        std::string_view expected, MessageId differsFirst,
                        MessageId differsSecond) const;

    const AncillaryRequest& request_;
    const ConversionOptions& options_;
    ConversionHost& host_;
};

void AncillaryLoader::refuse(std::initializer_list<std::string> lines) const {
    for (const std::string& line : lines)
        host_.appendResult(line);
    if (request_.styleMode)
        throw ConversionFailure(result::CatalogNotInAncillary);
    throw Unusable{};
}

void AncillaryLoader::readBatchLines(std::vector<std::string>& batchLines) const {
    const std::string path = options_.translatedDirectory + fileName();
    try {
        if (options_.writesRtf())
            readRtfFile(path, batchLines);
        else
            batchLines = readLineFile(path);
    } catch (const ConversionFailure& failure) {
        batchLines.clear();
        if (failure.code() == result::NotRtf)
            refuse({formatString(MessageId::AncillaryNotRtf)});
        if (failure.code() >= result::RtfError1 && failure.code() <= result::RtfError5)
            refuse({formatString(MessageId::AncillaryRtfError)});
        throw;
    } catch (const FileProblem&) {
        batchLines.clear();
        refuse({formatString(MessageId::NoAncillaryFileIn, fileName().c_str()),
                options_.translatedDirectory});
    }
}

void AncillaryLoader::checkValueLine(const std::vector<std::string>& lines, std::size_t index,
                                     std::string_view start, MessageId missingFirst,
                                     MessageId missingSecond, std::string_view expected,
                                     MessageId differsFirst, MessageId differsSecond) const {
    if (index >= lines.size())
        refuse({formatString(MessageId::AncillaryUnexpectedEnd)});
    const std::string& line = lines[index];
    if (!line.starts_with(start))
        refuse({formatString(missingFirst), formatString(missingSecond)});
    // The value stands between the opening quote and the next quote-bracket.
    const std::size_t from = start.size() + 1;
    const std::size_t end = line.find("\">", from);
    const std::string value =
        from <= line.size()
            ? line.substr(from, end == std::string::npos ? std::string::npos : end - from)
            : std::string();
    if (value != expected)
        refuse({formatString(differsFirst), formatString(differsSecond)});
}

void AncillaryLoader::checkHeader(const std::vector<std::string>& lines) const {
    if (lines.empty())
        refuse({formatString(MessageId::NoAncillaryFileIn, fileName().c_str()),
                options_.translatedDirectory});
    const std::string& first = lines.front();
    if (!first.starts_with("<qmx \"I"))
        refuse({formatString(MessageId::AncillaryNotQmx),
                formatString(MessageId::AncillaryQmxHeaderHint)});
    const bool ancillaryCurrent = first.starts_with("<qmx \"I2.00\">");
    if (!ancillaryCurrent)
        refuse({formatString(MessageId::AncillaryNewerQmx), formatString(MessageId::UpgradeHint),
                formatString(MessageId::AncillaryQmxVersionDiffers),
                formatString(MessageId::SameVersionHint)});
    if (!request_.documentIsCurrentVersion)
        refuse({formatString(MessageId::AncillaryQmxVersionDiffers),
                formatString(MessageId::SameVersionHint)});
    checkValueLine(lines, 1, "<language ", MessageId::AncillaryNoLanguage,
                   MessageId::AncillaryNoLanguageReason, options_.sourceLanguage.name,
                   MessageId::AncillaryLanguageDiffers, MessageId::AncillaryLanguageDiffersReason);
    checkValueLine(lines, 2, "<quotes ", MessageId::AncillaryNoQuotes,
                   MessageId::AncillaryNoQuotesReason,
                   options_.smartQuotes == SmartQuotes::AsText ? "As text" : "As tags",
                   MessageId::AncillaryQuotesDiffer, MessageId::AncillaryQuotesDifferReason);
    checkValueLine(lines, 3, "<readonly ", MessageId::AncillaryNoReadOnly,
                   MessageId::AncillaryNoReadOnlyReason,
                   options_.readOnlyComponents == ReadOnlyComponents::Translate ? "Translate"
                                                                                : "Don't translate",
                   MessageId::AncillaryReadOnlyDiffers, MessageId::AncillaryReadOnlyDiffersReason);
}

std::vector<std::string> AncillaryLoader::fileSection(const std::vector<std::string>& lines) const {
    const std::string name = upperCaseAscii(request_.outputName);
    const std::string opening = "<file \"" + name + "\">";
    const std::string closing = "</file \"" + name + "\">";
    const auto start =
        std::find(lines.begin() + std::min<std::size_t>(4, lines.size()), lines.end(), opening);
    if (start == lines.end())
        refuse({formatString(MessageId::NoAncillaryTextForFile)});
    const auto end = std::find(start + 1, lines.end(), closing);
    if (end == lines.end())
        refuse({formatString(MessageId::AncillaryTextUnreadable),
                formatString(MessageId::VerifyAncillaryHint)});
    return {start, end + 1};
}

} // namespace

std::vector<std::string> BatchAncillaryText::sectionFor(const AncillaryRequest& request,
                                                        ConversionHost& host) {
    const AncillaryLoader loader(request, host);
    try {
        // One attempt per batch: a file that could not be read is not
        // looked for again by the next file.
        if (!read_) {
            read_ = true;
            loader.readBatchLines(lines_);
        }
        loader.checkHeader(lines_);
        return loader.fileSection(lines_);
    } catch (const Unusable&) {
        return {};
    }
}

} // namespace quillex::backward
