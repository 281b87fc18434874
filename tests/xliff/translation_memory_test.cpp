// The translation memory: the pseudo-translation of the examples, aligned
// into a memory and written as TMX, pre-translates a second version of
// chapter 3 (two paragraphs changed): every unchanged unit gets its old
// translation (in context, or to review where a neighbour changed), the
// changed ones none, and the import writes the old translations back.
#include "backward/round_trip_documents.h"
#include "backward/round_trip_support.h"
#include "xliff/pseudo_translation.h"
#include "xliff/tmx_file.h"
#include "xliff/translation_memory.h"
#include "xliff/xliff_export.h"
#include "xliff/xliff_files.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace quillex;
using namespace quillex::testing;

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The units to translate of an exported file: their positions.
std::vector<std::size_t> translatable(const xliff::XliffFile& file) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < file.units.size(); ++i)
        if (file.units[i].translate)
            positions.push_back(i);
    return positions;
}

TEST(TranslationMemory, SecondVersionIsPreTranslatedWhereUnchanged) {
    const std::string examples = std::string(QUILLEX_EXAMPLES) + "/";
    const std::string chapter3 = fileText(examples + "chapter3.DOC");
    const std::string chapter4 = fileText(examples + "chapter4.DOC");
    RoundTrip trip(RoundTrip::Format::Text);
    trip.forward("first", {{"chapter3.DOC", chapter3}, {"chapter4.DOC", chapter4}});
    ASSERT_EQ(trip.lastReport.failed, 0);
    const std::string changed3 =
        replaced(replaced(chapter3, "\nBefore you begin\n", "\nBefore you start\n"),
                 "the installation disk and open", "the installation DVD and open");
    trip.forward("second", {{"chapter3.DOC", changed3}, {"chapter4.DOC", chapter4}});
    ASSERT_EQ(trip.lastReport.failed, 0);

    // The first version's translation, and its memory through a TMX file.
    const std::string org = trip.work.folder() + "first/org/";
    const std::string pseudo = trip.work.subfolder("pseudo");
    std::vector<xliff::TranslationPair> pairs;
    for (const char* name : {"chapter3.TXT", "chapter4.TXT"}) {
        xliff::pseudoTranslateFile(org + name, pseudo, {});
        pairs.push_back({org + name, pseudo + name});
    }
    const xliff::TranslationMemory aligned = xliff::memoryOfTranslations(pairs, "French", {});
    std::map<std::string, std::string> translationOf; // match texts
    for (const xliff::MemoryUnit& unit : aligned.units)
        translationOf[xliff::matchText(unit.source)] = xliff::matchText(unit.target);
    xliff::ExportSettings settings;
    settings.memory = std::make_shared<xliff::TranslationMemory>(
        xliff::readTmx(xliff::writeTmx(aligned), settings.targetLanguage));
    ASSERT_EQ(settings.memory->units.size(), aligned.units.size());

    const std::string second = trip.work.folder() + "second/org/";
    std::set<std::string> changedTexts;
    for (const char* name : {"chapter3.TXT", "chapter4.TXT"}) {
        SCOPED_TRACE(name);
        const xliff::XliffFile file =
            xliff::exportQmx(xliff::readQmxSource(second + name), settings);
        const std::vector<std::size_t> units = translatable(file);
        ASSERT_GT(units.size(), 10u);
        const auto isNew = [&](std::size_t k) {
            return k < units.size() &&
                   !translationOf.contains(xliff::matchText(file.units[units[k]].source));
        };
        for (std::size_t k = 0; k < units.size(); ++k) {
            const xliff::XliffUnit& unit = file.units[units[k]];
            const std::string text = xliff::matchText(unit.source);
            if (isNew(k)) {
                changedTexts.insert(text);
                EXPECT_FALSE(unit.target) << text;
                continue;
            }
            ASSERT_TRUE(unit.target) << text;
            EXPECT_EQ(xliff::matchText(*unit.target), translationOf[text]);
            // Next to a changed unit the context differs: to be reviewed.
            const bool besideChange = (k > 0 && isNew(k - 1)) || isNew(k + 1);
            EXPECT_EQ(unit.memoryMatch,
                      besideChange ? xliff::MemoryMatch::Exact : xliff::MemoryMatch::InContext)
                << text;
        }
    }
    EXPECT_EQ(changedTexts, (std::set<std::string>{
                                "Before you start",
                                "Insert the installation DVD and open a terminal.",
                            }));

    // Imported, the unchanged units are the first version's translation.
    settings.targetLanguage = "French";
    const std::string xliffPath = trip.work.folder() + "second.xlf";
    xliff::exportToXliff({second + "chapter4.TXT"}, xliffPath, settings);
    const std::string back = trip.work.subfolder("back");
    xliff::importFromXliff(xliffPath, second, back);
    EXPECT_EQ(trip.read("back/chapter4.TXT"), trip.read("pseudo/chapter4.TXT"));
}

