// Writing a document's pieces back with the lines the parse gave them (what
// the backward conversion does for every piece the translation leaves
// alone) yields a document that parses into the same pieces and converts to
// the same QMX text and ancillary section.
#include "backward/output_assembly.h"
#include "conversion/language_table.h"
#include "conversion/result_code.h"
#include "document_generator.h"
#include "forward/document_converter.h"
#include "forward/document_parser.h"
#include "support/file_contents.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillex;
using namespace quillex::backward;
using namespace quillex::testing;

namespace {

struct Document {
    std::string name; // "X.DOC" or "X.STY"
    std::string text;
    bool japanese = false;
    // Why the QMX tags are known to differ, when they do; the structure and
    // the text must still come back.
    std::string knownDifference;
};

std::ostream& operator<<(std::ostream& out, const Document& document) {
    return out << document.name;
}

struct Forward {
    std::vector<std::string> qmx;
    std::vector<std::string> ancillary;
};

class LayoutRoundTrip : public ::testing::TestWithParam<Document> {
  protected:
    // The forward conversion of `text` saved as `folder`/source/`name`.
    Forward forward(const std::string& folder, const std::string& text) {
        const Document& document = GetParam();
        ConversionOptions options;
        options.fileFormatForQmx = QmxFileFormat::Text;
        options.sourceDirectory = work.subfolder(folder + "/source");
        options.orgDirectory = work.subfolder(folder + "/org");
        options.translatedDirectory = work.subfolder(folder + "/translated");
        options.inputPath = work.write(folder + "/source/" + document.name, text);
        options.baseName = document.name.substr(0, document.name.find('.'));
        options.extension = document.name.substr(document.name.find('.'));
        lookupLanguage(document.japanese ? "Japanese (Shift-JIS)" : "English (US)",
                       LanguageRole::Source, options.sourceLanguage);
        AncillaryCollector collector;
        DocumentConverter converter(options, collector, host);
        converter.run();
        return {converter.outputLines(), collector.lines};
    }

    ParsedDocument parse(const std::string& path) {
        ParseSettings settings;
        settings.codePage = GetParam().japanese ? 932 : 1252;
        ParsedDocument parsed;
        EXPECT_EQ(parseDocument(path, settings, parsed).code, result::Success) << path;
        return parsed;
    }

    TempDir work;
    RecordingHost host;
};

// The text of QMX lines without their tags (tags nest: <pn "<:t>" 1>).
std::string textOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        int depth = 0;
        for (const char c : line) {
            depth += c == '<' ? 1 : 0;
            if (depth == 0)
                text += c;
            depth -= c == '>' && depth > 0 ? 1 : 0;
        }
    }
    return text;
}

std::vector<PieceKind> kindsOf(const PieceList& pieces) {
    std::vector<PieceKind> kinds;
    for (const auto& piece : pieces)
        kinds.push_back(piece->kind);
    return kinds;
}

TEST_P(LayoutRoundTrip, TheWrittenDocumentConvertsAsTheSkeletonDoes) {
    const Document& document = GetParam();
    const Forward first = forward("first", document.text);

    AssemblyOptions options;
    options.skeletonPath = work.write("skeleton/" + document.name, document.text);
    options.outputPath = work.file("out/" + document.name);
    options.styleMode = document.name.ends_with(".STY");
    options.japaneseTarget = document.japanese;
    const ParsedDocument skeleton = parse(options.skeletonPath);
    assembleOutput(skeleton.pieces, options, host);
    const std::string written = readFile(options.outputPath);

    EXPECT_EQ(kindsOf(parse(options.outputPath).pieces), kindsOf(skeleton.pieces));
    const Forward second = forward("second", written);
    EXPECT_EQ(second.ancillary, first.ancillary);
    // Every byte of text comes back in its place; so do the tags, except
    // where the document holds a construct that is known to come back
    // otherwise.
    EXPECT_EQ(textOf(second.qmx), textOf(first.qmx));
    if (document.knownDifference.empty()) {
        EXPECT_EQ(second.qmx, first.qmx);
    }
}

std::vector<Document> documents() {
    // Where a soft return written after a line changes what the forward
    // conversion makes of the items around it.
    const std::string splitSubcomponent =
        "a subcomponent start and its font change split by a soft return";
    const std::map<std::string, std::string> known = {
        {"chapter3.DOC", splitSubcomponent},
        {"chapter4.DOC", "a soft return after a frame that ends a cell anchors the frame inline"},
        {"DataS.DOC", "a soft return inside a prefix changes the prefix's markup"},
    };
    std::vector<Document> list;
    for (const char* folder : {QUILLEX_EXAMPLES, QUILLEX_CORPUS "/as-8.0"})
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (!name.ends_with(".DOC") && !name.ends_with(".STY"))
                continue;
            const auto difference = known.find(name);
            list.push_back({name, readFile(entry.path()), false,
                            difference == known.end() ? "" : difference->second});
        }
    std::sort(list.begin(), list.end(),
              [](const Document& a, const Document& b) { return a.name < b.name; });
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        docgen::GeneratorOptions generated;
        generated.seed = seed;
        generated.size = 48 * 1024;
        generated.kind = seed == 2 ? docgen::DocumentKind::Style : docgen::DocumentKind::Document;
        generated.japanese = seed >= 3;
        generated.mix = seed == 4 ? docgen::BodyMix::RunningText : docgen::BodyMix::Mixed;
        list.push_back({"gen" + std::to_string(seed) + (seed == 2 ? ".STY" : ".DOC"),
                        docgen::generateDocumentText(generated), generated.japanese,
                        seed == 2 ? "" : splitSubcomponent});
    }
    return list;
}

INSTANTIATE_TEST_SUITE_P(Documents, LayoutRoundTrip, ::testing::ValuesIn(documents()),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

} // namespace
