// Speed and memory of the forward conversion and the verifier on large
// generated documents, at two sizes ten times apart, to show that the cost
// grows linearly: documents of running text, and documents rich in tables
// and frames (quillex-docgen's "text" and "rich" body mixes).
//
//   forward_bench [SIZE] [STAGE [text|rich|mixed]]
//
// SIZE is the smaller document's size in bytes, with the suffixes K, M and G
// (default 1M). Stages: parse (lex-and-parse alone), txt and rtf (the whole
// forward conversion), verify (a converted QMX file against a copy of
// itself). Each measurement runs in a child process of its own, so that its
// peak resident memory is its own; each runs three times and the best is
// shown (wall-clock and processor time). With a STAGE only that stage runs,
// once, in this process, on a document of SIZE (for profilers) whose body is
// running text unless another mix is named.
#include "conversion/conversion_host.h"
#include "conversion/result_code.h"
#include "docgen/document_generator.h"
#include "forward/document_parser.h"
#include "forward/forward_converter.h"
#include "verifier/verifier.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillex;
namespace fs = std::filesystem;

namespace {

class QuietHost : public ConversionHost {
  public:
    void progressStep(bool, bool) override {}
    void appendResult(const std::string&) override {}
    bool isCancelled() const override { return false; }
    Answer ask(const std::string&, bool) override { return Answer::Yes; }
};

enum class Stage { Parse, Txt, Rtf, Verify };

constexpr Stage kStages[] = {Stage::Parse, Stage::Txt, Stage::Rtf, Stage::Verify};

const char* stageName(Stage stage) {
    switch (stage) {
    case Stage::Parse:
        return "parse";
    case Stage::Txt:
        return "txt";
    case Stage::Rtf:
        return "rtf";
    case Stage::Verify:
        return "verify";
    }
    return "";
}

// The seed of every document measured, so that runs compare the same bytes.
constexpr std::uint64_t kSeed = 7;
// The smaller of the two sizes measured when none is given.
constexpr std::uint64_t kDefaultSize = 1 << 20;

// The folders of one size: the source document, the forward outputs and the
// translated copy the verifier compares with them.
struct Workspace {
    fs::path folder;
    docgen::BodyMix mix = docgen::BodyMix::RunningText;
    fs::path source() const { return folder / "large.DOC"; }
    fs::path outputs() const { return folder / "out"; }
    fs::path translated() const { return folder / "translated"; }
};

bool writeDocument(const Workspace& work, std::uint64_t bytes) {
    fs::create_directories(work.outputs());
    fs::create_directories(work.translated());
    docgen::GeneratorOptions generated;
    generated.seed = kSeed;
    generated.size = bytes;
    generated.mix = work.mix;
    if (docgen::generateDocumentFile(generated, work.source().string()))
        return true;
    std::fprintf(stderr, "cannot write %s\n", work.source().c_str());
    return false;
}

ConversionOptions forwardOptions(const Workspace& work, int format) {
    ConversionOptions options;
    options.fileFormatForQmx = format == 1 ? QmxFileFormat::Rtf : QmxFileFormat::Text;
    options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    options.sourceDirectory = work.folder.string() + "/";
    options.orgDirectory = work.outputs().string() + "/";
    options.translatedDirectory = options.orgDirectory;
    options.inputPath = work.source().string();
    options.baseName = "large";
    options.extension = ".DOC";
    return options;
}

// Runs one stage; false when it did not succeed. Returns the bytes it read.
bool runStage(Stage stage, const Workspace& work) {
    QuietHost host;
    switch (stage) {
    case Stage::Parse: {
        ParsedDocument document;
        return parseDocument(work.source().string(), ParseSettings{}, document).ok();
    }
    case Stage::Txt:
    case Stage::Rtf: {
        AncillaryCollector collector;
        const ConversionOptions options = forwardOptions(work, stage == Stage::Txt ? 0 : 1);
        return convertFile(options, collector, host).code == result::Success;
    }
    case Stage::Verify: {
        ConversionOptions options = forwardOptions(work, 0);
        options.inputPath = (work.translated() / "large.TXT").string();
        options.extension = ".TXT";
        VerificationCounts counts;
        try {
            return verifyFile(options, host, counts).code == result::VerificationComplete;
        } catch (...) {
            return false;
        }
    }
    }
    return false;
}

// The verifier reads a converted file and its translation: the TXT output
// and a copy of it.
void prepareVerification(const Workspace& work) {
    if (!runStage(Stage::Txt, work))
        std::fprintf(stderr, "conversion for the verifier failed\n");
    fs::copy_file(work.outputs() / "large.TXT", work.translated() / "large.TXT",
                  fs::copy_options::overwrite_existing);
}

std::uintmax_t inputBytes(Stage stage, const Workspace& work) {
    if (stage == Stage::Verify)
        return 2 * fs::file_size(work.translated() / "large.TXT");
    return fs::file_size(work.source());
}

struct Measurement {
    double seconds = 0;    // wall-clock time of the stage
    double cpuSeconds = 0; // processor time of the child (the stage and its set-up)
    long peakKilobytes = 0;
    bool ok = false;
};

double secondsOf(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// Runs the stage in a child process: its time comes back through a pipe,
// its peak resident memory from wait4.
Measurement measure(Stage stage, const Workspace& work) {
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const auto start = std::chrono::steady_clock::now();
        const bool ok = runStage(stage, work);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const ssize_t written = write(channel[1], &seconds, sizeof seconds);
        _exit(ok && written == sizeof seconds ? 0 : 1);
    }
    close(channel[1]);
    Measurement result;
    if (read(channel[0], &result.seconds, sizeof result.seconds) != sizeof result.seconds)
        result.seconds = 0;
    close(channel[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    result.peakKilobytes = usage.ru_maxrss;
    result.cpuSeconds = secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

// The best of `runs` measurements: the machine is shared, so the fastest run
// is the one least disturbed.
Measurement bestOf(int runs, Stage stage, const Workspace& work) {
    Measurement best = measure(stage, work);
    for (int i = 1; i < runs; ++i) {
        const Measurement next = measure(stage, work);
        best.ok = best.ok && next.ok;
        best.seconds = std::min(best.seconds, next.seconds);
        best.cpuSeconds = std::min(best.cpuSeconds, next.cpuSeconds);
        best.peakKilobytes = std::max(best.peakKilobytes, next.peakKilobytes);
    }
    return best;
}

// A child that does nothing: the resident memory every measurement starts
// with (program, libraries, tables).
long baselineKilobytes() {
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss;
}

int runOneStage(const std::string& name, std::uint64_t bytes, const Workspace& work) {
    for (Stage stage : kStages) {
        if (name != stageName(stage))
            continue;
        if (!writeDocument(work, bytes))
            return 1;
        if (stage == Stage::Verify)
            prepareVerification(work);
        const auto start = std::chrono::steady_clock::now();
        const bool ok = runStage(stage, work);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double megabytes = static_cast<double>(inputBytes(stage, work)) / (1024.0 * 1024.0);
        std::printf("%s: %.2f MB in %.3f s, %.2f MB/s%s\n", name.c_str(), megabytes, seconds,
                    megabytes / seconds, ok ? "" : " (FAILED)");
        return ok ? 0 : 1;
    }
    std::fprintf(stderr, "unknown stage %s (parse, txt, rtf, verify)\n", name.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const auto size = argc > 1 ? docgen::parseSize(argv[1]) : std::optional(kDefaultSize);
    if (!size) {
        std::fprintf(stderr, "bad size %s (bytes, with K, M or G)\n", argv[1]);
        return 2;
    }
    const fs::path folder =
        fs::temp_directory_path() / ("quillex_bench_" + std::to_string(getpid()));
    if (argc > 2) {
        const auto mix =
            argc > 3 ? docgen::mixFromName(argv[3]) : std::optional(docgen::BodyMix::RunningText);
        if (!mix) {
            std::fprintf(stderr, "unknown mix %s (text, rich, mixed)\n", argv[3]);
            return 2;
        }
        const int code = runOneStage(argv[2], *size, Workspace{folder, *mix});
        fs::remove_all(folder);
        return code;
    }

    std::printf("baseline peak RSS %ld KB\n", baselineKilobytes());
    for (const docgen::BodyMix mix :
         {docgen::BodyMix::RunningText, docgen::BodyMix::TablesAndFrames}) {
        std::printf("\n%s\n", mix == docgen::BodyMix::TablesAndFrames
                                  ? "Documents rich in tables and frames"
                                  : "Documents of running text");
        std::printf("%-7s %12s %12s %9s %9s %9s %14s %8s\n", "stage", "document", "bytes",
                    "seconds", "MB/s", "cpu MB/s", "peak RSS (KB)", "RSS/in");
        for (const std::uint64_t documentBytes : {*size, *size * 10}) {
            const Workspace work{folder / std::to_string(documentBytes), mix};
            if (!writeDocument(work, documentBytes))
                return 1;
            prepareVerification(work);
            for (Stage stage : kStages) {
                const std::uintmax_t bytes = inputBytes(stage, work);
                const Measurement m = bestOf(3, stage, work);
                const double megabytes = static_cast<double>(bytes) / (1024.0 * 1024.0);
                std::printf("%-7s %12ju %12ju %9.3f %9.2f %9.2f %14ld %8.2f%s\n", stageName(stage),
                            static_cast<std::uintmax_t>(documentBytes), bytes, m.seconds,
                            m.seconds > 0 ? megabytes / m.seconds : 0.0,
                            m.cpuSeconds > 0 ? megabytes / m.cpuSeconds : 0.0, m.peakKilobytes,
                            static_cast<double>(m.peakKilobytes) * 1024.0 /
                                static_cast<double>(bytes),
                            m.ok ? "" : "  FAILED");
            }
            fs::remove_all(work.folder);
        }
    }
    fs::remove_all(folder);
    return 0;
}
