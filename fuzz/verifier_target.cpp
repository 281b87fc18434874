// Fuzz target: the verifier on an arbitrary source and translation pair.
//
// The input is split in two (FuzzedDataProvider): the source QMX file and
// its translation, both plain text. Checks: the outcome is a result code of
// the table; the bars move by the same number of steps whatever happens; no
// file but the report appears beside the translation.
#include "conversion/result_code.h"
#include "foundation/file_error.h"
#include "fuzz_support.h"
#include "verifier/verifier.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <new>

using namespace quillex;
using namespace quillex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const std::string source = provider.ConsumeRandomLengthString(size);
    const std::string translation = provider.ConsumeRemainingBytesAsString();
    ScratchFolder& scratch = ScratchFolder::instance();
    ConversionOptions options;
    options.fileFormatForQmx = QmxFileFormat::Text;
    options.overwriteFiles = OverwriteFiles::AlwaysOverwrite;
    options.orgDirectory = scratch.subfolder("verify-source");
    options.translatedDirectory = scratch.subfolder("verify-translated");
    options.baseName = "input";
    options.extension = ".TXT";
    options.inputPath = options.translatedDirectory + "input.TXT";
    writeFile(options.orgDirectory + "input.TXT", source);
    writeFile(options.inputPath, translation);

    CountingHost host;
    VerificationCounts counts;
    int code = -1;
    try {
        code = verifyFile(options, host, counts).code;
    } catch (const ConversionFailure& failure) {
        code = failure.code();
    } catch (const FileError&) {
        code = result::FileError;
    } catch (const std::bad_alloc&) {
        code = result::OutOfMemory;
    } catch (const std::exception& error) {
        fail(std::string("an exception that is no result code: ") + error.what());
    }
    if (!result::isResultCode(code))
        fail("result " + std::to_string(code) + " is not in the table");
    if (host.batchSteps != kVerifyProgressSteps)
        fail("the batch bar moved " + std::to_string(host.batchSteps) + " steps, not " +
             std::to_string(kVerifyProgressSteps));
    for (const std::string& name : namesIn(options.translatedDirectory))
        if (name != "input.TXT" && name != "input.CMP")
            fail("the verifier left " + name);
    emptyFolder(options.translatedDirectory);
    return 0;
}
