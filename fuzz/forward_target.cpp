// Fuzz target: the forward conversion of arbitrary bytes, as a document
// (fuzz_forward_doc) or a style file (fuzz_forward_sty, built with
// QUILLEX_FUZZ_STYLE=1), saved as text and, where the build has the RTF
// writer, as RTF.
//
// Checks: the outcome is a result code of the table (a FileError or a refused
// input counts as result 4, running out of memory as 5); every file moves the batch bar by
// exactly ten steps; a failed run leaves nothing in the output folders; a
// successful one leaves exactly the ORG copy and the QMX file(s).
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

void convertAs(std::string_view bytes, int fileFormat) {
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
    if (!isResultCode(code))
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
    convertAs(bytes, 0);
#ifdef QUILLEX_HAVE_RTF_WRITER
    convertAs(bytes, 1);
#endif
    return 0;
}
