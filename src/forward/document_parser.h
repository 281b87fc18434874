// Parsing one Interleaf ASCII file into DocumentPieces.
//
// The Interleaf parser reads the file; every reduction runs the parse
// actions, which cut the document into pieces, report progress by source
// line and record the result codes of refused documents.
#pragma once

#include "conversion/result_code.h"
#include "forward/document_piece.h"
#include "forward/source_text.h"
#include "parser/ss_dbcs_info.h"

#include <cstdint>
#include <string>

namespace quillex {

class ConversionHost;
class ProgressBudget;

struct ParseSettings {
    // Progress: `steps` messages over `lineCount` source lines, drawn from
    // `budget` (none: no progress and no Cancel).
    ProgressBudget* budget = nullptr;
    int lineCount = 0;
    int steps = 0;
    // Results list for the Japanese warning and the DEBUG messages.
    ConversionHost* host = nullptr;
    bool warnJapanese = true;
    int debug = 0;
    // The code page whose lead bytes start double-byte characters.
    std::uint32_t codePage = SSDbcsInfo::defaultCodePage;
};

// The pieces and the source text their lines view: the one lives as long as
// the other.
struct ParsedDocument {
    SourceText source;
    PieceList pieces;
    int fileNumber = 0;

    // The exact source text of a piece's range. The pieces tile the file, so
    // the text is looked up here rather than copied into every piece.
    std::string_view textOf(const DocumentPiece& piece) const { return source.textOf(piece.span); }
};

// Parses `path` into `document`. Gives Success; Cancelled; StrayEscape for an
// escape character that begins no kanji run, with its place; ParserError for
// a syntax error (with its place) or another unexpected character (with
// DEBUG, the engine's message as "Exception! %s"); or the code of the latest
// refusal the actions recorded. Every failure of the parse is given back
// here, none thrown. Throws FileError when the file cannot be read.
ConversionResult parseDocument(const std::string& path, const ParseSettings& settings,
                               ParsedDocument& document);

// The same over the file's text as read in text mode (textModeBytes), when
// the caller has it already; `rawSize` is the size of the file as stored.
ConversionResult parseDocumentText(const std::string& path, std::string text, std::uint64_t rawSize,
                                   const ParseSettings& settings, ParsedDocument& document);

} // namespace quillex
