// The documents that round-trip tests convert (the corpus, the examples and
// generated documents) and the comparisons that make their failures
// readable.
#pragma once

#include "document_generator.h"
#include "round_trip_support.h"

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace quillex::testing {

struct Document {
    std::string name; // with its extension, .DOC or .STY
    std::string text;
};

inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The documents as a forward batch takes them: name and text.
inline std::vector<std::pair<std::string, std::string>>
namedTexts(const std::vector<Document>& documents) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const Document& d : documents)
        files.emplace_back(d.name, d.text);
    return files;
}

// The translated file of each document: N.CAT for a style file, the QMX file
// of the round's format for a document.
inline std::vector<std::string> translatedNamesOf(const std::vector<Document>& documents,
                                                  const RoundTrip& trip) {
    std::vector<std::string> names;
    for (const Document& d : documents) {
        const std::string bare = d.name.substr(0, d.name.rfind('.'));
        names.push_back(bare + (d.name.ends_with(".STY") ? ".CAT" : trip.qmxExtension()));
    }
    return names;
}

// The documents the backward batch of round "first" wrote, converted forward
// in round "second" from the paths the first round read.
inline void forwardConvertedDocuments(RoundTrip& trip, const std::vector<Document>& documents) {
    std::vector<std::pair<std::string, std::string>> again;
    for (const Document& d : documents)
        again.emplace_back(d.name, trip.read("first/translated/" + d.name));
    trip.forward("second", again, "first");
}

inline std::vector<Document> corpusDocuments() {
    std::vector<Document> documents;
    for (const char* name :
         {"DataS.DOC", "FltrS.DOC", "ProgG.DOC", "ProgI.DOC", "TOC.DOC", "ar5test.DOC", "TOCfm.STY",
          "4book.mas__codes.STY", "4book.mas__foot.STY"})
        documents.push_back({name, fileText(std::string(QUILLEX_CORPUS) + "/as-8.0/" + name)});
    for (const char* name : {"chapter3.DOC", "chapter4.DOC", "manual.STY"})
        documents.push_back({name, fileText(std::string(QUILLEX_EXAMPLES) + "/" + name)});
    return documents;
}

// A document and a style file for each seed.
inline std::vector<Document>
generatedDocuments(bool japanese, std::initializer_list<std::uint64_t> seeds = {3u, 11u, 29u},
                   std::size_t size = 48 * 1024) {
    std::vector<Document> documents;
    for (const std::uint64_t seed : seeds) {
        docgen::GeneratorOptions options;
        options.seed = seed;
        options.size = size;
        options.japanese = japanese;
        documents.push_back(
            {"gen" + std::to_string(seed) + ".DOC", docgen::generateDocumentText(options)});
        options.kind = docgen::DocumentKind::Style;
        documents.push_back(
            {"gen" + std::to_string(seed) + ".STY", docgen::generateDocumentText(options)});
    }
    return documents;
}

// The file's section of an ancillary file: from its <file> line to its
// </file> line.
inline std::string sectionOf(const std::string& ancillary, const std::string& outputName) {
    const std::string opening = "<file \"" + outputName + "\">";
    const std::string closing = "</file \"" + outputName + "\">";
    const auto start = ancillary.find(opening);
    const auto end = ancillary.find(closing, start);
    if (start == std::string::npos || end == std::string::npos)
        return {};
    return ancillary.substr(start, end + closing.size() - start);
}

// Where two texts first differ, as "line N" and both lines: a readable
// failure for files of thousands of lines. Empty when they are equal.
inline std::string firstDifference(const std::string& expected, const std::string& actual) {
    if (expected == actual)
        return {};
    std::size_t line = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        if (expected[i] != actual[i])
            break;
        if (expected[i] == '\n') {
            ++line;
            start = i + 1;
        }
    }
    const auto lineAt = [start](const std::string& text) {
        const std::size_t end = text.find('\n', start);
        return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    };
    return "line " + std::to_string(line) + "\n  expected: " + lineAt(expected) +
           "\n  actual:   " + lineAt(actual);
}

// `text` in upper case, as the ancillary file names its sections.
inline std::string upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace quillex::testing
