// Writing the counts: the columns are one table, shared by the three formats.
#include "xliff/count_report.h"

#include "xliff/code_page_text.h"

#include <array>
#include <iomanip>
#include <sstream>

namespace quillex::xliff {
namespace {

struct Column {
    std::string_view heading; // table and CSV
    std::string_view key;     // JSON
    long TextCounts::*value;
};

constexpr std::array<Column, 7> kColumns = {{
    {"Segments", "segments", &TextCounts::segments},
    {"Words", "words", &TextCounts::words},
    {"Characters", "characters", &TextCounts::characters},
    {"Repeated segments", "repeatedSegments", &TextCounts::repeatedSegments},
    {"Repeated words", "repeatedWords", &TextCounts::repeatedWords},
    {"Read-only words", "readOnlyWords", &TextCounts::readOnlyWords},
    {"Hidden", "hidden", &TextCounts::hidden},
}};

constexpr std::string_view kTotal = "Total";

TextCounts totalOf(const std::vector<FileCounts>& files) {
    TextCounts total;
    for (const FileCounts& file : files)
        total += file.counts;
    return total;
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// A JSON string; file names are bytes of the file system, written as they are
// apart from the characters JSON must escape. JSON is Unicode: a name that
// is not UTF-8 has each of its bytes above 127 written as the character of
// that number (as if the name were Latin-1), so that the document stays valid.
std::string jsonString(std::string_view text) {
    const bool utf8 = isValidUtf8(text);
    std::ostringstream out;
    out << '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            out << '\\' << c;
        else if (byte < 0x20 || (!utf8 && byte >= 0x80))
            out << "\\u" << std::hex << std::setw(4) << std::setfill('0') << int(byte) << std::dec;
        else
            out << c;
    }
    out << '"';
    return out.str();
}

std::string table(const std::vector<FileCounts>& files) {
    std::size_t nameWidth = kTotal.size();
    for (const FileCounts& file : files)
        nameWidth = std::max(nameWidth, file.name.size());
    std::ostringstream out;
    const auto row = [&](std::string_view name, const TextCounts* counts) {
        out << std::left << std::setw(static_cast<int>(nameWidth)) << name;
        for (const Column& column : kColumns) {
            out << "  " << std::right << std::setw(static_cast<int>(column.heading.size()));
            if (counts != nullptr)
                out << counts->*column.value;
            else
                out << column.heading;
        }
        out << '\n';
    };
    row("File", nullptr);
    for (const FileCounts& file : files)
        row(file.name, &file.counts);
    const TextCounts total = totalOf(files);
    row(kTotal, &total);
    return out.str();
}

std::string csv(const std::vector<FileCounts>& files) {
    std::ostringstream out;
    out << "File";
    for (const Column& column : kColumns)
        out << ',' << column.heading;
    out << '\n';
    const auto row = [&](std::string_view name, const TextCounts& counts) {
        out << csvField(name);
        for (const Column& column : kColumns)
            out << ',' << counts.*column.value;
        out << '\n';
    };
    for (const FileCounts& file : files)
        row(file.name, file.counts);
    row(kTotal, totalOf(files));
    return out.str();
}

std::string json(const std::vector<FileCounts>& files) {
    std::ostringstream out;
    const auto object = [&](const TextCounts& counts) {
        out << '{';
        for (std::size_t i = 0; i < kColumns.size(); ++i)
            out << (i ? ", " : "") << '"' << kColumns[i].key << "\": " << counts.*kColumns[i].value;
        out << '}';
    };
    out << "{\n  \"files\": [\n";
    for (std::size_t i = 0; i < files.size(); ++i) {
        out << "    {\"file\": " << jsonString(files[i].name) << ", \"counts\": ";
        object(files[i].counts);
        out << '}' << (i + 1 < files.size() ? "," : "") << '\n';
    }
    out << "  ],\n  \"total\": ";
    object(totalOf(files));
    out << "\n}\n";
    return out.str();
}

} // namespace

std::optional<CountFormat> countFormatOf(std::string_view name) {
    if (name == "table")
        return CountFormat::Table;
    if (name == "csv")
        return CountFormat::Csv;
    if (name == "json")
        return CountFormat::Json;
    return std::nullopt;
}

std::string formatCounts(const std::vector<FileCounts>& files, CountFormat format) {
    switch (format) {
    case CountFormat::Csv:
        return csv(files);
    case CountFormat::Json:
        return json(files);
    case CountFormat::Table:
        break;
    }
    return table(files);
}

} // namespace quillex::xliff
