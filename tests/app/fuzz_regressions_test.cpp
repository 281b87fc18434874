// Inputs that fuzzing found to misbehave, kept so that they stay fixed.
#include "conversion/result_code.h"
#include "parser/interleaf/interleaf_diagnostics.h"
#include "qmx/rtf_reader.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillex;

namespace {

const std::string kRegressions = std::string(QUILLEX_TEST_DATA) + "/fuzz-regressions/";

} // namespace

// A diagram field beginning with a byte no rule takes gave an endless run of
// empty lexemes in the listing of `quillex tokens`.
TEST(FuzzRegressions, TokenListingEndsWhereTheScanMakesNoProgress) {
    std::ostringstream listing;
    const int outcome = writeInterleafDiagnostics(
        kRegressions + "tokens-listing/empty-diagram-field.DOC", listing, 0, 1252);
    EXPECT_EQ(outcome, result::ParserError);
    EXPECT_NE(listing.str().find("Scanning stopped: no progress at line 3, offset 28"),
              std::string::npos);
    EXPECT_LT(listing.str().size(), 10000u);
}

// "\'0a" is a hexadecimal escape like any other: the byte stays inside its
// line, and the line list keeps one entry per paragraph.
TEST(FuzzRegressions, HexEscapedLineFeedStaysInsideItsLine) {
    std::vector<std::string> lines;
    readRtfFile(kRegressions + "fuzz_rtf_reader/hex-line-feed.RTF", lines);
    bool found = false;
    for (const std::string& line : lines)
        found = found || line.find_first_of("\r\n") != std::string::npos;
    EXPECT_TRUE(found);
}
