// Fuzz target: the forward conversion of arbitrary bytes, as a document
// (fuzz_forward_doc) or a style file (fuzz_forward_sty, built with
// QUILLEX_FUZZ_STYLE=1), saved as text or, where the build has the RTF
// writer, as RTF (below).
//
// Checks: the outcome is a result code of the table (a FileError or a refused
// input counts as result 4, running out of memory as 5); every file moves the batch bar by
// exactly ten steps; a failed run leaves nothing in the output folders; a
// successful one leaves exactly the ORG copy and the QMX file(s).
//
// Each input is converted once, as text or as RTF by the parity of its
// length: the two formats share the whole conversion but the writer, and
// converting every input twice halved the inputs a second for little more
// coverage. The same bytes always take the same format, so a saved input
// reproduces its finding.
#include "conversion/result_code.h"
#include "forward/forward_converter.h"
#include "foundation/file_error.h"
#include "fuzz_support.h"

#include <cstdint>
#include <new>

#ifndef QUILLEX_FUZZ_STYLE
#define QUILLEX_FUZZ_STYLE 0
#endif

using namespace quillex;
using namespace quillex::fuzz;

namespace {

constexpr bool kStyle = QUILLEX_FUZZ_STYLE != 0;

// The options of one format, made once: the scratch folders and languages
// are the same for every input.
ConversionOptions makeOptions(int fileFormat) {
    ScratchFolder& scratch = ScratchFolder::instance();
    ConversionOptions options;
    options.fileFormatForQmx = fileFormat == 1 ? QmxFileFormat::Rtf : QmxFileFormat::Text;
    options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    options.sourceDirectory = scratch.subfolder("source");
    options.orgDirectory = scratch.subfolder("org");
    options.translatedDirectory = scratch.subfolder("translated");
    options.baseName = "input";
    options.extension = kStyle ? ".STY" : ".DOC";
    options.inputPath = options.sourceDirectory + options.baseName + options.extension;
    lookupLanguage("English (US)", LanguageRole::Source, options.sourceLanguage);
    lookupLanguage("English (US)", LanguageRole::Target, options.targetLanguage);
    return options;
}

const ConversionOptions& optionsFor(int fileFormat) {
    static const ConversionOptions text = makeOptions(0);
    static const ConversionOptions rtf = makeOptions(1);
    return fileFormat == 1 ? rtf : text;
}

void convertAs(std::string_view bytes, int fileFormat) {
    const ConversionOptions& options = optionsFor(fileFormat);
    writeFile(options.inputPath, bytes);

    CountingHost host;
    AncillaryCollector collector;
    int code = -1;
    try {
        code = convertFile(options, collector, host).code;
    } catch (const FileError&) {
        code = result::FileError;
    } catch (const RefusedInput&) {
        code = result::FileError; // reported like a file error
    } catch (const std::bad_alloc&) {
        code = result::OutOfMemory;
    } catch (const std::exception& error) {
        fail(std::string("an exception that is no result code: ") + error.what());
    } catch (const ConversionFailure& failure) {
        fail("convertFile let the failure " + std::to_string(failure.code()) + " escape");
    }
    if (!result::isResultCode(code))
        fail("result " + std::to_string(code) + " is not in the table");
    if (host.batchSteps != 10)
        fail("the batch bar moved " + std::to_string(host.batchSteps) + " steps, not 10");

    const std::vector<std::string> org = namesIn(options.orgDirectory);
    const std::vector<std::string> translated = namesIn(options.translatedDirectory);
    if (code != result::Success) {
        if (!org.empty() || !translated.empty())
            fail("result " + std::to_string(code) + " left files behind: " + joined(org) + " / " +
                 joined(translated));
    } else {
        const std::string qmx =
            kStyle ? "input.CAT" : (fileFormat == 1 ? "input.RTF" : "input.TXT");
        const std::vector<std::string> expected =
            kStyle ? std::vector<std::string>{"input.CAT", "input.STY"}
                   : std::vector<std::string>{"input.ORG", qmx};
        if (org != expected || translated != std::vector<std::string>{qmx})
            fail("a successful run left " + joined(org) + " / " + joined(translated));
    }
    emptyFolder(options.orgDirectory);
    emptyFolder(options.translatedDirectory);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
#ifdef QUILLEX_HAVE_RTF_WRITER
    convertAs(bytes, size % 2 == 0 ? 0 : 1);
#else
    convertAs(bytes, 0);
#endif
    return 0;
}
