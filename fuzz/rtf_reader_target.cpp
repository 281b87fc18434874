// Fuzz target: the reader of translated QMX files saved as RTF.
//
// Checks: a failure is one of the reader's result codes (5010 to 5060) or a
// FileError, and leaves the caller's lines as they were. A "\'0a" or "\'0d"
// escape gives that byte inside a line like any other hexadecimal escape
// (the RTF writer relies on it to carry such bytes through), so read lines
// may hold them; a raw line end in the RTF source never reaches a line.
#include "conversion/result_code.h"
#include "foundation/file_error.h"
#include "fuzz_support.h"
#include "qmx/rtf_reader.h"

#include <cstdint>

using namespace quillex;
using namespace quillex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = ScratchFolder::instance().subfolder("rtf") + "input.RTF";
    writeFile(path, std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<std::string> before{"line already there"};
    std::vector<std::string> lines = before;
    try {
        readRtfFile(path, lines);
    } catch (const ConversionFailure& failure) {
        if (!result::isResultCode(failure.code()) || failure.code() < result::NotRtf ||
            failure.code() > result::RtfError5)
            fail("the RTF reader threw " + std::to_string(failure.code()));
        if (lines != before)
            fail("a failed read changed the lines");
        return 0;
    } catch (const FileError&) {
        return 0;
    }
    if (lines.empty() || lines.front() != before.front())
        fail("the RTF reader dropped lines it did not read");
    return 0;
}
