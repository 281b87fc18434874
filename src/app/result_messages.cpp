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
    int lineId;
    int verifyLineId;
    int secondLineId;
    int thirdLineId;
    bool stops;
    int finalBoxId;
    int verifyFinalBoxId;
};

constexpr ResultRow kRows[] = {
    {result::Cancelled, 10255, 10257, 0, 0, true, 10259, 10259},
    {result::CancelledBatch, 10255, 10257, 0, 0, true, 10259, 10259},
    {result::Skipped, 10255, 10257, 0, 0, false, 0, 0},
    {result::OutOfMemory, 10010, 10012, 0, 0, true, 10011, 10013},
    {result::ParserError, 10200, 10201, 0, 0, false, 0, 0},
    {result::DiskFull, 10180, 0, 0, 0, false, 0, 0},
    {result::UnexpectedEnd, 10020, 10021, 0, 0, false, 0, 0},
    {result::NotInterleafAscii, 10280, 0, 0, 0, false, 0, 0},
    {result::WrongVersion, 10270, 0, 0, 0, false, 0, 0},
    {result::RevisionTracking, 10320, 0, 10321, 0, false, 0, 0},
    {result::SplitDocument, 10330, 0, 10331, 0, false, 0, 0},
    {result::ManuallyEdited, 10340, 0, 10341, 10342, false, 0, 0},
    {result::ClassDefaults, 10340, 0, 10341, 10342, false, 0, 0},
    {result::ManualComment, 10340, 0, 10341, 10342, false, 0, 0},
    {result::IncludeDeclarations, 10340, 0, 10341, 10342, false, 0, 0},
    {result::Include, 10340, 0, 10341, 10342, false, 0, 0},
    {result::IndexMarkerTooLong, 10262, 0, 10263, 0, false, 0, 0},
    {result::JapaneseNotShiftJis, 10350, 0, 10351, 0, false, 0, 0},
    {result::NotQmx, 10290, 10291, 10293, 0, false, 0, 0},
    {result::NotRtf, 10314, 10315, 0, 0, false, 0, 0},
    {result::RtfError1, 10210, 10211, 0, 0, false, 0, 0},
    {result::RtfError2, 10210, 10211, 0, 0, false, 0, 0},
    {result::RtfError3, 10210, 10211, 0, 0, false, 0, 0},
    {result::RtfError4, 10210, 10211, 0, 0, false, 0, 0},
    {result::RtfError5, 10210, 10211, 0, 0, false, 0, 0},
    {result::NewerQmxVersion, 10305, 10308, 10306, 0, false, 0, 0},
    {result::FrameMakerQmx, 10309, 10310, 0, 0, false, 0, 0},
    {result::JapaneseSource, 10420, 0, 0, 0, false, 0, 0},
    {result::CatalogNotInAncillary, 17833, 0, 0, 0, false, 0, 0},
    {result::EucConversionError, 10176, 0, 0, 0, false, 0, 0},
    {result::AsianTarget, 10354, 0, 0, 0, false, 0, 0},
    {result::QmxVersion1, 10380, 0, 0, 0, false, 0, 0},
    {result::NoCharset, 10390, 10391, 0, 0, false, 0, 0},
    {result::NoLanguage, 10400, 10401, 0, 0, false, 0, 0},
    {result::NoSourceHyphenation, 10421, 10422, 0, 0, false, 0, 0},
    {result::InvalidLanguage, 10410, 10411, 0, 0, false, 0, 0},
    {result::AncillaryAsFile, 10440, 0, 0, 0, false, 0, 0},
    {result::NoQuotes, 10496, 10497, 0, 0, false, 0, 0},
    {result::NoReadOnly, 10490, 10491, 0, 0, false, 0, 0},
    {result::TagErrors, 10230, 0, 0, 0, false, 0, 0},
    {result::AncillaryTagErrors, 10231, 0, 0, 0, false, 0, 0},
    {result::QmxVersionsDiffer, 10304, 0, 10302, 0, false, 0, 0},
};

const ResultRow* findRow(int code) {
    for (const ResultRow& row : kRows)
        if (row.code == code)
            return &row;
    return nullptr;
}

void appendCounterLines(std::vector<std::string>& lines, const VerificationCounts& counts) {
    if (counts.errors != 0)
        lines.push_back(formatString(10243, counts.errors));
    if (counts.alerts != 0)
        lines.push_back(formatString(10242, counts.alerts));
    if (counts.warnings != 0)
        lines.push_back(formatString(10241, counts.warnings));
}

} // namespace

ResultEffect resultEffect(int code, BatchKind kind, const VerificationCounts& counts) {
    const bool verify = kind == BatchKind::Verify;
    ResultEffect effect;
    if (code == result::Success) {
        effect.lines.push_back(formatString(10000));
        return effect;
    }
    if (code == result::FileError) {
        effect.fails = true; // the routine has reported the file error itself
        return effect;
    }
    if (code == result::VerificationComplete) {
        effect.lines.push_back(formatString(10250));
        appendCounterLines(effect.lines, counts);
        return effect;
    }
    if (code == result::NotFullyCompared) {
        effect.fails = true;
        effect.lines.push_back(formatString(10240));
        appendCounterLines(effect.lines, counts);
        return effect;
    }
    effect.fails = true;
    const ResultRow* row = findRow(code);
    if (row == nullptr) {
        effect.lines.push_back(formatString(verify ? 10460 : 10450));
        effect.stops = true;
        effect.finalBoxId = verify ? 10461 : 10451;
        return effect;
    }
    effect.lines.push_back(
        formatString(verify && row->verifyLineId != 0 ? row->verifyLineId : row->lineId));
    if (row->secondLineId != 0)
        effect.lines.push_back(formatString(row->secondLineId));
    if (row->thirdLineId != 0)
        effect.lines.push_back(formatString(row->thirdLineId));
    effect.stops = row->stops;
    effect.finalBoxId = verify ? row->verifyFinalBoxId : row->finalBoxId;
    return effect;
}

} // namespace quillex
