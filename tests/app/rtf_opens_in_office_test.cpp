// The RTF form of a converted document opens in an office suite and shows
// the same lines as the text form. Runs only where LibreOffice is installed.
#include "support/file_contents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using quillex::testing::readFile;
using quillex::testing::TempDir;

namespace {

bool haveLibreOffice() {
    return std::system("command -v libreoffice >/dev/null 2>&1") == 0;
}

int run(const std::string& command) {
    return std::system(command.c_str());
}

// The lines of a text file with CR LF or LF line ends, without a UTF-8 BOM.
std::vector<std::string> linesOf(std::string text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line.push_back(c);
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// The settings of a test's own folder, for the commands it runs.
std::string environmentOf(const TempDir& work) {
    return "XDG_CONFIG_HOME='" + work.folder() + "config' HOME='" + work.folder() + "' ";
}

const std::string kChapter = std::string(QUILLEX_EXAMPLES) + "/chapter3.DOC";

} // namespace

TEST(RtfInOffice, ConvertedChapterOpensWithEveryLine) {
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice is not installed";
    TempDir work;
    const std::string env = environmentOf(work);
    const std::string forward = env + "'" + QUILLEX_CLI + "' forward --ancillary no --org-dir '";
    const std::string rtf = work.subfolder("rtf"), txt = work.subfolder("txt");
    ASSERT_EQ(run(forward + rtf + "' --translated-dir '" + rtf + "' --format rtf '" + kChapter +
                  "' >/dev/null"),
              0);
    ASSERT_EQ(run(forward + txt + "' --translated-dir '" + txt + "' --format txt '" + kChapter +
                  "' >/dev/null"),
              0);
    // The office suite's plain-text export of the RTF file, as UTF-8.
    ASSERT_EQ(run(env +
                  "timeout 300 libreoffice --headless --convert-to "
                  "'txt:Text (encoded):UTF8' --outdir '" +
                  work.folder() + "office' '" + rtf + "chapter3.RTF' >/dev/null 2>&1"),
              0);
    const auto officeLines = linesOf(readFile(work.folder() + "office/chapter3.txt"));
    const auto textLines = linesOf(readFile(txt + "chapter3.TXT"));
    ASSERT_EQ(officeLines.size(), textLines.size());
    for (std::size_t i = 0; i < textLines.size(); ++i) {
        // Lines with bytes above 127 differ in encoding (UTF-8 against 1252).
        bool ascii = true;
        for (unsigned char c : textLines[i])
            ascii = ascii && c < 0x80;
        if (ascii) {
            EXPECT_EQ(officeLines[i], textLines[i]) << "line " << i + 1;
        }
    }
}

// A translator's editor saves the RTF file again in its own way: the office
// suite ends lines right after control words ("{\loch" and the text on the
// next line), which is why a line end ends a control word in our reader. The
// file it saves verifies clean against the one we wrote.
TEST(RtfInOffice, AnRtfFileSavedByTheOfficeSuiteVerifiesAgainstOurs) {
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice is not installed";
    TempDir work;
    const std::string env = environmentOf(work);
    const std::string rtf = work.subfolder("rtf");
    ASSERT_EQ(run(env + "'" + QUILLEX_CLI + "' forward --ancillary no --format rtf --org-dir '" +
                  rtf + "' --translated-dir '" + rtf + "' '" + kChapter + "' >/dev/null"),
              0);
    ASSERT_EQ(run(env +
                  "timeout 300 libreoffice --headless --convert-to 'rtf:Rich Text Format' "
                  "--outdir '" +
                  work.folder() + "office' '" + rtf + "chapter3.RTF' >/dev/null 2>&1"),
              0);
    const std::string saved = work.folder() + "office/chapter3.RTF";
    ASSERT_EQ(run("mv '" + work.folder() + "office/chapter3.rtf' '" + saved + "'"), 0);
    EXPECT_NE(readFile(saved).find("\\loch\n"), std::string::npos); // the way it ends lines
    EXPECT_EQ(run(env + "'" + QUILLEX_CLI + "' verify --format rtf --source-dir '" + rtf + "' '" +
                  saved + "' >/dev/null 2>&1"),
              0);
}
