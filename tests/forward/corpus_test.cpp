// The real documents of the corpus through the forward conversion: every 8.0
// file converts into well-formed QMX whose tags all lead back to their
// markup, and the 6.4 originals are refused by their version.
#include "conversion/result_code.h"
#include "forward/document_converter.h"
#include "forward/forward_converter.h"
#include "forward_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillex;
using namespace quillex::testing;

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> corpusFiles(const char* folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLEX_CORPUS) / folder))
        if (entry.path().extension() != ".md")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

ConversionOptions optionsFor(const fs::path& file, const TempDir& work) {
    ConversionOptions options;
    options.fileFormatForQmx = QmxFileFormat::Text;
    options.sourceDirectory = file.parent_path().string() + "/";
    options.orgDirectory = work.subfolder("org");
    options.translatedDirectory = options.orgDirectory;
    options.inputPath = file.string();
    options.baseName = file.stem().string();
    std::string extension = file.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    options.extension = extension == ".STY" ? ".STY" : ".DOC";
    return options;
}

// The mechanical rewrite of the corpus quoted class names, but not those
// that begin with a digit ("<3x3:cell", "<6x4:cell" in table cells): such a
// tag is no component start and stays in the QMX text as it was, line ends
// included. A real 8.x export writes <"3x3:cell", ...>.
bool startsWithUnquotedClass(const std::string& line) {
    return line.size() > 1 && line[0] == '<' && std::isdigit(static_cast<unsigned char>(line[1]));
}

// Every "<" of a line is matched by a ">", and no ">" stands alone: a QMX
// line holds no literal angle bracket.
bool anglesBalanced(const std::string& line) {
    int depth = 0;
    for (char c : line) {
        if (c == '<')
            ++depth;
        else if (c == '>' && --depth < 0)
            return false;
    }
    return depth == 0;
}

// The numbered markup tags of a line, which the backward conversion looks up
// (top-level tags only: those inside a tag's argument are part of its text).
std::vector<std::string> markupTags(const std::string& line) {
    static const std::vector<std::string> prefixes = {
        "<ps ",  "<pn ",  "<:pn ", "<v ",    "<:v ",  "<r ",     "<:r \"", "<cnmk ", "<:cnmk ",
        "<:fc ", "<:cs ", "<:sc ", "<:cns ", "<:an ", "<:crmk ", "<:xr ",  "<:axr ", "<page "};
    std::vector<std::string> tags;
    std::size_t i = 0;
    while ((i = line.find('<', i)) != std::string::npos) {
        int depth = 0;
        std::size_t end = i;
        for (; end < line.size(); ++end) {
            depth += line[end] == '<' ? 1 : line[end] == '>' ? -1 : 0;
            if (depth == 0)
                break;
        }
        const std::string tag = line.substr(i, end + 1 - i);
        for (const std::string& prefix : prefixes)
            if (tag.starts_with(prefix))
                tags.push_back(tag);
        i = end + 1;
    }
    return tags;
}

} // namespace

TEST(Corpus, EveryVersion8FileConvertsIntoWellFormedQmx) {
    const std::vector<fs::path> files = corpusFiles("as-8.0");
    ASSERT_EQ(files.size(), 9u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        TempDir work;
        const ConversionOptions options = optionsFor(file, work);
        AncillaryCollector collector;
        ResultsHost host;
        DocumentConverter converter(options, collector, host);
        ASSERT_NO_THROW(converter.run());
        EXPECT_TRUE(host.results.empty());

        const std::vector<std::string>& lines = converter.outputLines();
        ASSERT_GE(lines.size(), 5u);
        EXPECT_EQ(lines.front(), "<qmx \"I2.00\">");
        EXPECT_EQ(lines.back(), "</qmx>");
        if (options.extension == ".DOC") {
            EXPECT_GT(lines.size(), 10u);
        }
        for (const std::string& line : lines) {
            if (!startsWithUnquotedClass(line)) {
                EXPECT_EQ(line.find('\n'), std::string::npos) << line;
            }
            EXPECT_TRUE(anglesBalanced(line)) << line;
            for (const std::string& tag : markupTags(line))
                EXPECT_TRUE(converter.tagReplacements().count(tag)) << tag;
        }
    }
}

// The corpus notes call DataS.DOC a manually edited file with a comment
// declaration, but the file holds none: both "<!Comment" texts in it are
// written "<<!Comment", the escaped less-than sign of running text that
// explains comment declarations. It is text, so the file converts.
TEST(Corpus, DataSHoldsNoCommentDeclarationAndConverts) {
    const fs::path file = fs::path(QUILLEX_CORPUS) / "as-8.0" / "DataS.DOC";
    TempDir work;
    AncillaryCollector collector;
    ResultsHost host;
    ASSERT_EQ(convertFile(optionsFor(file, work), collector, host).code, result::Success);
    const std::string qmx = readFile(work.folder() + "org/DataS.TXT");
    EXPECT_NE(qmx.find("<:t><:lt>!Comment, saved by AR<:gt>"), std::string::npos);
}

