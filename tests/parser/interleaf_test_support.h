// Helpers of the Interleaf lexer and parser tests: the sample documents and a
// host that records the results lines.
#pragma once

#include "conversion/conversion_host.h"
#include "support/recording_host.h"

#include <filesystem>
#include <string>

namespace quillex::testing {

using RecordingHost = quillex::testing::RecordingHost;

inline std::string interleafSample(const std::string& name) {
    return (std::filesystem::path(QUILLEX_TEST_DATA) / "interleaf" / name).string();
}

} // namespace quillex::testing
