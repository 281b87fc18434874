// Reading and checking the ancillary text of a backward batch.
#include "backward/ancillary_text.h"

#include "conversion/result_code.h"
#include "foundation/ascii_case.h"
#include "foundation/file_error.h"
#include "foundation/string_table.h"
#include "qmx/line_file.h"
#include "qmx/qmx_header.h"
#include "qmx/rtf_reader.h"

#include <algorithm>
#include <optional>

namespace quillex::backward {
namespace {

// Why the ancillary text cannot be used: the lines for the results list.
using Refusal = std::vector<std::string>;

class AncillaryLoader {
  public:
    explicit AncillaryLoader(const AncillaryRequest& request)
        : request_(request), options_(*request.options) {}

    // Each step gives why the text cannot be used, or nothing.
    std::optional<Refusal> readBatchLines(std::vector<std::string>& batchLines) const;
    std::optional<Refusal> checkHeader(const std::vector<std::string>& lines) const;
    std::optional<Refusal> fileSection(const std::vector<std::string>& lines,
                                       std::vector<std::string>& section) const;

  private:
    std::string fileName() const { return options_.writesRtf() ? "ANCILL.RTF" : "ANCILL.TXT"; }
    std::optional<Refusal> checkValueLine(const std::vector<std::string>& lines, std::size_t index,
                                          std::string_view start, MessageId missingFirst,
                                          MessageId missingSecond, std::string_view expected,
                                          MessageId differsFirst, MessageId differsSecond) const;

    const AncillaryRequest& request_;
    const ConversionOptions& options_;
};

std::optional<Refusal> AncillaryLoader::readBatchLines(std::vector<std::string>& batchLines) const {
    const std::string path = options_.translatedDirectory + fileName();
    try {
        if (options_.writesRtf())
            readRtfFile(path, batchLines);
        else
            batchLines = readLineFile(path);
    } catch (const ConversionFailure& failure) {
        batchLines.clear();
        if (failure.code() == result::NotRtf)
            return Refusal{formatString(MessageId::AncillaryNotRtf)};
        if (failure.code() >= result::RtfError1 && failure.code() <= result::RtfError5)
            return Refusal{formatString(MessageId::AncillaryRtfError)};
        throw;
    } catch (const FileProblem&) {
        batchLines.clear();
        return Refusal{formatString(MessageId::NoAncillaryFileIn, fileName().c_str()),
                       options_.translatedDirectory};
    }
    return std::nullopt;
}

std::optional<Refusal>
AncillaryLoader::checkValueLine(const std::vector<std::string>& lines, std::size_t index,
                                std::string_view start, MessageId missingFirst,
                                MessageId missingSecond, std::string_view expected,
                                MessageId differsFirst, MessageId differsSecond) const {
    if (index >= lines.size())
        return Refusal{formatString(MessageId::AncillaryUnexpectedEnd)};
    const std::string& line = lines[index];
    if (!line.starts_with(start))
        return Refusal{formatString(missingFirst), formatString(missingSecond)};
    // The value stands between the opening quote and the next quote-bracket.
    const std::size_t from = start.size() + 1;
    const std::size_t end = line.find("\">", from);
    const std::string value =
        from <= line.size()
            ? line.substr(from, end == std::string::npos ? std::string::npos : end - from)
            : std::string();
    if (value != expected)
        return Refusal{formatString(differsFirst), formatString(differsSecond)};
    return std::nullopt;
}

std::optional<Refusal> AncillaryLoader::checkHeader(const std::vector<std::string>& lines) const {
    if (lines.empty())
        return Refusal{formatString(MessageId::NoAncillaryFileIn, fileName().c_str()),
                       options_.translatedDirectory};
    const std::string& first = lines.front();
    const FirstLine kind = kindOfFirstLine(first);
    if (kind != FirstLine::Current && kind != FirstLine::OtherVersion)
        return Refusal{formatString(MessageId::AncillaryNotQmx),
                       formatString(MessageId::AncillaryQmxHeaderHint)};
    const bool ancillaryCurrent = kind == FirstLine::Current;
    if (!ancillaryCurrent)
        return Refusal{formatString(MessageId::AncillaryNewerQmx),
                       formatString(MessageId::UpgradeHint),
                       formatString(MessageId::AncillaryQmxVersionDiffers),
                       formatString(MessageId::SameVersionHint)};
    if (!request_.documentIsCurrentVersion)
        return Refusal{formatString(MessageId::AncillaryQmxVersionDiffers),
                       formatString(MessageId::SameVersionHint)};
    if (auto refusal = checkValueLine(
            lines, 1, "<language ", MessageId::AncillaryNoLanguage,
            MessageId::AncillaryNoLanguageReason, options_.sourceLanguage.name,
            MessageId::AncillaryLanguageDiffers, MessageId::AncillaryLanguageDiffersReason))
        return refusal;
    if (auto refusal = checkValueLine(
            lines, 2, "<quotes ", MessageId::AncillaryNoQuotes, MessageId::AncillaryNoQuotesReason,
            options_.smartQuotes == SmartQuotes::AsText ? "As text" : "As tags",
            MessageId::AncillaryQuotesDiffer, MessageId::AncillaryQuotesDifferReason))
        return refusal;
    return checkValueLine(
        lines, 3, "<readonly ", MessageId::AncillaryNoReadOnly,
        MessageId::AncillaryNoReadOnlyReason,
        options_.readOnlyComponents == ReadOnlyComponents::Translate ? "Translate"
                                                                     : "Don't translate",
        MessageId::AncillaryReadOnlyDiffers, MessageId::AncillaryReadOnlyDiffersReason);
}

std::optional<Refusal> AncillaryLoader::fileSection(const std::vector<std::string>& lines,
                                                    std::vector<std::string>& section) const {
    const std::string name = upperCaseAscii(request_.outputName);
    const std::string opening = "<file \"" + name + "\">";
    const std::string closing = "</file \"" + name + "\">";
    const auto start =
        std::find(lines.begin() + std::min<std::size_t>(4, lines.size()), lines.end(), opening);
    if (start == lines.end())
        return Refusal{formatString(MessageId::NoAncillaryTextForFile)};
    const auto end = std::find(start + 1, lines.end(), closing);
    if (end == lines.end())
        return Refusal{formatString(MessageId::AncillaryTextUnreadable),
                       formatString(MessageId::VerifyAncillaryHint)};
    section.assign(start, end + 1);
    return std::nullopt;
}

} // namespace

std::vector<std::string> BatchAncillaryText::sectionFor(const AncillaryRequest& request,
                                                        ConversionHost& host) {
    const AncillaryLoader loader(request);
    std::optional<Refusal> refusal;
    // One attempt per batch: a file that could not be read is not looked
    // for again by the next file.
    if (!read_) {
        read_ = true;
        refusal = loader.readBatchLines(lines_);
    }
    if (!refusal)
        refusal = loader.checkHeader(lines_);
    std::vector<std::string> section;
    if (!refusal)
        refusal = loader.fileSection(lines_, section);
    if (!refusal)
        return section;
    // Style mode ends the run; a document goes on without the ancillary
    // text, and fails when it has text there.
    for (const std::string& line : *refusal)
        host.appendResult(line);
    if (request.styleMode)
        throw ConversionFailure(result::CatalogNotInAncillary);
    return {};
}

} // namespace quillex::backward
