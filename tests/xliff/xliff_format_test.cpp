// What translation tools see of a QMX file, held against a golden XLIFF file:
// class names with ordinals as resname and notes naming the class,
// translate="no" for lines without text, paired tags as bpt/ept (it when the
// pair closes on another line), lone tags as ph, "<" and ">" and the tags of
// one character (hard hyphen, hard space, quotes, special spaces) as text,
// bytes without a Unicode form as x (and bytes of a character the same unit
// also has as a tag), length limits as maxwidth, xml:space only where the
// white space needs it. Importing the golden file gives the QMX file back.
#include "support/file_contents.h"
#include "support/temp_dir.h"
#include "xliff/xliff_files.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::testing;

namespace {

const std::string kGolden = std::string(QUILLEX_TEST_DATA) + "/xliff/format.xlf";

// Byte 0x81 has no character in code page 1252; 0x1B is the escape of an
// escape run, which XML cannot hold.
constexpr const char* kQmx =
    "<qmx \"I2.00\">\r\n"
    "<language \"English (US)\">\r\n"
    "<quotes \"As tags\">\r\n"
    "<readonly \"Don't translate\">\r\n"
    "<page \"1\">\r\n"
    "<ps \"para\" 1>Type <:fc 1>a <:lt> b<:/fc> and<:t>press <:ldq>Enter<:rdq>.\r\n"
    "<ps \"step\" 2><pn \"<:an 1.><:t>\" 1>Open the <:cs \"keycap\" 1>cover\r\n"
    "<:hr>and close it<:/cs> again \x81 \x1b$B.\r\n"
    "<xrv \"4\" 1> (see page)\r\n"
    "<ps \"para\" 1>A right<:r30>hand page, 20<:hs>MB, <:flq>quoted<:frq> and \xAB raw\xBB.\r\n"
    "<ct 1>\r\n"
    "<ps \"cell\" 3>\xABText\xBB<:ens>end\r\n"
    "</ct>\r\n"
    "<cnmk 1>\r\n"
    "</page>\r\n"
    "</qmx>\r\n";

TEST(XliffFormat, ExportGivesTheGoldenFileAndImportGivesTheQmxBack) {
    TempDir work;
    work.write("a.TXT", kQmx);
    xliff::ExportSettings settings;
    settings.targetLanguage = "German";
    xliff::exportToXliff({work.folder() + "a.TXT"}, work.folder() + "a.xlf", settings);
    EXPECT_EQ(readFile(work.folder() + "a.xlf"), readFile(kGolden));

    xliff::importFromXliff(kGolden, work.folder(), work.subfolder("back"));
    EXPECT_EQ(readFile(work.folder() + "back/a.TXT"), kQmx);
}

} // namespace

// A translator's characters take the Interleaf form the QMX file gives them:
// the tags of one character where the unit's source has them as tags or not
// at all, the byte of the code page where its source has them as text (table
// text), and so the second forward conversion reads the same QMX.
TEST(XliffFormat, TypedCharactersTakeTheirInterleafForms) {
    TempDir work;
    work.write("src/a.TXT", kQmx);
    std::string xliff = readFile(kGolden);
    const auto translate = [&](const std::string& source, const std::string& target) {
        const std::size_t at = xliff.find("<source>" + source + "</source>");
        ASSERT_NE(at, std::string::npos) << source;
        xliff.insert(at + source.size() + 17, "<target>" + target + "</target>");
    };
    translate("A right\u2011hand page, 20\u00A0MB, «quoted» and <x id=\"5\" qx:bytes=\"AB\" /> "
              "raw<x id=\"6\" qx:bytes=\"BB\" />.",
              "Une page de droite\u2011gauche\u00A0: «\u00A0cité\u00A0» „so“ “this” "
              "<x id=\"5\" qx:bytes=\"AB\" /> brut<x id=\"6\" qx:bytes=\"BB\" />\u2009!");
    translate("«Text»\u2002end", "«Texte»\u2003fin «\u00A0x\u00A0»");
    work.write("fr.xlf", xliff);
    xliff::importFromXliff(work.folder() + "fr.xlf", work.folder() + "src/", work.subfolder("fr"));
    const std::string qmx = readFile(work.folder() + "fr/a.TXT");
    EXPECT_NE(qmx.find("<ps \"para\" 1>Une page de droite<:r30>gauche<:hs>: <:flq><:hs>cit\xE9<:hs>"
                       "<:frq> <:glq>so<:ldq> <:ldq>this<:rdq> \xAB brut\xBB<:ts>!\r\n"),
              std::string::npos)
        << qmx;
    EXPECT_NE(qmx.find("<ps \"cell\" 3>\xABTexte\xBB<:ems>fin \xAB<:hs>x<:hs>\xBB\r\n"),
              std::string::npos)
        << qmx;
}

// A translation exported while the character tags were codes (each a <ph>
// numbered among the others) still imports: the codes count as their
// characters, and the other codes kept their numbers.
TEST(XliffFormat, TranslationWithCharacterTagsAsCodesImports) {
    TempDir work;
    work.write("src/a.TXT", kQmx);
    std::string xliff = readFile(kGolden);
    const std::string source = "press \u201CEnter\u201D.</source>";
    const std::size_t at = xliff.find(source);
    ASSERT_NE(at, std::string::npos);
    xliff.insert(at + source.size(),
                 "<target>Tapez <bpt id=\"1\">&lt;:fc 1&gt;</bpt>a &lt; b<ept id=\"1\">&lt;:/fc&gt;"
                 "</ept> et<ph id=\"2\">&lt;:t&gt;</ph>appuyez sur <ph id=\"3\">&lt;:flq&gt;</ph>"
                 "Entr\u00E9e<ph id=\"4\">&lt;:frq&gt;</ph>.</target>");
    work.write("old.xlf", xliff);
    xliff::importFromXliff(work.folder() + "old.xlf", work.folder() + "src/",
                           work.subfolder("back"));
    const std::string qmx = readFile(work.folder() + "back/a.TXT");
    EXPECT_NE(qmx.find("<ps \"para\" 1>Tapez <:fc 1>a <:lt> b<:/fc> et<:t>appuyez sur "
                       "<:flq>Entr\xE9"
                       "e<:frq>.\r\n"),
              std::string::npos)
        << qmx;
}

// Targets that the export copied and nobody translated are the source, in
// the source's code page: a pound sign stays, though Czech's code page lacks
// it.
TEST(XliffFormat, UntranslatedCopiesAreTheSourceInAnyTargetLanguage) {
    TempDir work;
    const std::string qmx =
        std::string(kQmx).replace(std::string(kQmx).find("Type"), 4, "Pay \xA3 5, type");
    work.write("src/a.TXT", qmx);
    xliff::ExportSettings settings;
    settings.targetLanguage = "Czech";
    settings.targets = xliff::Targets::Copy;
    xliff::exportToXliff({work.folder() + "src/a.TXT"}, work.folder() + "a.xlf", settings);
    xliff::importFromXliff(work.folder() + "a.xlf", work.folder() + "src/", work.subfolder("cs"));
    EXPECT_EQ(readFile(work.folder() + "cs/a.TXT"), qmx);
}
