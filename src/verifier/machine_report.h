// The verification of one file pair as machine-readable reports, written
// beside the .CMP report for build servers and scripts: JSON with every
// finding (file, line, segment, severity, tag, message, section), and JUnit
// XML with a test case per finding (errors and alerts fail, warnings pass
// with their text) or one passing test case for a clean file.
#pragma once

#include "verifier/verification_report.h"

#include <string>
#include <vector>

namespace quillex::verifier {

// Which machine-readable reports a verify batch writes (bits).
inline constexpr int kJsonReport = 1;
inline constexpr int kJunitReport = 2;

struct VerificationSummary {
    std::string source;     // path of the source QMX file
    std::string translated; // path of the translated QMX file
    bool complete = true;   // false when it stopped after a syntax check
    int errors = 0;
    int alerts = 0;
    int warnings = 0;
    int sourceCodePage = 1252; // of the texts of the source file's findings
    int targetCodePage = 1252; // of the translated file's
};

std::string verificationJson(const VerificationSummary& summary,
                             const std::vector<Finding>& findings);
std::string verificationJunit(const VerificationSummary& summary,
                              const std::vector<Finding>& findings);

} // namespace quillex::verifier
