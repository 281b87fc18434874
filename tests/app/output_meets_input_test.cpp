// No command writes over a file it reads, nor writes one file twice: for each
// command and each way an output can meet an input (the same name, a hard
// link, a symbolic link, a shell pattern, the results file, a report), the
// run is refused with status 2 and nothing on disk changes.
#include "support/command_run.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using quillex::testing::readFile;
using quillex::testing::TempDir;
using ShellRun = quillex::testing::CommandRun;

namespace fs = std::filesystem;

namespace {

const char* kDocument = "<!OPS, Version = 8.0>\n\n<!Document,\n\tFinal Output Device =\t\"ps\">\n\n"
                        "<!End Declarations>\n\n<\"para\">\n\nText.\n";

// Runs `script` in the shell: what it prints and how it exits.
ShellRun shell(const std::string& script) {
    return quillex::testing::runCommand(script);
}

// Every entry under `folder`: its kind, and a file's bytes or a link's target.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        if (entry.is_symlink())
            entries[name] = "link " + fs::read_symlink(entry.path()).string();
        else if (entry.is_directory())
            entries[name] = "folder";
        else
            entries[name] =
                "file " + std::to_string(entry.hard_link_count()) + " " + readFile(entry.path());
    }
    return entries;
}

// One way an output meets an input: how the folder is arranged beforehand (a
// shell script run in it), and the command (run in it too).
struct Meeting {
    const char* name;
    const char* arrange;
    const char* command;
};

void PrintTo(const Meeting& meeting, std::ostream* out) {
    *out << meeting.name;
}

// The folder holds a document (src/a.DOC) converted into org/ (a.ORG, a.TXT),
// a translation of it (tr/a.TXT, tr/b.TXT) and its export (x/a.xlf).
const Meeting kMeetings[] = {
    {"ForwardResultsIsTheInput", "", "forward $F src/a.DOC --results src/a.DOC"},
    {"ForwardResultsIsAHardLinkOfTheInput", "ln src/a.DOC results.txt",
     "forward $F src/a.DOC --results results.txt"},
    {"ForwardResultsIsTheAncillaryFile", "", "forward $F src/a.DOC --results org/ANCILL.TXT"},
    {"ForwardIntoANewFolderMakesNoFolder", "",
     "forward --format txt --org-dir new --ancillary no src/a.DOC --results src/a.DOC"},
    {"ForwardQmxFileIsASymlinkToTheInput", "rm org/a.TXT && ln -s ../src/a.DOC org/a.TXT",
     "forward $F src/a.DOC"},
    {"BackwardResultsIsTheAncillaryFile", "echo text > tr/ANCILL.TXT",
     "backward $B tr/a.TXT --results tr/ANCILL.TXT"},
    {"BackwardResultsIsTheSkeleton", "", "backward $B tr/a.TXT --results org/a.ORG"},
    {"BackwardResultsIsAnotherInput", "", "backward $B tr/a.TXT tr/b.TXT --results tr/b.TXT"},
    {"BackwardOutputIsAHardLinkOfTheSkeleton", "ln org/a.ORG tr/a.DOC", "backward $B tr/a.TXT"},
    {"VerifyResultsIsTheJsonReport", "", "verify $V --report json tr/a.TXT --results tr/a.json"},
    {"VerifyReportIsTheSource", "ln -s ../org/a.TXT tr/a.CMP", "verify $V tr/a.TXT"},
    {"VerifyJunitReportIsTheTranslation", "ln tr/a.TXT tr/a.junit.xml",
     "verify $V --report junit tr/a.TXT"},
    {"ExportOutputIsAGlobbedInput", "", "xliff export -o tr/*.TXT"},
    {"ExportOutputFolderHoldsASymlinkToTheInput", "mkdir y && ln -s ../org/a.TXT y/a.xlf",
     "xliff export --output-dir y org/a.TXT"},
    {"ExportTwoInputsOneOutput", "mkdir z && cp tr/a.TXT z/a.TXT",
     "xliff export --output-dir y tr/a.TXT z/a.TXT"},
    {"ImportOutputIsTheXliffFile", "ln x/a.xlf x/a.TXT",
     "xliff import --source-dir org -o x x/a.xlf"},
    {"ImportOutputIsTheSource", "", "xliff import --source-dir org -o org x/a.xlf"},
    {"ImportOfOneFileTwiceMakesNoFolder", "",
     "xliff import --source-dir org -o new x/a.xlf x/a.xlf"},
    {"ExportOutputIsTheMemory", "cp x/a.xlf x/m.tmx",
     "xliff export --tm x/m.tmx -o x/m.tmx org/a.TXT"},
    {"ExportOutputFolderHoldsTheMemory", "mkdir y && cp x/a.xlf y/a.xlf",
     "xliff export --tm y/a.xlf --output-dir y org/a.TXT"},
    {"TmxOutputIsAHardLinkOfTheTranslation", "ln tr/a.TXT t.tmx",
     "tmx -o t.tmx org/a.TXT tr/a.TXT"},
    {"TmxOutputIsASourceOfTheSourceFolder", "ln -s org/a.TXT m.tmx",
     "tmx --source-dir org -o m.tmx tr/a.TXT"},
    {"TmxOutputIsAGlobbedInput", "", "tmx -o tr/*.TXT org/a.TXT"},
    {"PseudoIntoTheFolderOfTheInput", "", "pseudo -o tr tr/a.TXT"},
    {"PseudoOutputIsASymlinkToTheInput", "mkdir p && ln -s ../tr/a.TXT p/a.TXT",
     "pseudo -o p tr/a.TXT"},
};

