// Shared helpers of the verifier tests: a host that records what it is told,
// and QMX texts built from body lines.
#pragma once

#include "conversion/conversion_host.h"
#include "support/recording_host.h"
#include "verifier/segment_scanner.h"
#include "verifier/verification_report.h"

#include <string>
#include <vector>

namespace quillex::testing {

using RecordingHost = quillex::testing::RecordingHost;

// The four header lines of a QMX file.
inline std::vector<std::string> qmxHeader(const std::string& language = "English (US)") {
    return {"<qmx \"I2.00\">", "<language \"" + language + "\">", "<quotes \"As tags\">",
            "<readonly \"Don't translate\">"};
}

// A whole QMX file: header, `body`, closing line.
inline std::vector<std::string> qmxLines(const std::vector<std::string>& body,
                                         const std::string& language = "English (US)") {
    std::vector<std::string> lines = qmxHeader(language);
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back("</qmx>");
    return lines;
}

// Lines joined with CR LF after each, as the forward conversion writes them.
inline std::string crlfText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// All report lines joined with LF after each, for searching.
inline std::string reportText(const verifier::VerificationReport& report) {
    std::string text;
    for (const std::string& line : report.lines())
        text += line + "\n";
    return text;
}

// A file made of `lines` as the checks see it.
inline verifier::TaggedFile taggedFile(const std::vector<std::string>& lines, int font = 3) {
    verifier::TaggedFile file;
    verifier::loadSegments(file, verifier::joinLines(lines));
    file.font = font;
    return file;
}

} // namespace quillex::testing
