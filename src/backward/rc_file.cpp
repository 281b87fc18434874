// Reading a text file forward by line and column.
#include "backward/rc_file.h"

#include "conversion/conversion_host.h"
#include "foundation/file_error.h"
#include "foundation/format_text.h"
#include "foundation/text_file.h"

#include <algorithm>

namespace quillex::backward {
namespace {

constexpr const char* kCannotOpenInput = "File Error! Could not open the input file %s. %s\n";
constexpr const char* kLineAlreadyRead = "Line %d has already been read - current line is %d.\n";
constexpr const char* kTooFewLines =
    "Unexpected End of File in %s. This file does not contain %d lines!";
constexpr const char* kColumnAlreadyRead =
    "Character %d on line %d has already been read - current offset is %d.\n";
constexpr const char* kLineTooShortAtEnd =
    "Unexpected End of File in %s. Line %d does not contain %d characters!\n";
constexpr const char* kLineTooShort = "Line %d does not contain %d characters!\n";

// How far into a file its first line end is looked for.
constexpr std::size_t kLineEndProbeBytes = 64 * 1024;

// Positions are reported as the integers the messages print.
int asInt(std::uint32_t value) {
    return static_cast<int>(value);
}

} // namespace

std::string causeText(const FileProblem& problem) {
    constexpr std::string_view kPrefix = "File Error! ";
    std::string text = problem.resultLines().front();
    if (text.starts_with(kPrefix))
        text.erase(0, kPrefix.size());
    return text;
}

std::string lineEndOf(const std::string& path) {
    std::string start;
    try {
        start = readFileStart(path, kLineEndProbeBytes);
    } catch (const FileProblem&) {
        return "\n";
    }
    const std::size_t end = start.find_first_of("\r\n");
    if (end == std::string::npos || start[end] == '\n')
        return "\n";
    return end + 1 < start.size() && start[end + 1] == '\n' ? "\r\n" : "\r";
}

std::string CRCFile::readFile(const std::string& path, ConversionHost* host) {
    try {
        return readTextModeFile(path);
    } catch (const FileProblem& problem) {
        if (host != nullptr)
            host->appendResult(
                formatText(kCannotOpenInput, path.c_str(), causeText(problem).c_str()));
        throw;
    }
}

void CRCFile::open(const std::string& path) {
    owned_ = readFile(path, host_);
    openText(owned_, path);
}

void CRCFile::openText(std::string_view text, std::string name) {
    text_ = text;
    name_ = std::move(name);
    offset_ = 0;
    line_ = 1;
    column_ = 1;
    input_ = true;
}

void CRCFile::report(const std::string& message) const {
    if (host_ != nullptr)
        host_->appendResult(message);
}

std::size_t CRCFile::lineEnd() const {
    const std::size_t lf = text_.find('\n', offset_);
    return lf == std::string_view::npos ? text_.size() : lf;
}

void CRCFile::skipLine() {
    offset_ = std::min(lineEnd() + 1, text_.size());
    ++line_;
    column_ = 1;
}

bool CRCFile::readToLine(std::string& out, std::uint32_t line) {
    out.clear();
    if (!input_)
        return false;
    if (line < line_) {
        report(formatText(kLineAlreadyRead, asInt(line), asInt(line_)));
        return false;
    }
    // The lines read are one stretch of the text, copied at once.
    const std::size_t from = offset_;
    while (line_ < line && !atEnd())
        skipLine();
    out.assign(text_.substr(from, offset_ - from));
    // A last line without its line feed is read as if it had one.
    if (!out.empty() && out.back() != '\n')
        out += '\n';
    if (line_ < line) {
        report(formatText(kTooFewLines, name_.c_str(), asInt(line)));
        return false;
    }
    return true;
}

bool CRCFile::readToColumn(std::string& out, std::uint32_t column) {
    out.clear();
    if (!input_)
        return false;
    if (column < column_) {
        report(formatText(kColumnAlreadyRead, asInt(column), asInt(line_), asInt(column_)));
        return false;
    }
    const std::size_t wanted = column - column_;
    if (wanted == 0)
        return true;
    if (atEnd()) {
        report(formatText(kLineTooShortAtEnd, name_.c_str(), asInt(line_), asInt(column)));
        return false;
    }
    const std::size_t available = lineEnd() - offset_;
    if (available < wanted) {
        // The line ends first: what it holds is read, its line end consumed.
        out.assign(text_.substr(offset_, available));
        report(formatText(kLineTooShort, asInt(line_), asInt(column)));
        skipLine();
        return false;
    }
    out.assign(text_.substr(offset_, wanted));
    offset_ += wanted;
    column_ = column;
    return true;
}

bool CRCFile::readTo(std::string& out, std::uint32_t line, std::uint32_t column) {
    if (!readToLine(out, line))
        return false;
    std::string rest;
    const bool read = readToColumn(rest, column);
    out += rest;
    return read;
}

bool CRCFile::readToEnd(std::string& out) {
    out.clear();
    if (!input_)
        return false;
    out.assign(text_.substr(offset_));
    line_ += static_cast<std::uint32_t>(std::count(out.begin(), out.end(), '\n'));
    if (!out.empty() && out.back() != '\n') {
        out += '\n';
        ++line_;
    }
    offset_ = text_.size();
    column_ = 1;
    return true;
}

bool CRCFile::countLines() {
    if (!input_)
        return false;
    while (!atEnd())
        skipLine();
    return true;
}

int countFileLines(const std::string& path, ConversionHost* host) {
    CRCFile file(host);
    try {
        file.open(path);
    } catch (const FileProblem&) {
        return -1;
    }
    file.countLines();
    return static_cast<int>(file.currentLine()) - 1;
}

} // namespace quillex::backward
