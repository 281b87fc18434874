// Fuzz target: the backward conversion of an arbitrary translated file
// against a fixed skeleton.
//
// Once per process, a forward conversion of a corpus document makes the
// skeleton (the ORG file) and the ancillary file, in text and in RTF. Each
// input is then saved as the translated file and converted back: an input
// whose first line starts with "<qmx" against the text setup (ANCILL.TXT),
// anything else as RTF (ANCILL.RTF), so that the seeds of both formats keep
// their own ancillary file.
//
// Checks: the outcome is a result code of the table; a successful run leaves
// exactly the output document beside the translated files, and the document
// parses as Interleaf ASCII; a failed run leaves no output and no temporary
// file; the skeleton folder is never touched.
#include "backward/ancillary_text.h"
#include "backward/backward_converter.h"
#include "conversion/result_code.h"
#include "forward/ancillary_file.h"
#include "forward/forward_converter.h"
#include "foundation/file_error.h"
#include "fuzz_support.h"
#include "parser/interleaf/interleaf_parser.h"
#include "parser/ss_exception.h"

#include <cstdint>
#include <new>

// The document the skeleton is made from (fuzz/CMakeLists.txt names it).
#ifndef QUILLEX_FUZZ_SKELETON
#define QUILLEX_FUZZ_SKELETON "tests/data/corpus/as-8.0/TOC.DOC"
#endif

using namespace quillex;
using namespace quillex::fuzz;

namespace {

constexpr const char* kBaseName = "input";

ConversionOptions optionsFor(const std::string& folder, int fileFormat) {
    ScratchFolder& scratch = ScratchFolder::instance();
    ConversionOptions options;
    options.fileFormatForQmx = fileFormat == 1 ? QmxFileFormat::Rtf : QmxFileFormat::Text;
    options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    options.sourceDirectory = scratch.subfolder(folder + "/source");
    options.orgDirectory = scratch.subfolder(folder + "/org");
    options.translatedDirectory = scratch.subfolder(folder + "/translated");
    options.baseName = kBaseName;
    lookupLanguage("English (US)", LanguageRole::Source, options.sourceLanguage);
    lookupLanguage("French", LanguageRole::Target, options.targetLanguage);
    return options;
}

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && !in)
        fail("cannot read " + path);
    return bytes;
}

// One format's fixed files: the skeleton in org/, the ancillary file and the
// QMX file the forward conversion wrote (kept as a seed) in translated/.
struct Setup {
    ConversionOptions options;
    std::string qmxName; // input.TXT or input.RTF
    std::vector<std::string> orgNames;
    std::vector<std::string> fixedNames; // of translated/, the input excluded
};

Setup makeSetup(const std::string& folder, int fileFormat) {
    Setup setup;
    setup.options = optionsFor(folder, fileFormat);
    ConversionOptions& options = setup.options;
    options.extension = ".DOC";
    options.inputPath = options.sourceDirectory + kBaseName + ".DOC";
    writeFile(options.inputPath, readWhole(QUILLEX_FUZZ_SKELETON));
    CountingHost host;
    AncillaryCollector collector;
    if (convertFile(options, collector, host).code != result::Success)
        fail("the skeleton document does not convert forward");
    if (!writeAncillaryFile(options, collector, host))
        fail("the ancillary file of the skeleton was not written");
    setup.qmxName = std::string(kBaseName) + (fileFormat == 1 ? ".RTF" : ".TXT");
    // The forward conversion's own QMX file is the natural seed: fuzz/run
    // asks for a copy through QUILLEX_FUZZ_SEEDS.
    if (const char* seeds = std::getenv("QUILLEX_FUZZ_SEEDS"))
        writeFile(std::string(seeds) + "/skeleton-" + folder + setup.qmxName.substr(5),
                  readWhole(options.translatedDirectory + setup.qmxName));
    std::filesystem::remove(options.translatedDirectory + setup.qmxName);
    std::filesystem::remove(options.orgDirectory + setup.qmxName);
    std::filesystem::remove(options.orgDirectory + (fileFormat == 1 ? "ANCILL.RTF" : "ANCILL.TXT"));
    setup.orgNames = namesIn(options.orgDirectory);
    setup.fixedNames = namesIn(options.translatedDirectory);
    options.extension = fileFormat == 1 ? ".RTF" : ".TXT";
    options.inputPath = options.translatedDirectory + setup.qmxName;
    return setup;
}

Setup& textSetup() {
    static Setup setup = makeSetup("text", 0);
    return setup;
}

Setup& rtfSetup() {
    static Setup setup = makeSetup("rtf", 1);
    return setup;
}

// Runs the backward conversion as the batch's per-file wrapper does, mapping
// every way out to a result code.
int convertBackOnce(const ConversionOptions& options) {
    CountingHost host;
    backward::BatchAncillaryText ancillary;
    try {
        return backward::convertBack(options, ancillary, host).code;
    } catch (const ConversionFailure& failure) {
        return failure.code();
    } catch (const FileProblem&) {
        return result::FileError;
    } catch (const std::bad_alloc&) {
        return result::OutOfMemory;
    } catch (const std::exception& error) {
        fail(std::string("an exception that is no result code: ") + error.what());
    }
}

// The output must be a whole Interleaf document: the parser accepts it.
void checkParses(const std::string& path) {
    CountingHost host;
    try {
        InterleafParser parser(path, &host, 0);
        parser.setErrorCode(0);
        if (parser.parse() != 0)
            fail("the output does not parse (error at line " + std::to_string(parser.errorLine()) +
                 ")");
    } catch (const ConversionFailure& failure) {
        fail("the output does not parse: the lexer threw " + std::to_string(failure.code()));
    } catch (const SSException& error) {
        fail(std::string("the output does not parse: ") + error.what());
    }
}

std::vector<std::string> withName(std::vector<std::string> names, const std::string& name) {
    names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// Both setups are made before the first input, so that the seeds exist
// even for a run of no inputs.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    textSetup();
    rtfSetup();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Setup& setup = bytes.starts_with("<qmx") ? textSetup() : rtfSetup();
    const ConversionOptions& options = setup.options;
    writeFile(options.inputPath, bytes);

    const int code = convertBackOnce(options);
    if (!result::isResultCode(code))
        fail("result " + std::to_string(code) + " is not in the table");

    if (namesIn(options.orgDirectory) != setup.orgNames)
        fail("the skeleton folder changed: " + joined(namesIn(options.orgDirectory)));
    const std::string outputName = std::string(kBaseName) + ".DOC";
    const std::vector<std::string> before = withName(setup.fixedNames, setup.qmxName);
    const std::vector<std::string> after = namesIn(options.translatedDirectory);
    if (code == result::Success) {
        if (after != withName(before, outputName))
            fail("a successful run left " + joined(after));
        checkParses(options.translatedDirectory + outputName);
        std::filesystem::remove(options.translatedDirectory + outputName);
    } else if (after != before) {
        fail("result " + std::to_string(code) + " left files behind: " + joined(after));
    }
    return 0;
}
