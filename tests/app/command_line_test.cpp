// The quillex command: exit status, results, refusals and settings.
#include "support/file_contents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>

using quillex::testing::listFolder;
using quillex::testing::readFile;
using quillex::testing::TempDir;

namespace {

struct CommandRun {
    int status = -1;
    std::string output;
};

class CommandLineTest : public ::testing::Test {
  protected:
    CommandLineTest() {
        source = work.subfolder("source");
        org = work.subfolder("org");
        translated = work.subfolder("translated");
        work.subfolder("config");
    }

    CommandRun quillex(const std::string& arguments) {
        return shell(command(arguments) + " </dev/null 2>&1");
    }

    // The quillex command with this test's settings folder, for a script.
    std::string command(const std::string& arguments) const {
        return "XDG_CONFIG_HOME='" + work.folder() + "config' HOME='" + work.folder() + "' '" +
               QUILLEX_CLI + "' " + arguments;
    }

    // Runs `script` in the shell: what it prints and how it exits.
    static CommandRun shell(const std::string& script) {
        CommandRun run;
        std::FILE* pipe = ::popen(script.c_str(), "r");
        std::array<char, 4096> buffer{};
        for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
            run.output.append(buffer.data(), got);
        const int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    std::string forward(const std::string& files) {
        return "forward --format txt --org-dir '" + org + "' --translated-dir '" + translated +
               "' " + files;
    }

    TempDir work;
    std::string source, org, translated;
};

const char* kDocument = "<!OPS, Version = 8.0>\n\n<!Document,\n\tFinal Output Device =\t\"ps\">\n\n"
                        "<!End Declarations>\n\n<\"para\">\n\nText.\n";

} // namespace

TEST_F(CommandLineTest, ASuccessfulBatchExitsWithZeroAndWritesTheOutputs) {
    const std::string file = work.write("source/a.DOC", kDocument);
    const CommandRun run =
        quillex(forward(file) + " --ancillary no --results '" + work.folder() + "results.txt'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Converting " + file + "\nDone!\n"), std::string::npos);
    EXPECT_NE(run.output.find("No errors."), std::string::npos);
    EXPECT_NE(run.output.find("No ancillary file created."), std::string::npos);
    EXPECT_EQ(listFolder(org), (std::vector<std::string>{"a.ORG", "a.TXT"}));
    const std::string results = readFile(work.folder() + "results.txt");
    EXPECT_NE(results.find("Done!\r\n"), std::string::npos);
}

TEST_F(CommandLineTest, AFailedFileExitsWithOneAndLeavesNoOutput) {
    const std::string file = work.write("source/a.DOC", "plain text\n");
    const CommandRun run = quillex(forward(file));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("Conversion failed! This file is not a valid Interleaf ASCII file."),
              std::string::npos);
    EXPECT_NE(run.output.find("The file could not be converted."), std::string::npos);
    EXPECT_TRUE(listFolder(org).empty());

    // A syntax error names the file, line and column where reading stopped.
    const std::string broken = work.write(
        "source/b.DOC", std::string(kDocument) + "\n<Frame,\n\tDiagram =\nV11,\n(t14,1,0)\n>\n");
    const CommandRun syntax = quillex(forward(broken) + " --ancillary no");
    EXPECT_EQ(syntax.status, 1);
    EXPECT_NE(syntax.output.find(broken + ":"), std::string::npos) << syntax.output;
    EXPECT_NE(syntax.output.find("Conversion failed! A parser error has occurred."),
              std::string::npos);
}

TEST_F(CommandLineTest, UsageErrorsExitWithTwo) {
    const std::string file = work.write("source/a.DOC", kDocument);
    EXPECT_EQ(quillex("forward").status, 2);
    EXPECT_EQ(quillex(forward(file) + " --format pdf").status, 2);
    EXPECT_EQ(quillex(forward(work.folder() + "missing.DOC")).status, 2);
    EXPECT_EQ(quillex(forward(file) + " --source-language Klingon").status, 2);
    const CommandRun sameFolder = quillex("forward --format txt --org-dir '" + source +
                                          "' --translated-dir '" + translated + "' " + file);
    EXPECT_EQ(sameFolder.status, 2);
    EXPECT_NE(sameFolder.output.find("You may not place the QMX files in the"), std::string::npos);
    EXPECT_TRUE(listFolder(source) == std::vector<std::string>{"a.DOC"});
}

