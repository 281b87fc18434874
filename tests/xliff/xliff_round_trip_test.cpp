// Export then import with untouched targets gives every QMX file of a forward
// batch back byte for byte: over the corpus, the examples and generated
// documents (Japanese too), in text and in RTF, with the targets left out,
// copied from the sources as translation tools do, or copied by the export
// (--targets copy). Hard hyphens, hard spaces, special spaces and quotes
// travel as Unicode characters and come back as the tags (or bytes) they were.
#include "backward/round_trip_documents.h"
#include "backward/round_trip_support.h"
#include "xliff/xliff_export.h"
#include "xliff/xliff_files.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <sstream>

using namespace quillex;
using namespace quillex::testing;

namespace {

// How the units get their targets before the import.
enum class Targets { None, CopiedByTool, CopiedByExport };

// Gives every unit a target that copies its source, as a tool does when it
// pre-fills the translation.
std::string withTargetsCopied(const std::string& xliff) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_string(xliff.c_str(), pugi::parse_default | pugi::parse_ws_pcdata |
                                                        pugi::parse_declaration));
    for (pugi::xml_node file : document.child("xliff").children("file"))
        for (pugi::xml_node unit : file.child("body").children("trans-unit")) {
            pugi::xml_node target = unit.append_copy(unit.child("source"));
            target.set_name("target");
        }
    std::ostringstream out;
    document.save(out, "", pugi::format_raw);
    return out.str();
}

// Every QMX file the forward batch of `trip` wrote (documents, catalogs, the
// ancillary file), exported and imported again, must come back unchanged.
// Returns the exported XLIFF files, one after the other.
std::string expectQmxFilesComeBack(RoundTrip& trip, const std::vector<Document>& documents,
                                   const std::string& targetLanguage, Targets targets) {
    std::string exportedTexts;
    std::vector<std::string> names = translatedNamesOf(documents, trip);
    names.push_back(trip.ancillaryName());
    xliff::ExportSettings settings;
    settings.targetLanguage = targetLanguage;
    if (targets == Targets::CopiedByExport)
        settings.targets = xliff::Targets::Copy;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string qmx = trip.work.folder() + "first/org/" + name;
        const std::string exported = trip.work.folder() + "xliff/" + name + ".xlf";
        trip.work.subfolder("xliff");
        xliff::exportToXliff({qmx}, exported, settings);
        exportedTexts += trip.read("xliff/" + name + ".xlf");
        if (targets == Targets::CopiedByTool)
            trip.write("xliff/" + name + ".xlf",
                       withTargetsCopied(trip.read("xliff/" + name + ".xlf")));
        const std::string folder = trip.work.subfolder("back");
        const auto written =
            xliff::importFromXliff(exported, trip.work.folder() + "first/org/", folder);
        EXPECT_EQ(written.size(), 1u);
        const std::string original = trip.read("first/org/" + name);
        const std::string back = trip.read("back/" + name);
        EXPECT_TRUE(original == back) << firstDifference(original, back);
    }
    return exportedTexts;
}

std::string expectRoundTrip(const std::vector<Document>& documents, RoundTrip::Format format,
                            const std::string& language, Targets targets) {
    RoundTrip trip(format, language, language);
    trip.forward("first", namedTexts(documents));
    EXPECT_EQ(trip.lastReport.failed, 0) << ::testing::PrintToString(trip.lastResults);
    return expectQmxFilesComeBack(trip, documents, language, targets);
}

TEST(XliffRoundTrip, CorpusAndExamplesComeBackByteForByte) {
    const std::string exported =
        expectRoundTrip(corpusDocuments(), RoundTrip::Format::Text, "English (US)", Targets::None);
    // The character tags of the corpus and the examples travelled as
    // characters: hard hyphen, en space, English quotes.
    for (const char* character : {"\u2011", "\u2002", "\u201C", "\u201D"})
        EXPECT_NE(exported.find(character), std::string::npos) << character;
    EXPECT_EQ(exported.find("&lt;:r30&gt;"), std::string::npos);
    EXPECT_EQ(exported.find("&lt;:ldq&gt;"), std::string::npos);
    // Notes say where a text comes from: the ancillary file names the
    // document and the block, index texts say what they are.
    for (const char* note : {"ancillary text of CHAPTER4.DOC: Page Header Format, text string of a "
                             "frame</note>",
                             "ancillary text of MANUAL.STY: Level 1 Prefix of autonumber stream "
                             "chap</note>",
                             ">index sort key</note>", ">cross-reference text</note>"})
        EXPECT_NE(exported.find(note), std::string::npos) << note;
}

TEST(XliffRoundTrip, TargetsCopiedFromSourcesChangeNothing) {
    expectRoundTrip(corpusDocuments(), RoundTrip::Format::Text, "English (US)",
                    Targets::CopiedByTool);
}

TEST(XliffRoundTrip, RtfFilesComeBackByteForByte) {
    expectRoundTrip(corpusDocuments(), RoundTrip::Format::Rtf, "English (US)",
                    Targets::CopiedByExport);
}

TEST(XliffRoundTrip, GeneratedDocumentsComeBackByteForByte) {
    expectRoundTrip(generatedDocuments(false), RoundTrip::Format::Text, "English (US)",
                    Targets::CopiedByExport);
}

// Shift-JIS text has characters with two codes for one Unicode character and
// codes without any; they travel as bytes and come back as they were.
TEST(XliffRoundTrip, GeneratedJapaneseDocumentsComeBackByteForByte) {
    expectRoundTrip(generatedDocuments(true), RoundTrip::Format::Text, "Japanese (Shift-JIS)",
                    Targets::CopiedByExport);
}

} // namespace
