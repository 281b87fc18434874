// CRCFile: a text file read forward by line and column.
//
// The translated document is the skeleton with some ranges replaced; the
// ranges are given as line/column positions (from 1, a column counting bytes
// within its line). CRCFile hands out the text between its position and a
// later one. Positions only move forward: asking for one that has already
// been passed is reported and refused, never a seek, because it means that
// two ranges overlap or come in the wrong order.
//
// The skeleton is a line-for-line text copy with LF line ends, read once into
// memory in text mode (the way the parser read it, so that positions agree).
// Every problem goes to the results list as one entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillex {
class ConversionHost;
class FileProblem;
} // namespace quillex

namespace quillex::backward {

class CRCFile {
  public:
    // `host` receives the messages; none in tests that do not look at them.
    explicit CRCFile(ConversionHost* host = nullptr) : host_(host) {}
    CRCFile(const CRCFile&) = delete;
    CRCFile& operator=(const CRCFile&) = delete;

    // Reads `path` in text mode into memory. On failure reports the cause
    // and throws the FileProblem.
    void open(const std::string& path);
    // Reads `text` as the contents of `name`; the caller keeps `text` alive
    // for as long as this file is read (the skeleton already in memory).
    void openText(std::string_view text, std::string name);

    // The text of `path` as open() reads it, with the same report.
    static std::string readFile(const std::string& path, ConversionHost* host);

    // `out` receives every line from the position up to the start of
    // `line`, each followed by a line feed (from mid-line: the rest of the
    // current line first).
    bool readToLine(std::string& out, std::uint32_t line);
    // `out` receives the bytes of the current line from the position up to,
    // not including, `column`.
    bool readToColumn(std::string& out, std::uint32_t column);
    // readToLine, then readToColumn; `out` receives both parts.
    bool readTo(std::string& out, std::uint32_t line, std::uint32_t column);
    // `out` receives everything left, each line followed by a line feed.
    bool readToEnd(std::string& out);
    // Reads to the end, counting: the current line is then the number of
    // lines plus 1 (when read from the start).
    bool countLines();

    std::uint32_t currentLine() const { return line_; }
    std::uint32_t currentColumn() const { return column_; }
    const std::string& fileName() const { return name_; }

  private:
    void report(const std::string& message) const;
    bool atEnd() const { return offset_ >= text_.size(); }
    // Offset of the line feed that ends the current line (the text's size
    // for a last line without one).
    std::size_t lineEnd() const;
    // Moves past the rest of the current line and its line feed.
    void skipLine();

    ConversionHost* host_;
    std::string owned_;
    std::string_view text_;
    std::string name_;
    std::size_t offset_ = 0;
    std::uint32_t line_ = 1;
    std::uint32_t column_ = 1;
    // Set once opened: reading an unopened file fails at once.
    bool input_ = false;
};

// The cause of `problem` as the messages about reading and writing these
// files quote it: its first results line without the "File Error! " that
// those messages already carry.
std::string causeText(const FileProblem& problem);

// The line end that the lines of `path` use on disk: that of its first line
// (CR LF, CR or LF); LF when none is found near its start or it cannot be
// read. The skeleton is read with single line feeds; the translated document
// is written with the skeleton's own line ends, so that what was not
// translated comes back byte for byte.
std::string lineEndOf(const std::string& path);

// The number of lines of `path`; -1 when it cannot be read (the reason has
// gone to the results list).
int countFileLines(const std::string& path, ConversionHost* host);

} // namespace quillex::backward
