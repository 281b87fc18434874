// Text held back from translation: paragraphs of the classes named (with the
// lines their hard returns continue) and index sort keys that repeat their
// entry are exported translate="no", left out of the counts, and imported
// as the source has them whatever a tool wrote as their target.
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "xliff/held_back_units.h"
#include "xliff/word_count.h"
#include "xliff/xliff_files.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <sstream>

using namespace quillex;
using namespace quillex::testing;

namespace {

const std::vector<std::string> kLines = {
    "<qmx \"I2.00\">",
    "<language \"English (US)\">",
    "<ps \"listing\" 1>cd /media", // 2: held, and the line its hard return continues
    "<:hr>make install",           // 3
    "<ps \"para\" 2>Clean it",
    "<:hr>with care",
    "<imk 1>",
    "<ie>Printer",
    "<ss>Printer", // 8: the same as its entry
    "<il>cleaning",
    "<ss>printer cleaning",
    "</imk>",
    "<imk 2>",
    "<ie>Paper",
    "</imk>",
    "<ss>Paper", // a sort key of no marker
    "</qmx>",
};
const std::vector<std::size_t> kHeld = {2, 3, 8};

xliff::HeldBackText rules() {
    xliff::HeldBackText held;
    held.classes = xliff::classesOfList(" listing , code,");
    held.sortKeysLikeEntries = true;
    return held;
}

TEST(HeldBackUnits, ClassesAndSortKeysThatRepeatTheirEntry) {
    EXPECT_EQ(xliff::classesOfList(" listing , code,"),
              (std::vector<std::string>{"listing", "code"}));
    const std::vector<bool> held = xliff::heldBackLines(kLines, rules());
    for (std::size_t i = 0; i < kLines.size(); ++i)
        EXPECT_EQ(held[i], std::find(kHeld.begin(), kHeld.end(), i) != kHeld.end()) << kLines[i];
    const std::vector<bool> none = xliff::heldBackLines(kLines, {});
    EXPECT_EQ(std::count(none.begin(), none.end(), true), 0);
}

// Every unit gets the target "Traduit", as a tool that ignores translate="no"
// could write.
std::string translatedEverywhere(const std::string& xliff) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_string(xliff.c_str()));
    for (pugi::xml_node unit : document.child("xliff").child("file").child("body").children())
        unit.append_child("target").text().set("Traduit");
    std::ostringstream out;
    document.save(out, "", pugi::format_raw);
    return out.str();
}

TEST(HeldBackUnits, ExportedNotToTranslateNotCountedAndImportedAsTheSource) {
    TempDir work;
    std::string qmx;
    for (const std::string& line : kLines)
        qmx += line + "\r\n";
    const std::string source = work.write("org/held.TXT", qmx);

    xliff::ExportSettings settings;
    settings.heldBack = rules();
    xliff::exportToXliff({source}, work.folder() + "held.xlf", settings);
    work.write("held.xlf", translatedEverywhere(readFile(work.folder() + "held.xlf")));
    xliff::importFromXliff(work.folder() + "held.xlf", work.folder() + "org/",
                           work.subfolder("back"));
    const std::string back = readFile(work.folder() + "back/held.TXT");
    for (std::size_t i : kHeld)
        EXPECT_NE(back.find(kLines[i] + "\r\n"), std::string::npos) << kLines[i];
    EXPECT_NE(back.find("<ps \"para\" 2>Traduit\r\n<:hr>Traduit\r\n"), std::string::npos) << back;

    const xliff::QmxSource file = xliff::readQmxSource(source);
    const long all = xliff::countFiles({file})[0].counts.segments;
    const long counted =
        xliff::countFiles({file}, {rules(), xliff::CountRule::Quillex})[0].counts.segments;
    EXPECT_EQ(all - counted, static_cast<long>(kHeld.size()));
}

} // namespace
