// Translated files that fuzzing found to misbehave in the backward
// conversion, replayed against the skeleton the fuzz target uses (the corpus
// TOC document), in the format the first line tells.
//
// Whatever a translated file holds, the run either writes a whole document
// that parses, or fails and leaves no document behind.
#include "round_trip_support.h"

#include "parser/interleaf/interleaf_parser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quillex;
using namespace quillex::testing;

namespace {

const std::string kRegressions = std::string(QUILLEX_TEST_DATA) + "/fuzz-regressions/fuzz_backward";

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool parses(const std::string& path) {
    InterleafParser parser(path);
    parser.setErrorCode(0);
    return parser.parse() == 0;
}

// The backward batch over `translation` in place of the forward
// conversion's QMX file. Returns the number of failed files.
int convertBackInstead(const std::string& translation, std::string& outputPath) {
    const bool text = translation.starts_with("<qmx");
    RoundTrip trip(text ? RoundTrip::Format::Text : RoundTrip::Format::Rtf);
    trip.forward("r", {{"input.DOC", fileText(std::string(QUILLEX_CORPUS) + "/as-8.0/TOC.DOC")}});
    const std::string qmxName = "input" + trip.qmxExtension();
    trip.write("r/translated/" + qmxName, translation);
    const BatchReport report = trip.backward("r", {qmxName});
    EXPECT_TRUE(report.started);
    outputPath = trip.work.folder() + "r/translated/input.DOC";
    const bool written = std::filesystem::exists(outputPath);
    EXPECT_EQ(written, report.failed == 0) << "a failed run must leave no document";
    if (written) {
        EXPECT_TRUE(parses(outputPath)) << "the written document does not parse";
    }
    return report.failed;
}

} // namespace

// A paragraph tag edited in the translation has no replacement in the
// skeleton; it was written into the document as it was, which then no longer
// parsed, and the run reported success. It is now refused.
TEST(BackwardFuzzRegressions, EveryReproducerFailsCleanlyOrGivesAParsableDocument) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kRegressions)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::string output;
        EXPECT_EQ(convertBackInstead(fileText(entry.path().string()), output), 1);
        ++files;
    }
    EXPECT_GT(files, 0);
}