// A translation may move codes and a tool without codes holds them as text;
// either way the unit gets the codes of its source, or no target at all.
TEST(TranslationMemory, TargetsTakeTheCodesOfTheirSource) {
    const xliff::UnitContent source = xliff::contentFromQmx("<:fc 1>A<:/fc> and <:t>B", 1252);
    const auto moved =
        xliff::withCodesOf(xliff::contentFromQmx("<:t>b et <:fc 1>a<:/fc>", 1252), source);
    ASSERT_TRUE(moved);
    EXPECT_EQ(xliff::codesOf(*moved).size(), 3u);
    for (const xliff::InlineCode& code : xliff::codesOf(*moved)) {
        const auto codes = xliff::codesOf(source);
        EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << code.native;
    }
    const auto asText = xliff::withCodesOf({std::string("<:fc 1>a<:/fc> et <:t>b")}, source);
    ASSERT_TRUE(asText);
    EXPECT_EQ(xliff::codesOf(*asText), xliff::codesOf(source));
    EXPECT_FALSE(xliff::withCodesOf({std::string("<:fc 1>a<:/fc> et b")}, source));
    EXPECT_FALSE(xliff::withCodesOf({std::string("<:/fc>a<:fc 1> et <:t>b")}, source));
    EXPECT_FALSE(xliff::withCodesOf({std::string("<:fc 1>a<:/fc> <:t>et <:t>b")}, source));
}

// A TMX of another tool: its target variant found by primary subtag (or in
// TMX 1.1's lang), highlighted text read as text, units that no QMX line can
// hold left out; a file that is not TMX refused.
TEST(TranslationMemory, TmxOfOtherToolsIsReadAsFarAsItFits) {
    const std::string tmx = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE tmx SYSTEM "tmx14.dtd">
<tmx version="1.4"><header srclang="en" datatype="plaintext" segtype="sentence"/><body>
<tu><tuv xml:lang="en"><seg>Clean the <hi>printer</hi>.</seg></tuv>
    <tuv xml:lang="fr"><seg>Nettoyez l'<hi>imprimante</hi>.</seg></tuv></tu>
<tu><tuv lang="EN"><seg>Paper</seg></tuv><tuv lang="FR-CA"><seg>Papier</seg></tuv></tu>
<tu><tuv xml:lang="en"><seg>Two lines</seg></tuv><tuv xml:lang="fr"><seg>Deux
lignes</seg></tuv></tu>
<tu><tuv xml:lang="en"><seg>Only German</seg></tuv><tuv xml:lang="de"><seg>Nur</seg></tuv></tu>
</body></tmx>)";
    const xliff::TranslationMemory memory = xliff::readTmx(tmx, "French");
    std::vector<std::pair<std::string, std::string>> units;
    for (const xliff::MemoryUnit& unit : memory.units)
        units.emplace_back(xliff::matchText(unit.source), xliff::matchText(unit.target));
    EXPECT_EQ(units, (std::vector<std::pair<std::string, std::string>>{
                         {"Clean the printer.", "Nettoyez l'imprimante."}, {"Paper", "Papier"}}));
    EXPECT_THROW(xliff::readTmx("<tmx><body>", "French"), xliff::TmxError);
    EXPECT_THROW(xliff::readTmx("<xliff version=\"1.2\"/>", "French"), xliff::TmxError);
}

} // namespace
