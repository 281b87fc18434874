// Per-file result codes, and ConversionFailure, the one exception that
// carries them.
//
// Every per-file routine (forward, backward, verify) ends with one of these
// codes: returned when it runs to its end, thrown inside a ConversionFailure
// when it cannot go on. The batch runner turns each into lines of the results
// list and decides whether the batch goes on. The numbers are what users and
// the results list see; they never change.
#pragma once

#include <exception>
#include <string>
#include <vector>

namespace quillex {

namespace result {

// Unscoped so that a code still reads as the integer it is where codes are
// stored, compared and listed.
enum Code : int {

    // An exception nobody expected (a fault of the program): it fits no row
    // of the result table, and the batch stops. No routine gives it.
    Unexpected = -1,
    Success = 0,
    Cancelled = 1,
    CancelledBatch = 2,
    Skipped = 3,
    FileError = 4,
    OutOfMemory = 5,
    ParserError = 6,
    DiskFull = 7,
    UnexpectedEnd = 8,

    NotInterleafAscii = 1000,
    WrongVersion = 1010,
    RevisionTracking = 1030,
    SplitDocument = 1040,
    ManuallyEdited = 1050,
    IndexMarkerTooLong = 1060,
    JapaneseNotShiftJis = 1070,
    ClassDefaults = 1080,
    ManualComment = 1090,
    IncludeDeclarations = 1100,
    Include = 1110,
    StrayEscape = 1120,

    NotQmx = 5000,
    NotRtf = 5010,
    RtfError1 = 5020,
    RtfError2 = 5030,
    RtfError3 = 5040,
    RtfError4 = 5050,
    RtfError5 = 5060,
    NewerQmxVersion = 5070,
    FrameMakerQmx = 5080,
    JapaneseSource = 5090,
    CatalogNotInAncillary = 5100,
    EucConversionError = 5110,
    AsianTarget = 5120,
    CharacterWithoutForm = 5130,
    QmxVersion1 = 6000,
    NoCharset = 6010,
    NoLanguage = 6020,
    NoSourceHyphenation = 6030,
    InvalidLanguage = 6040,
    AncillaryAsFile = 6050,
    AncillaryUnusable = 6060,
    NoQuotes = 7000,
    NoReadOnly = 7010,
    TagErrors = 10000,
    AncillaryTagErrors = 10010,
    NotFullyCompared = 10020,
    VerificationComplete = 10030,
    QmxVersionsDiffer = 10040,
};

// Every code, in the order of the table: a check that an integer returned by
// a per-file routine is one of them reads this list, so a new code is known
// to it as soon as it is named here.
inline constexpr Code kAllCodes[] = {Success,
                                     Cancelled,
                                     CancelledBatch,
                                     Skipped,
                                     FileError,
                                     OutOfMemory,
                                     ParserError,
                                     DiskFull,
                                     UnexpectedEnd,
                                     NotInterleafAscii,
                                     WrongVersion,
                                     RevisionTracking,
                                     SplitDocument,
                                     ManuallyEdited,
                                     IndexMarkerTooLong,
                                     JapaneseNotShiftJis,
                                     ClassDefaults,
                                     ManualComment,
                                     IncludeDeclarations,
                                     Include,
                                     StrayEscape,
                                     NotQmx,
                                     NotRtf,
                                     RtfError1,
                                     RtfError2,
                                     RtfError3,
                                     RtfError4,
                                     RtfError5,
                                     NewerQmxVersion,
                                     FrameMakerQmx,
                                     JapaneseSource,
                                     CatalogNotInAncillary,
                                     EucConversionError,
                                     AsianTarget,
                                     CharacterWithoutForm,
                                     QmxVersion1,
                                     NoCharset,
                                     NoLanguage,
                                     NoSourceHyphenation,
                                     InvalidLanguage,
                                     AncillaryAsFile,
                                     AncillaryUnusable,
                                     NoQuotes,
                                     NoReadOnly,
                                     TagErrors,
                                     AncillaryTagErrors,
                                     NotFullyCompared,
                                     VerificationComplete,
                                     QmxVersionsDiffer};

inline constexpr bool isResultCode(int code) {
    for (const Code known : kAllCodes)
        if (known == code)
            return true;
    return false;
}

} // namespace result

using ResultCode = result::Code;

// What a step that may refuse a file gives back: Success, or the code that
// refuses it with the lines that say why (reported before the code's own
// rows of the result table).
struct [[nodiscard]] ConversionResult {
    ResultCode code = result::Success;
    std::vector<std::string> lines;

    bool ok() const { return code == result::Success; }
};

// Thrown by a per-file routine that cannot go on; the per-file wrapper
// returns its code. Built from a named code only, never from a bare integer.
class ConversionFailure : public std::exception {
  public:
    explicit ConversionFailure(ResultCode code) : code_(code) {}
    ConversionFailure(int) = delete;

    ResultCode code() const noexcept { return code_; }
    const char* what() const noexcept override { return "per-file routine failed"; }

  private:
    ResultCode code_;
};

} // namespace quillex
