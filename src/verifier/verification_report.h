// The verification report, built in memory line by line.
//
// Every line goes through one operation that knows the report's container:
// for an RTF report the line is converted on the way in, with its tag
// styling and font, so the stored lines are ready to be written. Findings are
// numbered by one running total; section headings are inserted afterwards
// before the findings they head, and only when there were any.
#pragma once

#include "foundation/format_text.h"
#include "qmx/rtf_prologue.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillex::verifier {

// Fonts of report lines (as the RTF report line conversion numbers them).
inline constexpr int kMessageFont = 2;
inline constexpr int kSourceFont = 3;
inline constexpr int kTargetFont = 4;

enum class Severity { Error, Alert, Warning };

// One finding as machine-readable reports give it: where it is and what.
struct Finding {
    int number = 0;
    Severity severity = Severity::Error;
    std::string message; // as the report line says it, "[1] ERROR! ..." included
    std::string section; // the heading it stands under, once known
    std::string file;    // the file whose text it shows
    int line = 0;        // of that text's first line in the file; 0 when unknown
    // The text the report shows with it. The findings shown with one text
    // share it (`segmentText` holds it), so that many findings in one long
    // segment take memory for one copy, not one each.
    std::string_view segment;
    std::shared_ptr<const std::string> segmentText;
    std::string tag; // the tag it is about
};

class VerificationReport {
  public:
    struct Format {
        bool rtf = false;
        int sourceCodePage = 1252;
        int targetCodePage = 1252;
    };

    VerificationReport() = default;
    explicit VerificationReport(Format format) : format_(format) {}

    // The file whose segments the next findings show: its path, and the text
    // (its lines, each followed by LF) the segments are views of.
    void setCurrentFile(std::string_view path, std::string_view text);

    // The source code page changes with every loaded file; later lines use it.
    void setSourceCodePage(int codePage) { format_.sourceCodePage = codePage; }
    const Format& format() const { return format_; }

    // The six header lines: rules, title, date and time, the two paths.
    void addHeader(std::string_view sourcePath, std::string_view targetPath,
                   std::string_view dateTime);

    // Adds a line at the end (font 2, tags not styled unless asked).
    void addLine(std::string_view text, bool styleTags = false, int font = kMessageFont);
    // Inserts lines so that they follow the first `position` lines.
    void insertLines(std::size_t position, const std::vector<std::string>& texts);

    // Counts one finding and adds its message, formatted with the new finding
    // number followed by `args`.
    template <typename... Args>
    void addFinding(Severity severity, bool styleTags, const char* format, Args... args) {
        const int number = countFinding(severity);
        addLine(formatText(format, number, args...), styleTags);
    }
    int countFinding(Severity severity);

    // "Text Segment" block: the text without its final line end.
    void addSegmentBlock(std::string_view text, int font, bool styleTags = true);
    // The wider block of the structure checks: the joined texts of the
    // previous, current and next segment, and one more empty line.
    void addContextBlock(std::string_view joinedText, int font);
    // A source text and a translated text one above the other.
    void addComparisonBlock(std::string_view sourceText, std::string_view translatedText);

    // Section headings: note where a step starts, then insert its heading
    // there when the step produced findings (or lines).
    struct Mark {
        std::size_t lines;
        int findings;
    };
    Mark mark() const { return {lines_.size(), total_}; }
    bool hasFindingsSince(Mark mark) const { return total_ != mark.findings; }
    bool hasLinesSince(Mark mark) const { return lines_.size() != mark.lines; }
    void insertHeading(Mark mark, std::string_view heading,
                       const std::vector<std::string>& linesAfter = {});
    // Inserts the heading only when findings were counted since `mark`.
    bool headSection(Mark mark, std::string_view heading,
                     const std::vector<std::string>& linesAfter = {});

    // Findings so far; errors are what is neither an alert nor a warning.
    int total() const { return total_; }
    int alerts() const { return alerts_; }
    int warnings() const { return warnings_; }
    int errors() const { return total_ - alerts_ - warnings_; }

    // Adds the count lines after the header and, when there are errors, the
    // closing block. Call once, just before the report is written.
    void addCountsAndClosing();

    const std::vector<std::string>& lines() const { return lines_; }
    const std::vector<Finding>& findings() const { return findings_; }

    // Saves the lines as text (a line end after each) or as RTF, complete or
    // not at all; throws FileError.
    void write(const std::string& path, PaperSize paper) const;

  private:
    std::string prepared(std::string_view text, bool styleTags, int font) const;

    // Gives the findings that have no text yet the text shown after them.
    void placeFindings(std::string_view text, bool isView);

    Format format_;
    std::vector<std::string> lines_;
    std::vector<Finding> findings_;
    bool awaitingMessage_ = false; // the next line is the message of the last finding
    std::size_t unplaced_ = 0;     // the first finding without its text
    std::string currentPath_;
    std::string_view currentText_;
    // The line counted last in currentText_, so that placing the findings of
    // a file counts its lines once, not once per block.
    std::size_t countedTo_ = 0;
    int countedLines_ = 0;
    int total_ = 0;
    int alerts_ = 0;
    int warnings_ = 0;
};

// The text without one final line end.
std::string_view withoutFinalLineEnd(std::string_view text);

} // namespace quillex::verifier