TEST_F(CommandLineTest, WithoutATerminalExistingOutputsAreNotOverwritten) {
    const std::string file = work.write("source/a.DOC", kDocument);
    work.write("org/a.ORG", "earlier");
    const CommandRun run = quillex(forward(file) + " --ancillary no");
    EXPECT_EQ(run.status, 0); // a file the policy keeps is skipped, not failed
    EXPECT_NE(run.output.find("skipped: " + org + "a.ORG exists (use --overwrite always)"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("Conversion failed! Cancelled by user."), std::string::npos);
    EXPECT_EQ(readFile(org + "a.ORG"), "earlier");
    EXPECT_EQ(quillex(forward(file) + " --ancillary no --overwrite always").status, 0);
    EXPECT_NE(readFile(org + "a.ORG"), "earlier");
}

TEST_F(CommandLineTest, SettingsCanBeListedAndChanged) {
    EXPECT_EQ(quillex("settings set OPTIONS/SMART_QUOTES 0").status, 0);
    EXPECT_EQ(quillex("settings set OPTIONS/SMART_QUOTES 7").status, 2);
    const CommandRun list = quillex("settings");
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.output.find("OPTIONS/SMART_QUOTES = 0\n"), std::string::npos);
    EXPECT_NE(list.output.find("OPTIONS/FILE_FORMAT_FOR_QMX = 1\n"), std::string::npos);
    // The saved setting applies to the next batch.
    const std::string file = work.write("source/a.DOC", kDocument);
    ASSERT_EQ(quillex(forward(file) + " --ancillary no").status, 0);
    EXPECT_NE(readFile(org + "a.TXT").find("<quotes \"As text\">"), std::string::npos);
}

// A setting that cannot reach the settings file is not reported as set.
TEST_F(CommandLineTest, ASettingThatCannotBeSavedFailsTheCommand) {
    const std::string blocked = work.write("blocked", "a file where the settings folder goes");
    const CommandRun run = shell("XDG_CONFIG_HOME='" + blocked + "' '" + QUILLEX_CLI +
                                 "' settings set OPTIONS/SMART_QUOTES 0 </dev/null 2>&1");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("could not be saved"), std::string::npos) << run.output;
}

TEST_F(CommandLineTest, TokensListsLexemesAndTheParseOutcome) {
    const std::string good = work.write("source/a.DOC", kDocument);
    const CommandRun accepted = quillex("tokens '" + good + "'");
    EXPECT_EQ(accepted.status, 0);
    EXPECT_NE(accepted.output.find("OPS_START"), std::string::npos);
    EXPECT_NE(accepted.output.find("Accepted"), std::string::npos);

    const std::string bad = work.write("source/b.DOC", "<!OPS,Version = 8.0>\n");
    const CommandRun refused = quillex("tokens --debug '" + bad + "'");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("Unexpected text: Version Expected VERSION."), std::string::npos);
    // A device is no document: it would be read without end.
    const CommandRun device = quillex("tokens /dev/zero");
    EXPECT_EQ(device.status, 2);
    EXPECT_NE(device.output.find("not a regular file: /dev/zero"), std::string::npos);
}