TEST(Corpus, TheVersion64OriginalsAreRefusedByTheirVersion) {
    for (const fs::path& file : corpusFiles("interleaf-6.4")) {
        SCOPED_TRACE(file.filename().string());
        TempDir work;
        AncillaryCollector collector;
        ResultsHost host;
        const int expected =
            file.extension() == ".std" ? result::NotInterleafAscii : result::WrongVersion;
        EXPECT_EQ(convertFile(optionsFor(file, work), collector, host).code, expected);
        EXPECT_TRUE(listFolder(work.folder() + "org").empty());
    }
}

TEST(Examples, TheBundledExamplesConvert) {
    int documents = 0;
    for (const auto& entry : fs::directory_iterator(QUILLEX_EXAMPLES)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".DOC" && extension != ".STY")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        TempDir work;
        const ConversionOptions options = optionsFor(entry.path(), work);
        AncillaryCollector collector;
        ResultsHost host;
        DocumentConverter converter(options, collector, host);
        ASSERT_NO_THROW(converter.run());
        if (extension != ".DOC")
            continue;
        ++documents;
        // Every Interleaf tag of the body has become a QMX tag.
        for (const std::string& line : converter.outputLines()) {
            EXPECT_TRUE(anglesBalanced(line)) << line;
            EXPECT_EQ(line.find("<\""), std::string::npos) << line;
            EXPECT_EQ(line.find("<F"), std::string::npos) << line;
            EXPECT_EQ(line.find("<#"), std::string::npos) << line;
        }
    }
    EXPECT_GE(documents, 1);
}

namespace {

// How often each structure tag opens and closes in `lines`.
int balanceOf(const std::vector<std::string>& lines, const std::string& open,
              const std::string& close) {
    int balance = 0;
    for (const std::string& line : lines) {
        balance += line.starts_with(open) ? 1 : 0;
        balance -= line == close ? 1 : 0;
    }
    return balance;
}

} // namespace

// The corpus as one forward batch, documents first: every file converts,
// its tables and frames are balanced, every file has its section of the
// ancillary file, and the catalogs of the style files list documents of
// the batch only.
TEST(Corpus, TheVersion8FilesAsOneBatch) {
    std::vector<fs::path> files = corpusFiles("as-8.0");
    std::stable_partition(files.begin(), files.end(),
                          [](const fs::path& file) { return file.extension() == ".DOC"; });
    TempDir work;
    AncillaryCollector collector;
    std::vector<std::string> documents;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const ConversionOptions options = optionsFor(file, work);
        ResultsHost host;
        DocumentConverter converter(options, collector, host);
        ASSERT_NO_THROW(converter.run());
        const std::vector<std::string>& lines = converter.outputLines();
        for (const auto& [open, close] :
             std::vector<std::pair<std::string, std::string>>{{"<tb ", "</tb>"},
                                                              {"<row ", "</row>"},
                                                              {"<ct ", "</ct>"},
                                                              {"<af ", "</af>"},
                                                              {"<tr ", "</tr>"},
                                                              {"<imk ", "</imk>"},
                                                              {"<page ", "</page>"}})
            EXPECT_EQ(balanceOf(lines, open, close), 0) << open;
        if (options.extension == ".DOC") {
            documents.push_back(options.inputPath);
            continue;
        }
        // A catalog line that is no tag names a document of the batch.
        for (std::size_t i = 4; i + 1 < lines.size(); ++i) {
            if (!lines[i].starts_with("<")) {
                EXPECT_NE(std::find(documents.begin(), documents.end(), lines[i]), documents.end())
                    << lines[i];
            }
        }
    }
    ASSERT_EQ(collector.files.size(), files.size());
    for (const fs::path& file : files) {
        std::string name = file.filename().string();
        for (char& c : name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const auto start =
            std::find(collector.lines.begin(), collector.lines.end(), "<file \"" + name + "\">");
        EXPECT_NE(start, collector.lines.end()) << name;
        EXPECT_NE(std::find(start, collector.lines.end(), "</file \"" + name + "\">"),
                  collector.lines.end())
            << name;
    }
    // TOC.DOC uses the "list" stream that two of the style files declare.
    ASSERT_TRUE(collector.autonumberStreams.count("list"));
    EXPECT_EQ(fs::path(collector.autonumberStreams.at("list").front()).filename(), "TOC.DOC");
}
