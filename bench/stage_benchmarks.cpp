// In-process benchmarks: the document generator, the Interleaf lexer and
// parser alone and with the parse actions, and the forward conversion of
// generated documents, without process start-up or the batch runner.
// bench/run measures the quillex command end to end and adds these figures;
// they also help profiling.
#include "conversion/result_code.h"
#include "docgen/document_generator.h"
#include "docgen/document_sink.h"
#include "forward/document_parser.h"
#include "forward/forward_converter.h"
#include "parser/interleaf/interleaf_parser.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdlib.h>

namespace {

using namespace quillex;

class NullHost : public ConversionHost {
  public:
    void progressStep(bool, bool) override {}
    void appendResult(const std::string&) override {}
    bool isCancelled() const override { return false; }
    Answer ask(const std::string&, bool) override { return Answer::Yes; }
};

void generate(benchmark::State& state) {
    docgen::GeneratorOptions options;
    options.size = static_cast<std::uint64_t>(state.range(0)) << 20;
    for (auto _ : state) {
        std::uint64_t bytes = 0;
        docgen::DocumentSink sink([&](std::string_view block) { bytes += block.size(); }, false);
        docgen::generateDocument(options, sink);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * options.size));
}
BENCHMARK(generate)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// A scratch folder with a generated document of `megabytes` in it.
class GeneratedFile {
  public:
    explicit GeneratedFile(std::int64_t megabytes) {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillex-bench-XXXXXX");
        folder = ::mkdtemp(pattern.data());
        docgen::GeneratorOptions generated;
        generated.seed = 7;
        generated.size = static_cast<std::uint64_t>(megabytes) << 20;
        path = (folder / "bench.DOC").string();
        docgen::generateDocumentFile(generated, path);
    }
    ~GeneratedFile() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    std::string path;
};

void lexAndParse(benchmark::State& state) {
    const GeneratedFile file(state.range(0));
    for (auto _ : state) {
        InterleafParser parser(file.path);
        parser.setErrorCode(0);
        if (parser.parse() != 0)
            state.SkipWithError("the generated document did not parse");
    }
    state.SetBytesProcessed(state.iterations() * (state.range(0) << 20));
}
BENCHMARK(lexAndParse)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The forward conversion's parse: the same lexer and parser with the parse
// actions that cut the document into pieces.
void parsePieces(benchmark::State& state) {
    const GeneratedFile file(state.range(0));
    for (auto _ : state) {
        ParsedDocument document;
        if (!parseDocument(file.path, ParseSettings{}, document).ok())
            state.SkipWithError("the generated document did not parse");
    }
    state.SetBytesProcessed(state.iterations() * (state.range(0) << 20));
}
BENCHMARK(parsePieces)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void forwardText(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillex-bench-XXXXXX");
    const std::filesystem::path folder = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(folder / "org");
    std::filesystem::create_directories(folder / "translated");
    docgen::GeneratorOptions generated;
    generated.seed = 7;
    generated.size = static_cast<std::uint64_t>(state.range(0)) << 20;
    const std::string source = (folder / "bench.DOC").string();
    docgen::generateDocumentFile(generated, source);

    ConversionOptions options;
    options.fileFormatForQmx = QmxFileFormat::Text;
    options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    options.sourceDirectory = folder.string() + "/";
    options.orgDirectory = (folder / "org").string() + "/";
    options.translatedDirectory = (folder / "translated").string() + "/";
    options.inputPath = source;
    options.baseName = "bench";
    options.extension = ".DOC";
    NullHost host;
    for (auto _ : state) {
        AncillaryCollector collector;
        if (convertFile(options, collector, host).code != result::Success)
            state.SkipWithError("the conversion failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * generated.size));
    std::filesystem::remove_all(folder);
}
BENCHMARK(forwardText)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