TEST_F(CommandLineTest, VerifyWritesAReportOnlyWhenTagsChanged) {
    const std::string file = work.write("source/a.DOC", kDocument);
    ASSERT_EQ(quillex(forward(file) + " --ancillary no").status, 0);
    const std::string copy = work.subfolder("copy");
    work.write("copy/a.TXT", readFile(org + "a.TXT"));
    const std::string verify = "verify --format txt --source-dir '" + org + "' '" + copy + "a.TXT'";
    const CommandRun same = quillex(verify);
    EXPECT_EQ(same.status, 0) << same.output;
    EXPECT_NE(same.output.find("Verifying " + copy + "a.TXT\nVerification complete!\n"),
              std::string::npos);
    EXPECT_NE(same.output.find("Files verified."), std::string::npos);
    EXPECT_EQ(listFolder(copy), std::vector<std::string>{"a.TXT"});

    std::string changed = readFile(copy + "a.TXT");
    changed.replace(changed.find("</qmx>"), 0, "<tb 1>\r\n");
    work.write("copy/a.TXT", changed);
    const CommandRun different = quillex(verify);
    EXPECT_NE(different.output.find("Tag changes"), std::string::npos) << different.output;
    EXPECT_EQ(different.status, 1); // an error in a file fails `quillex verify && deliver`
    EXPECT_NE(different.output.find("The verification report was written to " + copy + "a.CMP"),
              std::string::npos);
    EXPECT_EQ(listFolder(copy), (std::vector<std::string>{"a.CMP", "a.TXT"}));

    // An existing report is replaced only as the overwrite policy allows,
    // and never when it is read-only. A kept report does not keep the file
    // from being checked: its errors still fail the command.
    work.write("copy/a.CMP", "earlier report\n");
    const CommandRun kept = quillex(verify + " --overwrite never");
    EXPECT_EQ(readFile(copy + "a.CMP"), "earlier report\n") << kept.output;
    EXPECT_EQ(kept.status, 1) << kept.output;
    EXPECT_NE(kept.output.find("Warning! The new verification reports were not written: " + copy +
                               "a.CMP exists and the overwrite policy keeps it"),
              std::string::npos)
        << kept.output;
    EXPECT_EQ(quillex(verify).status, 1); // asked without a terminal: No
    EXPECT_EQ(readFile(copy + "a.CMP"), "earlier report\n");
    std::filesystem::permissions(copy + "a.CMP", std::filesystem::perms::owner_read);
    const CommandRun readOnly = quillex(verify + " --overwrite always");
    EXPECT_EQ(readOnly.status, 1) << readOnly.output;
    EXPECT_EQ(readFile(copy + "a.CMP"), "earlier report\n");
    std::filesystem::permissions(copy + "a.CMP", std::filesystem::perms::owner_all);
    EXPECT_NE(quillex(verify + " --overwrite always").output.find("Tag changes"),
              std::string::npos);
    EXPECT_NE(readFile(copy + "a.CMP"), "earlier report\n");

    // Verify needs two different folders.
    EXPECT_EQ(quillex("verify --format txt --source-dir '" + copy + "' '" + copy + "a.TXT'").status,
              2);
}

// The results list never goes over a file of the batch, and an existing file
// is replaced only as the overwrite policy allows; a refusal comes before the
// batch runs, and every file is as it was.
TEST_F(CommandLineTest, TheResultsFileIsNeverAnInputOrOutputAndOverwritesOnlyByPolicy) {
    const std::string file = work.write("source/a.DOC", kDocument);
    const std::string other = work.write("source/b.DOC", kDocument);
    const std::string kept = work.write("kept.txt", "earlier results\n");
    struct Case {
        std::string results;
        std::string overwrite;
    };
    for (const Case& c : {Case{other, "always"}, Case{file, "always"},
                          Case{org + "a.TXT", "always"}, Case{translated + "ANCILL.TXT", "always"},
                          Case{org, "always"}, Case{kept, "never"}, Case{kept, "ask"}}) {
        SCOPED_TRACE(c.results + " " + c.overwrite);
        const CommandRun run =
            quillex(forward("'" + file + "' '" + other + "'") + " --ancillary no --overwrite " +
                    c.overwrite + " --results '" + c.results + "'");
        EXPECT_EQ(run.status, 2) << run.output;
        EXPECT_NE(run.output.find("quillex: the results file"), std::string::npos) << run.output;
        EXPECT_EQ(readFile(file), kDocument);
        EXPECT_EQ(readFile(other), kDocument);
        EXPECT_EQ(readFile(kept), "earlier results\n");
        EXPECT_TRUE(listFolder(org).empty());
    }
    const CommandRun replaced = quillex(
        forward("'" + file + "'") + " --ancillary no --overwrite always --results '" + kept + "'");
    EXPECT_EQ(replaced.status, 0) << replaced.output;
    EXPECT_NE(readFile(kept).find("Done!"), std::string::npos);
}

// A failed write of the ancillary file fails the batch, though every
// document converted.
TEST_F(CommandLineTest, AnAncillaryFileThatCannotBeWrittenFailsTheBatch) {
    const std::string file = work.write("source/a.DOC", kDocument);
    std::filesystem::create_directories(translated + "ANCILL.TXT");
    const CommandRun run = quillex(forward(file) + " --ancillary yes --overwrite always");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("Filename:" + translated + "ANCILL.TXT"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("Created the ancillary file:\n" + org + "ANCILL.TXT"),
              std::string::npos);
}

