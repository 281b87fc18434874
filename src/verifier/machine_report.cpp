// JSON and JUnit XML of one verification. Texts of the QMX files are bytes of
// their code page; both formats are UTF-8, so they are converted, a byte
// without a character of its own becoming U+FFFD.
#include "verifier/machine_report.h"

#include "foundation/ct/ct_code_page.h"

#include <array>
#include <cstdio>
#include <iconv.h>
#include <sstream>

namespace quillex::verifier {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The severities as the reports name them.
constexpr std::array<std::string_view, 3> kSeverityNames = {"error", "alert", "warning"};

std::string_view severityName(Severity severity) {
    return kSeverityNames[static_cast<std::size_t>(severity)];
}

// Converts `bytes` of `codePage` to UTF-8 with one iconv call; false when a
// byte sequence does not convert.
bool convert(iconv_t handle, std::string_view bytes, std::string& out) {
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::string buffer(bytes.size() * 4 + 4, '\0');
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    if (iconv(handle, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return false;
    out.append(buffer.data(), buffer.size() - outLeft);
    return true;
}

std::string toUtf8(std::string_view bytes, int codePage) {
    const CT_CodePage* page = CT_CodePage::spcco_Find(codePage);
    const iconv_t handle = iconv_open("UTF-8", page != nullptr ? page->iconvName : "CP1252");
    if (handle == reinterpret_cast<iconv_t>(-1))
        return std::string(bytes);
    std::string out;
    if (!convert(handle, bytes, out)) {
        out.clear();
        for (std::size_t i = 0; i < bytes.size();) {
            const std::size_t length =
                page != nullptr && page->b_IsLeadByte(static_cast<unsigned char>(bytes[i])) &&
                        i + 1 < bytes.size()
                    ? 2
                    : 1;
            if (!convert(handle, bytes.substr(i, length), out))
                out += kReplacement;
            i += length;
        }
    }
    iconv_close(handle);
    return out;
}

// The segment text a finding shows, cut after its first 4 kB: a real
// segment is far shorter, and one of megabytes with thousands of findings
// would otherwise be written once for each (a report of gigabytes).
constexpr std::size_t kLongestSegmentShown = 4096;
constexpr std::string_view kCutMark = "...";

std::string shownSegment(std::string_view segment, int codePage) {
    if (segment.size() <= kLongestSegmentShown)
        return toUtf8(segment, codePage);
    return toUtf8(segment.substr(0, kLongestSegmentShown), codePage) + std::string(kCutMark);
}

std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

// Text for XML content and attribute values; characters XML cannot hold go.
std::string xmlText(std::string_view utf8) {
    std::string out;
    for (const char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\n':
            out += "&#10;";
            break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
                out += c;
        }
    }
    return out;
}

int codePageOf(const VerificationSummary& summary, const Finding& finding) {
    return finding.file == summary.translated ? summary.targetCodePage : summary.sourceCodePage;
}

// The message without its "[N] ERROR! " start: the number and severity have
// fields of their own.
std::string_view bareMessage(std::string_view message) {
    const std::size_t bang = message.find("! ");
    return message.starts_with('[') && bang != std::string_view::npos ? message.substr(bang + 2)
                                                                      : message;
}

std::string fileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string verificationJson(const VerificationSummary& summary,
                             const std::vector<Finding>& findings) {
    std::ostringstream out;
    out << "{\n  \"source\": " << jsonString(toUtf8(summary.source, summary.sourceCodePage))
        << ",\n  \"translated\": " << jsonString(toUtf8(summary.translated, summary.targetCodePage))
        << ",\n  \"complete\": " << (summary.complete ? "true" : "false")
        << ",\n  \"errors\": " << summary.errors << ",\n  \"alerts\": " << summary.alerts
        << ",\n  \"warnings\": " << summary.warnings << ",\n  \"findings\": [";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        const int codePage = codePageOf(summary, f);
        out << (i ? "," : "") << "\n    {\"number\": " << f.number
            << ", \"severity\": " << jsonString(severityName(f.severity))
            << ", \"file\": " << jsonString(toUtf8(f.file, codePage)) << ", \"line\": " << f.line
            << ", \"segment\": " << jsonString(shownSegment(f.segment, codePage))
            << ", \"tag\": " << jsonString(toUtf8(f.tag, codePage))
            << ", \"message\": " << jsonString(toUtf8(bareMessage(f.message), codePage))
            << ", \"section\": " << jsonString(f.section) << "}";
    }
    out << (findings.empty() ? "" : "\n  ") << "]\n}\n";
    return out.str();
}

std::string verificationJunit(const VerificationSummary& summary,
                              const std::vector<Finding>& findings) {
    const std::string name = xmlText(toUtf8(fileName(summary.translated), summary.targetCodePage));
    int failures = 0;
    for (const Finding& f : findings)
        failures += f.severity == Severity::Warning ? 0 : 1;
    const std::size_t tests = findings.empty() ? 1 : findings.size();
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites>\n  <testsuite name=\"verify "
        << name << "\" tests=\"" << tests << "\" failures=\"" << failures
        << "\" errors=\"0\" skipped=\"0\">\n";
    if (findings.empty())
        out << "    <testcase classname=\"quillex.verify\" name=\"" << name << "\"/>\n";
    for (const Finding& f : findings) {
        const int codePage = codePageOf(summary, f);
        const std::string message = xmlText(toUtf8(bareMessage(f.message), codePage));
        const std::string where = xmlText(toUtf8(f.file, codePage)) +
                                  (f.line > 0 ? ":" + std::to_string(f.line) : std::string());
        out << "    <testcase classname=\"quillex.verify." << name << "\" name=\"[" << f.number
            << "] " << message << "\">\n";
        const std::string details = where + "&#10;" + xmlText(shownSegment(f.segment, codePage));
        if (f.severity == Severity::Warning)
            out << "      <system-out>" << details << "</system-out>\n";
        else
            out << "      <failure type=\"" << severityName(f.severity) << "\" message=\""
                << message << "\">" << details << "</failure>\n";
        out << "    </testcase>\n";
    }
    out << "  </testsuite>\n</testsuites>\n";
    return out.str();
}

} // namespace quillex::verifier
