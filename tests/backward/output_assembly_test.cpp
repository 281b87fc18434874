// Output assembly: which pieces replace their ranges, and a skeleton that
// cannot be read.
#include "backward/output_assembly.h"
#include "forward/file_registry.h"
#include "forward/source_text.h"
#include "foundation/file_error.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::backward;
using namespace quillex::testing;

TEST(OutputAssembly, ReplacesTheRangesOfThePiecesWrittenBack) {
    const std::string skeleton = "<!OPS, Version = 8.0>\n\n<Frame,>\n<!End Declarations>\nbody\n";
    TempDir work;
    AssemblyOptions options;
    options.skeletonPath = work.write("doc.ORG", skeleton);
    options.outputPath = work.file("out/doc.DOC");
    PieceList pieces;
    const auto add = [&](PieceKind kind, std::uint32_t from, std::uint32_t to,
                         std::vector<std::string> lines, int file) {
        pieces.push_back(std::make_unique<DocumentPiece>(kind));
        pieces.back()->span = {from, from == 0 ? 0u : 1u, to, 1, file};
        pieces.back()->lines = std::move(lines);
        pieces.back()->filled = true;
    };
    const int file = registerFile(options.skeletonPath);
    add(PieceKind::Header, 1, 3, {"<!OPS, Version = 8.0>"}, file);
    add(PieceKind::Frame, 3, 4, {"frame text stays"}, file);
    add(PieceKind::Cell, 0, 0, {"no range"}, file);
    add(PieceKind::Cell, 5, 5, {"from a file never registered"}, 999999);
    add(PieceKind::EndOfDeclarations, 4, 6, {"<!End Declarations>", "translated"}, file);
    // A piece the translation left alone keeps the skeleton's bytes.
    add(PieceKind::Class, 2, 3, {"<!Class, \"unfilled\">"}, file);
    pieces.back()->filled = false;
    const std::string header = "<!OPS, Version = 8.0><SR>\n\n<Frame,>\n";

    RecordingHost host;
    assembleOutput(pieces, options, host);
    EXPECT_EQ(readFile(options.outputPath), header + "<!End Declarations>\n\ntranslated<SR>\n");
    // A style file keeps everything from its end of declarations on; the
    // skeleton may come from memory.
    const SourceText text(skeleton);
    options.skeletonText = &text;
    options.styleMode = true;
    assembleOutput(pieces, options, host);
    EXPECT_EQ(readFile(options.outputPath), header + "<!End Declarations>\nbody\n");
    EXPECT_TRUE(host.results.empty());

    options.skeletonText = nullptr;
    options.skeletonPath = work.file("missing.ORG");
    options.outputPath = work.file("out/other.DOC");
    EXPECT_THROW(assembleOutput(pieces, options, host), FileError);
    EXPECT_EQ(host.results.size(), 2u); // cannot open; no output
    EXPECT_EQ(listFolder(work.path() / "out"), std::vector<std::string>{"doc.DOC"});
}