// Two files whose outputs would have the same names (the same bare name in
// two folders, or one file named twice) are refused before anything is
// written.
TEST_F(CommandLineTest, FilesWithTheSameOutputNamesAreRefusedBeforeTheBatch) {
    const std::string first = work.write("source/x.DOC", kDocument);
    const std::string second = work.write("other/X.doc", kDocument);
    const std::string again = work.folder() + "source/../source/x.DOC";
    for (const std::string& pair :
         {"'" + first + "' '" + second + "'", "'" + first + "' '" + again + "'"}) {
        SCOPED_TRACE(pair);
        const CommandRun run = quillex(forward(pair) + " --ancillary yes --overwrite always");
        EXPECT_EQ(run.status, 2) << run.output;
        EXPECT_NE(run.output.find("would write the same output files"), std::string::npos)
            << run.output;
        EXPECT_TRUE(listFolder(org).empty());
        EXPECT_TRUE(listFolder(translated).empty());
    }
    const std::string style = work.write("source/x.STY", "<!OPS, Version = 8.0>\n");
    EXPECT_EQ(quillex(forward("'" + first + "' '" + style + "'") + " --ancillary no").status, 0);
}

// SIGTERM and SIGHUP cancel like Ctrl-C: exit 130, no output and no
// temporary file left, whatever the batch was doing (here: writing the ORG
// copy of a large document, whose temporary file tells that it has begun).
TEST_F(CommandLineTest, TerminationSignalsCancelTheBatchAndLeaveNothing) {
    std::string document = std::string(kDocument);
    const std::string paragraph = "<\"para\">\n\nA paragraph of running text that the batch "
                                  "converts while it is being told to stop.\n\n";
    document.reserve(document.size() + 40 * 1024 * 1024);
    while (document.size() < 40 * 1024 * 1024)
        document += paragraph;
    const std::string file = work.write("source/big.DOC", document);
    for (const char* signal : {"TERM", "HUP"}) {
        SCOPED_TRACE(signal);
        const CommandRun run =
            shell(command(forward(file)) +
                  " --ancillary no --overwrite always </dev/null >/dev/null 2>&1 & "
                  "pid=$!; for i in $(seq 200); do ls -a '" +
                  org + "' | grep -q quillex && break; sleep 0.05; done; kill -" + signal +
                  " $pid; wait $pid");
        EXPECT_EQ(run.status, 130) << run.output;
        EXPECT_TRUE(listFolder(org).empty());
        EXPECT_TRUE(listFolder(translated).empty());
    }
}

