// The machine-readable reports of a verification: every finding of the .CMP
// report with its file, line, segment, severity, tag and section (JSON, held
// against a golden file), the JUnit form for build servers, and both written
// for a clean file too.
#include "verifier/machine_report.h"
#include "verifier/verifier.h"

#include "support/file_contents.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "verifier_test_support.h"

#include <gtest/gtest.h>

using namespace quillex;
using namespace quillex::testing;

namespace {

const std::string kGolden = std::string(QUILLEX_TEST_DATA) + "/verifier/machine-report.json";

class MachineReport : public ::testing::Test {
  protected:
    // Verifies `translation` against the source below with both reports on.
    void verify(const std::vector<std::string>& translation) {
        const std::vector<std::string> source = {
            "<page \"1\">",
            "<ps \"para\" 1>Clean the <:fc 1>printer<:/fc> once a month.",
            "<ps \"para\" 1>Keep the cover<:t>closed.",
            "<cnmk 1>",
            "<ps \"head\" 2>Cleaning",
            "</page>"};
        work.write("org/a.TXT", crlfText(qmxLines(source)));
        work.write("translated/a.TXT", crlfText(qmxLines(translation)));
        ConversionOptions options;
        options.fileFormatForQmx = QmxFileFormat::Text;
        options.orgDirectory = work.folder() + "org/";
        options.translatedDirectory = work.folder() + "translated/";
        options.inputPath = options.translatedDirectory + "a.TXT";
        options.baseName = "a";
        options.extension = ".TXT";
        options.machineReports = verifier::kJsonReport | verifier::kJunitReport;
        RecordingHost host;
        VerificationCounts counts;
        EXPECT_EQ(verifyFile(options, host, counts).code, result::VerificationComplete);
    }

    // A report with the scratch folder's name taken out.
    std::string report(const std::string& name) const {
        std::string text = readFile(work.folder() + "translated/" + name);
        for (std::size_t at; (at = text.find(work.folder())) != std::string::npos;)
            text.replace(at, work.folder().size(), "{work}/");
        return text;
    }

    TempDir work;
};

TEST_F(MachineReport, EveryFindingWithWhereAndWhat) {
    verify({"<page \"1\">", "<ps \"para\" 1>Nettoyez <:fc 1>l'imprimante une fois par mois.",
            "<ps \"para\" 1>Gardez le capot<:t><:t>ferm\xE9.", "<cnmk 1>",
            "<ps \"head\" 7>Nettoyage", "</page>"});
    EXPECT_EQ(report("a.json"), readFile(kGolden));
    const std::string junit = report("a.junit.xml");
    EXPECT_NE(junit.find("tests=\"5\" failures=\"3\""), std::string::npos) << junit;
    EXPECT_NE(junit.find("<failure type=\"error\" message=\"The external tag &lt;ps "
                         "&quot;head&quot; 7&gt; is not a valid tag.\">{work}/translated/a.TXT:9"),
              std::string::npos)
        << junit;
}

TEST_F(MachineReport, CleanFileGetsPassingReports) {
    verify({"<page \"1\">", "<ps \"para\" 1>Nettoyez <:fc 1>l'imprimante<:/fc> une fois par mois.",
            "<ps \"para\" 1>Gardez le capot<:t>ferm\xE9.", "<cnmk 1>", "<ps \"head\" 2>Nettoyage",
            "</page>"});
    EXPECT_FALSE(std::filesystem::exists(work.folder() + "translated/a.CMP"));
    EXPECT_NE(report("a.json").find("\"errors\": 0,\n  \"alerts\": 0,\n  \"warnings\": 0,\n  "
                                    "\"findings\": []"),
              std::string::npos);
    EXPECT_NE(report("a.junit.xml").find("tests=\"1\" failures=\"0\""), std::string::npos);
}

} // namespace
