// Per-file result codes.
//
// Every per-file routine (forward, backward, verify) ends with one of these
// integers, returned or thrown. The batch runner turns each into lines of the
// results list and decides whether the batch goes on.
#pragma once

namespace quillex::result {

inline constexpr int Success = 0;
inline constexpr int Cancelled = 1;
inline constexpr int CancelledBatch = 2;
inline constexpr int Skipped = 3;
inline constexpr int FileError = 4;
inline constexpr int OutOfMemory = 5;
inline constexpr int ParserError = 6;
inline constexpr int DiskFull = 7;
inline constexpr int UnexpectedEnd = 8;

inline constexpr int NotInterleafAscii = 1000;
inline constexpr int WrongVersion = 1010;
inline constexpr int RevisionTracking = 1030;
inline constexpr int SplitDocument = 1040;
inline constexpr int ManuallyEdited = 1050;
inline constexpr int IndexMarkerTooLong = 1060;
inline constexpr int JapaneseNotShiftJis = 1070;
inline constexpr int ClassDefaults = 1080;
inline constexpr int ManualComment = 1090;
inline constexpr int IncludeDeclarations = 1100;
inline constexpr int Include = 1110;

inline constexpr int NotQmx = 5000;
inline constexpr int NotRtf = 5010;
inline constexpr int RtfError1 = 5020;
inline constexpr int RtfError2 = 5030;
inline constexpr int RtfError3 = 5040;
inline constexpr int RtfError4 = 5050;
inline constexpr int RtfError5 = 5060;
inline constexpr int NewerQmxVersion = 5070;
inline constexpr int FrameMakerQmx = 5080;
inline constexpr int JapaneseSource = 5090;
inline constexpr int CatalogNotInAncillary = 5100;
inline constexpr int EucConversionError = 5110;
inline constexpr int AsianTarget = 5120;
inline constexpr int QmxVersion1 = 6000;
inline constexpr int NoCharset = 6010;
inline constexpr int NoLanguage = 6020;
inline constexpr int NoSourceHyphenation = 6030;
inline constexpr int InvalidLanguage = 6040;
inline constexpr int AncillaryAsFile = 6050;
inline constexpr int NoQuotes = 7000;
inline constexpr int NoReadOnly = 7010;
inline constexpr int TagErrors = 10000;
inline constexpr int AncillaryTagErrors = 10010;
inline constexpr int NotFullyCompared = 10020;
inline constexpr int VerificationComplete = 10030;
inline constexpr int QmxVersionsDiffer = 10040;

} // namespace quillex::result