class OutputMeetsInput : public ::testing::TestWithParam<Meeting> {
  protected:
    // The quillex command with this test's settings, run in the work folder.
    std::string quillex(const std::string& arguments) const {
        std::string expanded = arguments;
        const std::map<std::string, std::string> options = {
            {"$F", "--format txt --org-dir org --translated-dir org --ancillary no "
                   "--overwrite always"},
            {"$B", "--format txt --org-dir org --overwrite always"},
            {"$V", "--format txt --source-dir org --overwrite always"},
        };
        for (const auto& [name, value] : options)
            if (const auto at = expanded.find(name); at != std::string::npos)
                expanded.replace(at, name.size(), value);
        return "cd '" + work.folder() + "' && XDG_CONFIG_HOME='" + work.folder() +
               "config' HOME='" + work.folder() + "' '" + QUILLEX_CLI + "' " + expanded +
               " </dev/null 2>&1";
    }

    void SetUp() override {
        work.write("src/a.DOC", kDocument);
        const ShellRun forward = shell(quillex("forward $F src/a.DOC"));
        ASSERT_EQ(forward.status, 0) << forward.output;
        fs::create_directories(work.path() / "tr");
        fs::copy_file(work.path() / "org/a.TXT", work.path() / "tr/a.TXT");
        fs::copy_file(work.path() / "org/a.TXT", work.path() / "tr/b.TXT");
        const ShellRun exported = shell(quillex("xliff export --output-dir x org/a.TXT"));
        ASSERT_EQ(exported.status, 0) << exported.output;
    }

    // Runs the row's command after arranging the folder: refused with
    // status 2 and a message, and nothing on disk changed.
    void expectRefusedWithNothingWritten();

    TempDir work;
};

TEST_P(OutputMeetsInput, IsRefusedAndNothingIsWritten) {
    expectRefusedWithNothingWritten();
}

void OutputMeetsInput::expectRefusedWithNothingWritten() {
    const Meeting& meeting = GetParam();
    if (*meeting.arrange != '\0') {
        const ShellRun arranged =
            shell("cd '" + work.folder() + "' && " + meeting.arrange + " 2>&1");
        ASSERT_EQ(arranged.status, 0) << arranged.output;
    }
    const auto before = snapshot(work.path());
    const ShellRun run = shell(quillex(meeting.command));
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_NE(run.output.find("quillex: "), std::string::npos) << run.output;
    EXPECT_EQ(snapshot(work.path()), before) << run.output;
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, OutputMeetsInput, ::testing::ValuesIn(kMeetings),
                         [](const auto& info) { return std::string(info.param.name); });