// Extensions compare without regard to case: a pair named "a.txt" (the
// source renamed by a tool that lower-cases names) is verified.
TEST_F(CommandLineTest, VerifyFindsTheSourceWhateverTheCaseOfTheExtension) {
    const std::string file = work.write("source/a.DOC", kDocument);
    ASSERT_EQ(quillex(forward(file) + " --ancillary no").status, 0);
    std::filesystem::rename(org + "a.TXT", org + "a.txt");
    work.subfolder("copy");
    const std::string translated = work.write("copy/a.txt", readFile(org + "a.txt"));
    const CommandRun run =
        quillex("verify --format txt --source-dir '" + org + "' '" + translated + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Verification complete!"), std::string::npos) << run.output;
}

// A batch waits while another one writes into its folders (here a lock held
// on the ORG folder for a second), or gives up at once with --no-wait, with
// a status of its own.
TEST_F(CommandLineTest, ABatchWaitsForAnotherThatWritesIntoTheSameFolder) {
    const std::string file = work.write("source/a.DOC", kDocument);
    const auto run = [&](const std::string& options) {
        return shell("flock -x '" + org + "' sleep 1 & sleep 0.3; " + command(forward(file)) +
                     " --ancillary no --overwrite always " + options +
                     " </dev/null 2>&1; status=$?; wait; exit $status");
    };
    const CommandRun refused = run("--no-wait");
    EXPECT_EQ(refused.status, 3) << refused.output;
    EXPECT_NE(refused.output.find("another batch is writing into " + org), std::string::npos)
        << refused.output;
    EXPECT_TRUE(listFolder(org).empty());
    const CommandRun waited = run("");
    EXPECT_EQ(waited.status, 0) << waited.output;
    EXPECT_NE(waited.output.find("Waiting for another batch that writes into " + org),
              std::string::npos)
        << waited.output;
    EXPECT_EQ(listFolder(org), (std::vector<std::string>{"a.ORG", "a.TXT"}));
}

// Conventions of the command tools our users script: --version, a clear
// word for an unknown command, folders as inputs (their files in name order,
// -r for subfolders), and output folders made when missing.
TEST_F(CommandLineTest, VersionUnknownCommandsFolderInputsAndNewOutputFolders) {
    const CommandRun version = quillex("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.output.find("quillex 2.0"), std::string::npos);
    const CommandRun unknown = quillex("fowrard a.DOC");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.output.find("unknown command 'fowrard'"), std::string::npos);

    work.write("source/b.DOC", kDocument);
    work.write("source/a.DOC", kDocument);
    work.write("source/notes.txt", "not a document");
    work.write("source/deeper/c.DOC", kDocument);
    const std::string newOrg = work.folder() + "new/org/";
    const std::string folderBatch = "forward --format txt --ancillary no --org-dir '" + newOrg +
                                    "' --translated-dir '" + translated + "' '" + source + "'";
    const CommandRun flat = quillex(folderBatch);
    EXPECT_EQ(flat.status, 0) << flat.output;
    EXPECT_NE(flat.output.find("Created the folder " + newOrg), std::string::npos);
    EXPECT_LT(flat.output.find("Converting " + source + "a.DOC"),
              flat.output.find("Converting " + source + "b.DOC"));
    EXPECT_EQ(listFolder(newOrg), (std::vector<std::string>{"a.ORG", "a.TXT", "b.ORG", "b.TXT"}));
    const CommandRun deep = quillex(folderBatch + " -r --overwrite always");
    EXPECT_EQ(deep.status, 0) << deep.output;
    EXPECT_NE(deep.output.find("Converting " + source + "deeper/c.DOC"), std::string::npos);
}

// On a terminal the overwrite question also takes "a" (yes to all) and "q"
// (quit the batch, keeping every file). The terminal is a pseudo-terminal
// that script(1) opens, the answers come through it.
TEST_F(CommandLineTest, TheOverwriteQuestionTakesAllAndQuit) {
    const std::string first = work.write("source/a.DOC", kDocument);
    const std::string second = work.write("source/b.DOC", kDocument);
    for (const char* name : {"a.ORG", "a.TXT", "b.ORG", "b.TXT"})
        work.write(std::string("org/") + name, "earlier");
    const auto answer = [&](const std::string& keys) {
        return shell("printf '" + keys + "' | XDG_CONFIG_HOME='" + work.folder() +
                     "config' HOME='" + work.folder() + "' script -qec \"'" + QUILLEX_CLI + "' " +
                     forward("'" + first + "' '" + second + "'") +
                     " --ancillary no\" /dev/null >/dev/null 2>&1")
            .status;
    };
    EXPECT_EQ(answer("q\\n"), 130);
    EXPECT_EQ(readFile(org + "a.ORG"), "earlier");
    EXPECT_EQ(readFile(org + "b.TXT"), "earlier");
    EXPECT_EQ(answer("a\\n"), 0);
    EXPECT_NE(readFile(org + "a.ORG"), "earlier");
    EXPECT_NE(readFile(org + "b.TXT"), "earlier");
}

// A name near the file system's limit of 255 bytes converts: the temporary
// file of each output has a name that fits too.
TEST_F(CommandLineTest, NamesNearTheLengthLimitConvert) {
    const std::string name(240, 'n');
    const std::string file = work.write("source/" + name + ".DOC", kDocument);
    const CommandRun run = quillex(forward("'" + file + "'") + " --ancillary no");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(listFolder(org), (std::vector<std::string>{name + ".ORG", name + ".TXT"}));
}

// A file name with blanks is shown in quotes, ready to be copied into a shell.
TEST_F(CommandLineTest, FileNamesWithBlanksAreQuoted) {
    const std::string file = work.write("source/a b.DOC", kDocument);
    std::filesystem::create_directories(org + "a b.TXT");
    const CommandRun run =
        quillex(forward("'" + file + "'") + " --ancillary no --overwrite always");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("Filename: '" + org + "a b.TXT'"), std::string::npos) << run.output;
}

