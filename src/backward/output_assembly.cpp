// Output assembly: filled pieces to replacements, then the copy.
#include "backward/output_assembly.h"

#include "backward/piece_layout.h"
#include "backward/rc_file.h"
#include "conversion/conversion_host.h"
#include "forward/file_registry.h"
#include "forward/source_text.h"
#include "foundation/file_error.h"

#include <optional>

namespace quillex::backward {
namespace {

// The pieces that replace their ranges, in the order given. A style file
// keeps everything from the end of its declarations on.
CReplaceList replacementsOf(const PieceList& pieces, const AssemblyOptions& options,
                            const SourceText& skeleton, ConversionHost& host) {
    CReplaceList list(&host);
    for (const auto& owned : pieces) {
        DocumentPiece& piece = *owned;
        if (!piece.span.hasRange() || fileName(piece.span.fileNumber).empty())
            continue;
        if (options.styleMode && piece.kind == PieceKind::EndOfDeclarations)
            break;
        if (!piece.filled || !isWrittenBack(piece.kind))
            continue;
        auto replacement = std::make_unique<CReplacePiece>();
        replacement->location = piece.span;
        replacement->source = skeleton.textOf(piece.span);
        replacement->replacement = layOutPiece(piece, options.japaneseTarget);
        if (options.releaseLaidOutLines)
            piece.lines = PieceLines();
        list.add(std::move(replacement));
    }
    return list;
}

// The skeleton as the re-parse read it.
SourceText readSkeleton(const std::string& path, ConversionHost& host) {
    try {
        return SourceText(CRCFile::readFile(path, &host));
    } catch (const FileProblem& problem) {
        host.appendResult(skippedOutputMessage(problem));
        throw;
    }
}

} // namespace

void assembleOutput(const PieceList& pieces, const AssemblyOptions& options, ConversionHost& host) {
    std::optional<SourceText> loaded;
    const SourceText* skeleton = options.skeletonText;
    if (skeleton == nullptr)
        skeleton = &loaded.emplace(readSkeleton(options.skeletonPath, host));

    CReplaceList list = replacementsOf(pieces, options, *skeleton, host);
    CRCFile input(&host);
    input.openText(skeleton->text(), options.skeletonPath);
    list.apply(input, options.outputPath, options.encoding);
}

} // namespace quillex::backward