// An output folder that cannot be made (a file of that name, or no name) is
// a message and status 2, not an abort; nothing is written either.
const Meeting kUnusableFolders[] = {
    {"PseudoIntoAFile", "echo x > afile", "pseudo -o afile org/a.TXT"},
    {"PseudoIntoNoName", "", "pseudo -o '' org/a.TXT"},
    {"ExportIntoAFile", "echo x > afile", "xliff export --output-dir afile org/a.TXT"},
    {"ImportBelowAFile", "echo x > afile", "xliff import --source-dir org -o afile/sub x/a.xlf"},
    {"ImportIntoNoName", "", "xliff import --source-dir org -o '' x/a.xlf"},
    {"ForwardIntoAFile", "echo x > afile",
     "forward --format txt --org-dir afile --translated-dir org --ancillary no src/a.DOC"},
};

class UnusableOutputFolder : public OutputMeetsInput {};

TEST_P(UnusableOutputFolder, IsAMessageAndNothingIsWritten) {
    expectRefusedWithNothingWritten();
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, UnusableOutputFolder, ::testing::ValuesIn(kUnusableFolders),
                         [](const auto& info) { return std::string(info.param.name); });

// An output that exists already is kept unless --overwrite always says
// otherwise (with no terminal to ask, "ask" keeps it too): the run names it,
// succeeds, and changes nothing. The arrangement makes the output first.
const Meeting kKeptOutputs[] = {
    {"ExportKeepsItsDocument", "echo changed >> x/a.xlf",
     "xliff export --overwrite never --output-dir x org/a.TXT"},
    {"ExportAsksWithNoOneToAnswer", "echo changed >> x/a.xlf",
     "xliff export --output-dir x org/a.TXT"},
    {"ExportKeepsTheDocumentOfDashO", "echo changed >> x/a.xlf",
     "xliff export --overwrite never -o x/a.xlf org/a.TXT"},
    {"ImportKeepsItsTranslation",
     "$Q xliff import --source-dir org -o t x/a.xlf && echo changed >> t/a.TXT",
     "xliff import --overwrite never --source-dir org -o t x/a.xlf"},
    {"PseudoKeepsItsTranslation", "$Q pseudo -o p tr/a.TXT && echo changed >> p/a.TXT",
     "pseudo -o p tr/a.TXT"},
};

class KeptOutput : public OutputMeetsInput {
  protected:
    // The row's command with --overwrite always.
    static std::string replacing(std::string command) {
        const std::string never = "--overwrite never";
        if (const auto at = command.find(never); at != std::string::npos)
            return command.replace(at, never.size(), "--overwrite always");
        return command + " --overwrite always";
    }
};

TEST_P(KeptOutput, IsNamedAndNothingIsWritten) {
    const Meeting& meeting = GetParam();
    std::string arrange = meeting.arrange;
    if (const auto at = arrange.find("$Q"); at != std::string::npos)
        arrange.replace(at, 2,
                        "XDG_CONFIG_HOME='" + work.folder() + "config' '" + QUILLEX_CLI + "'");
    const ShellRun arranged = shell("cd '" + work.folder() + "' && " + arrange + " 2>&1");
    ASSERT_EQ(arranged.status, 0) << arranged.output;

    const auto before = snapshot(work.path());
    const ShellRun kept = shell(quillex(meeting.command));
    EXPECT_EQ(kept.status, 0) << kept.output;
    EXPECT_NE(kept.output.find("skipped: "), std::string::npos) << kept.output;
    EXPECT_EQ(snapshot(work.path()), before) << kept.output;

    const ShellRun replaced = shell(quillex(replacing(meeting.command)));
    EXPECT_EQ(replaced.status, 0) << replaced.output;
    EXPECT_NE(snapshot(work.path()), before) << replaced.output;
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, KeptOutput, ::testing::ValuesIn(kKeptOutputs),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
