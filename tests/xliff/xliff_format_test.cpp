// What translation tools see of a QMX file, held against a golden XLIFF file:
// external tags as resname, translate="no" for lines without text, paired
// tags as bpt/ept (it when the pair closes on another line), lone tags as ph,
// "<" and ">" as text, bytes without a Unicode form as x, length limits as
// maxwidth. Importing the golden file gives the QMX file back.
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
