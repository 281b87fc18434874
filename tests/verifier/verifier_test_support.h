// Shared helpers of the verifier tests: a host that records what it is told,
// a scratch folder, and QMX texts built from body lines.
#pragma once

#include "conversion/conversion_host.h"
#include "support/recording_host.h"
#include "verifier/segment_scanner.h"
#include "verifier/verification_report.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace quillex::testing {

using RecordingHost = quillex::testing::RecordingHost;

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
  public:
    ScratchFolder() {
        static int counter = 0;
        path_ =
            std::filesystem::temp_directory_path() /
            ("quillex-verifier-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    // The folder's path ending with "/".
    std::string path() const { return path_.string() + "/"; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string subfolder(const std::string& name) const {
        std::filesystem::create_directories(path_ / name);
        return (path_ / name).string() + "/";
    }

  private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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
