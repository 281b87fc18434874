// Output assembly: the last stage of the backward conversion. Every filled
// piece of the re-parsed skeleton becomes a replacement of its range, and the
// skeleton is copied to the translated Interleaf file with those ranges
// replaced.
#pragma once

#include "backward/replace_list.h"
#include "forward/document_piece.h"

#include <string>

namespace quillex {
class ConversionHost;
class SourceText;
} // namespace quillex

namespace quillex::backward {

struct AssemblyOptions {
    // The skeleton the pieces were parsed from (the ORG copy; a style file's
    // copy in the ORG folder) and the translated file to write.
    std::string skeletonPath;
    std::string outputPath;
    // A style file's walk ends at the end of its declarations.
    bool styleMode = false;
    // Japanese target: text lines are never cut inside a double-byte
    // character.
    bool japaneseTarget = false;
    OutputEncoding encoding = OutputEncoding::AsHeld;
    // The skeleton's text as the re-parse read it, when the caller still
    // holds it; null: it is read from skeletonPath.
    const SourceText* skeletonText = nullptr;
    // The caller needs the pieces' lines no more: each piece's go once it is
    // laid out, so that a document is not held twice while it is written.
    bool releaseLaidOutLines = false;
};

// Builds the replacement list from `pieces` (in order) and writes the output
// file, which appears only when complete. Throws ConversionFailure
// (ParserError) for ranges that overlap or come out of order, and the
// FileProblem of a file that cannot be read or written; the messages go to
// `host` first. Duplicate ranges are reported and do not stop the run.
void assembleOutput(const PieceList& pieces, const AssemblyOptions& options, ConversionHost& host);

} // namespace quillex::backward
