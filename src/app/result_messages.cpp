// The result-code table of the batch runner.
#include "app/result_messages.h"

#include "conversion/result_code.h"
#include "foundation/string_table.h"

namespace quillex {
namespace {

// A row of the table: the message ids for conversion batches and for verify
// batches (0 = same as conversion), the second line if any, and the effect.
struct ResultRow {
    int code;
    MessageId lineId;
    MessageId verifyLineId;
    MessageId secondLineId;
    MessageId thirdLineId;
    bool stops;
    MessageId finalBoxId;
    MessageId verifyFinalBoxId;
};

// Rows name their messages without the MessageId:: prefix.
using enum MessageId;

constexpr ResultRow kRows[] = {
    {result::Cancelled, ConversionCancelled, VerificationCancelled, None, None, true,
     BatchCancelledConverted, BatchCancelledConverted},
    {result::CancelledBatch, ConversionCancelled, VerificationCancelled, None, None, true,
     BatchCancelledConverted, BatchCancelledConverted},
    {result::Skipped, ConversionCancelled, VerificationCancelled, None, None, false, None, None},
    {result::OutOfMemory, ConversionOutOfMemory, VerificationOutOfMemory, None, None, true,
     BatchOutOfMemoryConverted, BatchOutOfMemoryVerified},
    {result::ParserError, ConversionParserError, VerificationParserError, None, None, false, None,
     None},
    {result::DiskFull, ConversionDiskFull, None, None, None, false, None, None},
    {result::UnexpectedEnd, ConversionUnexpectedEnd, VerificationUnexpectedEnd, None, None, false,
     None, None},
    {result::NotInterleafAscii, ConversionNotInterleafAscii, None, None, None, false, None, None},
    {result::WrongVersion, ConversionWrongVersion, None, None, None, false, None, None},
    {result::RevisionTracking, ConversionRevisionTracking, None, RevisionTrackingHint, None, false,
     None, None},
    {result::SplitDocument, ConversionSplitDocument, None, SplitDocumentHint, None, false, None,
     None},
    {result::ManuallyEdited, ConversionManuallyEdited, None, ManuallyEditedHint,
     ManuallyEditedSecondHint, false, None, None},
    {result::ClassDefaults, ConversionManuallyEdited, None, ManuallyEditedHint,
     ManuallyEditedSecondHint, false, None, None},
    {result::ManualComment, ConversionManuallyEdited, None, ManuallyEditedHint,
     ManuallyEditedSecondHint, false, None, None},
    {result::IncludeDeclarations, ConversionManuallyEdited, None, ManuallyEditedHint,
     ManuallyEditedSecondHint, false, None, None},
    {result::Include, ConversionManuallyEdited, None, ManuallyEditedHint, ManuallyEditedSecondHint,
     false, None, None},
    {result::StrayEscape, ConversionStrayEscape, None, None, None, false, None, None},
    {result::IndexMarkerTooLong, ConversionIndexMarkerTooLong, None, ShortenIndexMarkerHint, None,
     false, None, None},
    {result::JapaneseNotShiftJis, ConversionJapaneseNotShiftJis, None, JapaneseNotShiftJisHint,
     None, false, None, None},
    {result::NotQmx, ConversionNotQmx, VerificationNotQmx, QmxHeaderHint, None, false, None, None},
    {result::NotRtf, ConversionNotRtf, VerificationNotRtf, None, None, false, None, None},
    {result::RtfError1, ConversionRtfError, VerificationRtfError, None, None, false, None, None},
    {result::RtfError2, ConversionRtfError, VerificationRtfError, None, None, false, None, None},
    {result::RtfError3, ConversionRtfError, VerificationRtfError, None, None, false, None, None},
    {result::RtfError4, ConversionRtfError, VerificationRtfError, None, None, false, None, None},
    {result::RtfError5, ConversionRtfError, VerificationRtfError, None, None, false, None, None},
    {result::NewerQmxVersion, ConversionNewerQmx, VerificationNewerQmx, UpgradeHint, None, false,
     None, None},
    {result::FrameMakerQmx, ConversionFrameMakerQmx, VerificationFrameMakerQmx, None, None, false,
     None, None},
    {result::JapaneseSource, ConversionJapaneseSource, None, None, None, false, None, None},
    {result::CatalogNotInAncillary, NoAncillaryTextForCatalog, None, None, None, false, None, None},
    {result::EucConversionError, FileErrorEucConversion, None, None, None, false, None, None},
    {result::AsianTarget, ConversionAsianTarget, None, None, None, false, None, None},
    {result::CharacterWithoutForm, ConversionCharacterWithoutForm, None, None, None, false, None,
     None},
    {result::QmxVersion1, ConversionQmxVersion1, None, None, None, false, None, None},
    {result::NoCharset, ConversionNoCharset, VerificationNoCharset, None, None, false, None, None},
    {result::NoLanguage, ConversionNoLanguage, VerificationNoLanguage, None, None, false, None,
     None},
    {result::NoSourceHyphenation, ConversionNoSourceHyphenation, VerificationNoSourceHyphenation,
     None, None, false, None, None},
    {result::InvalidLanguage, ConversionInvalidLanguage, VerificationInvalidLanguage, None, None,
     false, None, None},
    {result::AncillaryAsFile, ConversionAncillaryAsFile, None, None, None, false, None, None},
    {result::AncillaryUnusable, ConversionAncillaryUnusable, None, AncillaryUnusableHint, None,
     false, None, None},
    {result::NoQuotes, ConversionNoQuotes, VerificationNoQuotes, None, None, false, None, None},
    {result::NoReadOnly, ConversionNoReadOnly, VerificationNoReadOnly, None, None, false, None,
     None},
    {result::TagErrors, ConversionTagErrors, None, None, None, false, None, None},
    {result::AncillaryTagErrors, ConversionAncillaryTagErrors, None, None, None, false, None, None},
    {result::QmxVersionsDiffer, VerificationQmxVersionsDiffer, None, SameVersionHint, None, false,
     None, None},
};

const ResultRow* findRow(int code) {
    for (const ResultRow& row : kRows)
        if (row.code == code)
            return &row;
    return nullptr;
}

void appendCounterLines(std::vector<std::string>& lines, const VerificationCounts& counts) {
    if (counts.errors != 0)
        lines.push_back(formatString(MessageId::ErrorsCount, counts.errors));
    if (counts.alerts != 0)
        lines.push_back(formatString(MessageId::AlertsCount, counts.alerts));
    if (counts.warnings != 0)
        lines.push_back(formatString(MessageId::WarningsCount, counts.warnings));
}

} // namespace

ResultEffect resultEffect(int code, BatchKind kind, const VerificationCounts& counts) {
    const bool verify = kind == BatchKind::Verify;
    ResultEffect effect;
    if (code == result::Success) {
        effect.lines.push_back(formatString(MessageId::Done));
        return effect;
    }
    if (code == result::FileError) {
        effect.fails = true; // the routine has reported the file error itself
        return effect;
    }
    if (code == result::VerificationComplete) {
        effect.lines.push_back(formatString(MessageId::VerificationComplete));
        appendCounterLines(effect.lines, counts);
        return effect;
    }
    if (code == result::NotFullyCompared) {
        effect.fails = true;
        effect.lines.push_back(formatString(MessageId::VerificationNotFullyCompared));
        appendCounterLines(effect.lines, counts);
        return effect;
    }
    effect.fails = true;
    const ResultRow* row = findRow(code);
    if (row == nullptr) {
        effect.lines.push_back(formatString(verify ? MessageId::VerificationUnknownError
                                                   : MessageId::ConversionUnknownError));
        effect.stops = true;
        effect.finalBoxId =
            verify ? MessageId::BatchUnknownErrorVerified : MessageId::BatchUnknownErrorConverted;
        return effect;
    }
    effect.lines.push_back(formatString(
        verify && row->verifyLineId != MessageId::None ? row->verifyLineId : row->lineId));
    if (row->secondLineId != MessageId::None)
        effect.lines.push_back(formatString(row->secondLineId));
    if (row->thirdLineId != MessageId::None)
        effect.lines.push_back(formatString(row->thirdLineId));
    effect.stops = row->stops;
    effect.finalBoxId = verify ? row->verifyFinalBoxId : row->finalBoxId;
    return effect;
}

} // namespace quillex
