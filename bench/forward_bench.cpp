// Forward conversion speed and memory on large generated documents, at two
// sizes ten times apart, to show that the cost grows linearly.
#include "document_generator.h"
#include "forward/forward_converter.h"
#include "qmx/conversion_host.h"
#include "qmx/result_code.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

using namespace quillex;

namespace {

class QuietHost : public ConversionHost {
  public:
    void progressStep(bool, bool) override {}
    void appendResult(const std::string&) override {}
    bool isCancelled() const override { return false; }
    Answer ask(const std::string&, bool) override { return Answer::Yes; }
};

long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double convertSeconds(const std::filesystem::path& folder, int sections, std::size_t& bytes) {
    const std::string text = bench::generateDocument(sections);
    bytes = text.size();
    const std::filesystem::path source = folder / "large.DOC";
    std::ofstream(source, std::ios::binary) << text;

    ConversionOptions options;
    options.fileFormatForQmx = 0;
    options.overwriteFiles = 1;
    options.sourceDirectory = folder.string() + "/";
    options.orgDirectory = (folder / "out").string() + "/";
    options.translatedDirectory = options.orgDirectory;
    std::filesystem::create_directories(options.orgDirectory);
    options.inputPath = source.string();
    options.baseName = "large";
    options.extension = ".DOC";
    AncillaryCollector collector;
    QuietHost host;

    const auto start = std::chrono::steady_clock::now();
    const int code = convertFile(options, collector, host);
    const auto end = std::chrono::steady_clock::now();
    if (code != result::Success)
        std::fprintf(stderr, "conversion failed with %d\n", code);
    return std::chrono::duration<double>(end - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const int sections = argc > 1 ? std::atoi(argv[1]) : 2000;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("quillex_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);

    std::printf("%10s %12s %10s %10s %14s\n", "sections", "bytes", "seconds", "MB/s",
                "peak RSS (KB)");
    for (int size : {sections, sections * 10}) {
        std::size_t bytes = 0;
        const double seconds = convertSeconds(folder, size, bytes);
        std::printf("%10d %12zu %10.3f %10.2f %14ld\n", size, bytes, seconds,
                    static_cast<double>(bytes) / (1024.0 * 1024.0) / seconds,
                    peakResidentKilobytes());
    }
    std::filesystem::remove_all(folder);
    return 0;
}
