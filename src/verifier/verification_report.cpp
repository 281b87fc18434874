// The verification report.
#include "verifier/verification_report.h"

#include "foundation/string_table.h"
#include "qmx/rtf_writer.h"
#include "qmx/text_writer.h"
#include "verifier/report_texts.h"

#include <algorithm>
#include <iterator>

namespace quillex::verifier {
namespace {

constexpr std::size_t kHeaderLines = 5; // counts go after the Target File line

// The first tag of `text`, "<" to the ">" that closes it (tags may nest);
// empty when there is none.
std::string firstTagOf(std::string_view text) {
    const std::size_t start = text.find('<');
    if (start == std::string_view::npos)
        return {};
    int depth = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] == '<')
            ++depth;
        else if (text[i] == '>' && --depth == 0)
            return std::string(text.substr(start, i + 1 - start));
    }
    return {};
}

} // namespace

std::string_view withoutFinalLineEnd(std::string_view text) {
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    return text;
}

std::string VerificationReport::prepared(std::string_view text, bool styleTags, int font) const {
    std::string line(text);
    if (format_.rtf)
        convertReportLineToRtf(line, styleTags, font, format_.sourceCodePage,
                               format_.targetCodePage);
    return line;
}

void VerificationReport::write(const std::string& path, PaperSize paper) const {
    if (format_.rtf)
        writeRtfFile(path, lines_, paper, format_.sourceCodePage, format_.targetCodePage);
    else
        writeTextFile(path, lines_);
}

void VerificationReport::addHeader(std::string_view sourcePath, std::string_view targetPath,
                                   std::string_view dateTime) {
    const std::string rule(69, '-');
    addLine(rule);
    addLine(text::ReportTitle);
    addLine(std::string(text::DateTime).append(dateTime));
    addLine(std::string(text::SourceFile).append(sourcePath));
    addLine(std::string(text::TargetFile).append(targetPath));
    addLine(rule + "\n");
}

void VerificationReport::addLine(std::string_view text, bool styleTags, int font) {
    if (awaitingMessage_) {
        findings_.back().message = text;
        findings_.back().tag = firstTagOf(text.substr(std::min(text.find(']'), text.size())));
        awaitingMessage_ = false;
    }
    lines_.push_back(prepared(text, styleTags, font));
}

void VerificationReport::setCurrentFile(std::string_view path, std::string_view text) {
    currentPath_ = path;
    currentText_ = text;
    countedTo_ = 0;
    countedLines_ = 0;
}

void VerificationReport::placeFindings(std::string_view text, bool isView) {
    if (unplaced_ == findings_.size())
        return;
    int line = 0;
    const char* base = currentText_.data();
    if (isView && base != nullptr && text.data() >= base &&
        text.data() < base + currentText_.size()) {
        // Blocks mostly come in file order: count on from the last one.
        const auto offset = static_cast<std::size_t>(text.data() - base);
        if (offset < countedTo_) {
            countedTo_ = 0;
            countedLines_ = 0;
        }
        countedLines_ += static_cast<int>(std::count(base + countedTo_, base + offset, '\n'));
        countedTo_ = offset;
        line = 1 + countedLines_;
    }
    const auto shown = std::make_shared<const std::string>(withoutFinalLineEnd(text));
    for (; unplaced_ < findings_.size(); ++unplaced_) {
        Finding& finding = findings_[unplaced_];
        finding.file = currentPath_;
        finding.line = line;
        finding.segmentText = shown;
        finding.segment = *shown;
        if (finding.tag.empty())
            finding.tag = firstTagOf(text);
    }
}

void VerificationReport::insertLines(std::size_t position, const std::vector<std::string>& texts) {
    std::vector<std::string> prepared;
    prepared.reserve(texts.size());
    for (const std::string& text : texts)
        prepared.push_back(this->prepared(text, false, kMessageFont));
    if (position > lines_.size())
        position = lines_.size();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position),
                  std::make_move_iterator(prepared.begin()),
                  std::make_move_iterator(prepared.end()));
}

int VerificationReport::countFinding(Severity severity) {
    findings_.push_back(Finding{total_ + 1, severity, {}, {}, currentPath_, 0, {}, {}, {}});
    awaitingMessage_ = true;
    if (severity == Severity::Alert)
        ++alerts_;
    else if (severity == Severity::Warning)
        ++warnings_;
    return ++total_;
}

void VerificationReport::addSegmentBlock(std::string_view text, int font, bool styleTags) {
    placeFindings(text, true);
    addLine(text::TextSegmentStart);
    addLine(withoutFinalLineEnd(text), styleTags, font);
    addLine(text::TextSegmentEnd);
}

void VerificationReport::addContextBlock(std::string_view joinedText, int font) {
    placeFindings(joinedText, false);
    addLine(text::TextSegmentStart);
    addLine(withoutFinalLineEnd(joinedText), true, font);
    addLine(std::string(text::TextSegmentEnd) + "\n");
}

void VerificationReport::addComparisonBlock(std::string_view sourceText,
                                            std::string_view translatedText) {
    placeFindings(translatedText, true);
    addLine(text::SourceTextStart);
    addLine(withoutFinalLineEnd(sourceText), true, kSourceFont);
    addLine(text::TranslatedTextStart);
    addLine(withoutFinalLineEnd(translatedText), true, kTargetFont);
    addLine(text::ComparisonEnd);
}

void VerificationReport::insertHeading(Mark mark, std::string_view heading,
                                       const std::vector<std::string>& linesAfter) {
    // The underline is as long as the heading without its leading line end.
    const std::string_view title = heading.starts_with('\n') ? heading.substr(1) : heading;
    for (Finding& finding : findings_)
        if (finding.number > mark.findings && finding.section.empty())
            finding.section = title;
    std::vector<std::string> texts;
    texts.reserve(2 + linesAfter.size());
    texts.emplace_back(heading);
    texts.push_back(std::string(title.size(), '=') + "\n");
    texts.insert(texts.end(), linesAfter.begin(), linesAfter.end());
    insertLines(mark.lines, texts);
}

bool VerificationReport::headSection(Mark mark, std::string_view heading,
                                     const std::vector<std::string>& linesAfter) {
    if (!hasFindingsSince(mark))
        return false;
    insertHeading(mark, heading, linesAfter);
    return true;
}

void VerificationReport::addCountsAndClosing() {
    if (lines_.size() < kHeaderLines)
        return;
    std::vector<std::string> counts;
    if (errors() > 0)
        counts.push_back(formatString(MessageId::ErrorsCount, errors()));
    if (alerts() > 0)
        counts.push_back(formatString(MessageId::AlertsCount, alerts()));
    if (warnings() > 0)
        counts.push_back(formatString(MessageId::WarningsCount, warnings()));
    insertLines(kHeaderLines, counts);
    if (errors() > 0) {
        const std::string stars(64, '*');
        addLine("\n" + stars);
        addLine(text::FileHasErrors);
        addLine(text::FixAndRunAgain);
        addLine(stars + "\n");
    }
}

} // namespace quillex::verifier