// Problems go to standard error and stay with --quiet, each after the line
// that names its file; the progress of the batch goes to standard output.
TEST_F(CommandLineTest, ErrorsGoToStandardErrorAndStayWhenQuiet) {
    const std::string file = work.write("source/a.DOC", "plain text\n");
    const std::string errors =
        shell(command(forward(file)) + " --ancillary no --quiet </dev/null 2>&1 >/dev/null").output;
    EXPECT_NE(errors.find("Conversion failed! This file is not a valid Interleaf ASCII file."),
              std::string::npos)
        << errors;
    EXPECT_EQ(errors.find("Converting " + file + "\nConversion failed!"), 0u) << errors;
    EXPECT_EQ(errors.find("Done!"), std::string::npos) << errors;

    // A parser error names the file and the line where reading stopped.
    const std::string broken = work.write(
        "source/b.DOC", std::string(kDocument) + "\n<Frame,\n\tDiagram =\nV11,\n(t14,1,0)\n>\n");
    const std::string syntax =
        shell(command(forward(broken)) + " --ancillary no --quiet </dev/null 2>&1 >/dev/null")
            .output;
    EXPECT_NE(syntax.find("Converting " + broken + "\n" + broken + ":"), std::string::npos)
        << syntax;
}

// Ctrl-C while the overwrite question waits on the terminal ends the batch
// at once (exit 130), keeping every file.
TEST_F(CommandLineTest, CtrlCAtTheOverwriteQuestionEndsTheBatch) {
    const std::string file = work.write("source/a.DOC", kDocument);
    work.write("org/a.ORG", "earlier");
    const std::string fifo = work.folder() + "keys";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The question waits on a terminal whose input never comes; the batch
    // must end within seconds of the signal, not when the input ends.
    const CommandRun run =
        shell("sleep 30 > '" + fifo + "' 2>/dev/null & writer=$!; XDG_CONFIG_HOME='" +
              work.folder() + "config' HOME='" + work.folder() + "' script -qec \"'" + QUILLEX_CLI +
              "' " + forward(file) + " --ancillary no\" /dev/null < '" + fifo +
              "' >/dev/null 2>&1 & script=$!; "
              "for i in $(seq 200); do pid=$(pgrep -f \"^" +
              QUILLEX_CLI + " forward.*" + work.folder() +
              "\") && break; sleep 0.05; done; sleep 0.5; kill -INT $pid; "
              "(sleep 5; kill $script 2>/dev/null) >/dev/null 2>&1 & watchdog=$!; "
              "wait $script; status=$?; kill $watchdog $writer 2>/dev/null; exit $status");
    EXPECT_EQ(run.status, 130) << run.output;
    EXPECT_EQ(readFile(org + "a.ORG"), "earlier");
    EXPECT_EQ(listFolder(org), std::vector<std::string>{"a.ORG"});
}

// quillex backward: the output goes beside the translated file; it is an
// output of the batch, so the results list may not take its place.
TEST_F(CommandLineTest, BackwardWritesTheDocumentBesideTheTranslation) {
    const std::string file = work.write("source/a.DOC", kDocument);
    ASSERT_EQ(quillex(forward(file) + " --ancillary yes --overwrite always").status, 0);
    const std::string backward = "backward --format txt --org-dir '" + org + "' '" + translated +
                                 "a.TXT' --overwrite always";
    const CommandRun refused = quillex(backward + " --results '" + translated + "a.DOC'");
    EXPECT_EQ(refused.status, 2) << refused.output;
    EXPECT_FALSE(std::filesystem::exists(translated + "a.DOC"));

    const CommandRun run = quillex(backward);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(readFile(translated + "a.DOC").find("Text."), std::string::npos);

    // The folder stands for its translated files; its ancillary file is the
    // batch's, read for every document, and not one of them.
    ASSERT_TRUE(std::filesystem::exists(translated + "ANCILL.TXT"));
    const CommandRun folder = quillex("backward --format txt --org-dir '" + org + "' '" +
                                      translated + "' --overwrite always");
    EXPECT_EQ(folder.status, 0) << folder.output;
    EXPECT_EQ(folder.output.find("ANCILL.TXT\n"), std::string::npos) << folder.output;
}
