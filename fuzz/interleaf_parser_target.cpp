// Fuzz target: the Interleaf lexer and parser on arbitrary bytes, as the
// conversions run them, with DEBUG off (the first unexpected character ends
// the parse) and on (up to twenty are skipped and reported).
//
// Checks: a parse ends with 0 (accepted) or the parser error 6, whether the
// parser returns it or the lexer throws it; engine failures come only from
// the file itself (empty); nothing else escapes.
#include "conversion/result_code.h"
#include "fuzz_support.h"
#include "parser/interleaf/interleaf_parser.h"
#include "parser/ss_exception.h"

#include <cstdint>

using namespace quillex;
using namespace quillex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = ScratchFolder::instance().subfolder("parser") + "input.DOC";
    writeFile(path, std::string_view(reinterpret_cast<const char*>(data), size));
    for (const int debug : {0, 1}) {
        CountingHost host;
        try {
            InterleafParser parser(path, &host, debug);
            parser.setErrorCode(0);
            const int failed = parser.parse();
            if (failed == 0 && parser.errorCode() != 0)
                fail("an accepted parse left error code " + std::to_string(parser.errorCode()));
            if (failed != 0 && parser.errorCode() != result::ParserError)
                fail("a refused parse left error code " + std::to_string(parser.errorCode()));
        } catch (const ConversionFailure& failure) {
            if (failure.code() != result::ParserError)
                fail("the parse threw " + std::to_string(failure.code()));
        } catch (const SSException& error) {
            if (size != 0)
                fail(std::string("the engine failed on a non-empty file: ") + error.what());
        } catch (const std::exception& error) {
            fail(std::string("the parse let an exception escape: ") + error.what());
        }
    }
    return 0;
}
