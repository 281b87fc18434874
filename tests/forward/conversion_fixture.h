// A fixture for tests of whole-file forward conversions: documents written
// as text into a source folder, converted one after the other with one
// ancillary collector (as a batch does), and the pieces of Interleaf
// diagrams written briefly.
#pragma once

#include "conversion/result_code.h"
#include "forward/document_converter.h"
#include "forward_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace quillex::testing {

class ConversionTest : public ::testing::Test {
  protected:
    ConversionTest() {
        options.fileFormatForQmx = QmxFileFormat::Text;
        options.sourceDirectory = work.subfolder("source");
        options.orgDirectory = work.subfolder("org");
        options.translatedDirectory = work.subfolder("translated");
    }

    // Writes `text` as source/`name` and converts it; the converter stays
    // for its lines, maps and pieces. Returns the result code.
    int convert(const std::string& name, const std::string& text) {
        options.inputPath = work.write("source/" + name, text);
        options.baseName = name.substr(0, name.find_last_of('.'));
        options.extension = name.ends_with(".STY") ? ".STY" : ".DOC";
        converter = std::make_unique<DocumentConverter>(options, collector, host);
        try {
            converter->run();
        } catch (const ConversionFailure& failure) {
            return failure.code();
        }
        return result::Success;
    }

    // The body lines of the last conversion: without the four header lines
    // and the closing line.
    std::vector<std::string> body() const {
        const std::vector<std::string>& lines = converter->outputLines();
        if (lines.size() < 5)
            return {};
        return {lines.begin() + 4, lines.end() - 1};
    }

    std::string replacement(const std::string& tag) const {
        const auto& map = converter->tagReplacements();
        const auto found = map.find(tag);
        return found == map.end() ? "(none)" : std::string(found->second);
    }

    std::string knownTag(const std::string& markup) const {
        const auto& map = converter->knownTags();
        const auto found = map.find(markup);
        return found == map.end() ? "(none)" : std::string(found->second);
    }

    // The tag the last conversion gave the first piece of `kind`, and of
    // the `n`th one.
    std::string pieceTag(PieceKind kind, int n = 1) const {
        for (const auto& piece : converter->pieces())
            if (piece->kind == kind && --n == 0)
                return piece->qmxTag;
        return "(no piece)";
    }

    // The collector's lines from `<file "NAME">` to its closing line.
    std::vector<std::string> section(const std::string& file) const {
        const auto& lines = collector.lines;
        const auto start = std::find(lines.begin(), lines.end(), "<file \"" + file + "\">");
        const auto end = std::find(start, lines.end(), "</file \"" + file + "\">");
        if (end == lines.end())
            return {};
        return {start, end + 1};
    }

    TempDir work;
    ConversionOptions options;
    AncillaryCollector collector;
    ResultsHost host;
    std::unique_ptr<DocumentConverter> converter;
};

// A text string "(t14,...)" with its number field, positions and text.
inline std::string textString(const std::string& text, const std::string& first,
                              const std::string& second, int number = 0) {
    return "(t14,1," + std::to_string(number) + ",0," + first + "," + second + ",0,0,0,0,0,0," +
           text + ")\n";
}

// A chart with one label at the chart's positions.
inline std::string chart(const std::string& label, const std::string& first,
                         const std::string& second, int number = 0) {
    return "(c1,1," + std::to_string(number) + ",0," + first + "," + second + ",0,0,0,0(cD," +
           label + ",0))\n";
}

// A group around `objects`.
inline std::string group(const std::string& objects, int number = 0) {
    return "(g9,1," + std::to_string(number) + ",\n" + objects + ")\n";
}

// A named object: number field, second number field (1 shared, 2 with
// effectivity), name, positions and the objects inside it.
inline std::string namedObject(const std::string& name, int number, int objectNumber,
                               const std::string& objects = "", const std::string& first = "0",
                               const std::string& second = "0") {
    return "(N1,0," + std::to_string(number) + ",0," + std::to_string(objectNumber) + ",0," + name +
           ",0,0,0,0,0,0,0," + first + "," + second + ",0,0,0,0,0,0,0,0,0,0\n" + objects + ")\n";
}

// A micro-document whose text is `text` (Interleaf body text).
inline std::string microDocument(const std::string& text, const std::string& first = "0",
                                 const std::string& second = "0", int number = 0) {
    return "(T8,1," + std::to_string(number) + ",0," + first + "," + second +
           ",0,0,0,0,0,0,0,0,\n<!Page, Width = 2 inches>\n" + text + "\n<End Text>)\n";
}

// A frame with `attributes` (each ended by ",\n") and a diagram of `objects`.
inline std::string frame(const std::string& attributes, const std::string& objects) {
    return "<Frame,\n" + attributes + "\tDiagram =\nV11,\n" + objects + ">";
}

} // namespace quillex::testing
