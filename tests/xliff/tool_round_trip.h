// What the end-to-end tests with translation tools share: the examples
// converted forward, and the translated QMX files verified, converted back
// and forward again, which must give the same QMX files.
#pragma once

#include "support/command_run.h"
#include "support/file_contents.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace quillex::testing {

class ToolRoundTrip : public ::testing::Test {
  protected:
    // quillex with the settings of this test's own folder.
    CommandRun quillex(const std::string& arguments) const {
        return runCommand("XDG_CONFIG_HOME='" + work.folder() + "config' '" QUILLEX_CLI "' " +
                          arguments);
    }

    std::string path(const std::string& relative) const { return work.folder() + relative; }

    // The examples converted forward: their QMX files in org/, the copies to
    // translate in translated/.
    void forwardExamples() {
        const std::string examples = QUILLEX_EXAMPLES;
        const CommandRun step =
            quillex("forward --format txt --org-dir " + path("org") + " --translated-dir " +
                    path("translated") + " --overwrite always --ancillary yes " + examples +
                    "/chapter3.DOC " + examples + "/chapter4.DOC " + examples + "/manual.STY");
        ASSERT_EQ(step.status, 0) << step.output;
    }

    // translated/N.TXT of each chapter verified (clean, or with alerts where
    // `alertsAllowed`), converted back, and forward again: the document gives
    // the imported QMX file.
    void expectBackAndForwardAgain(bool alertsAllowed) {
        const std::string qmxFiles =
            path("translated/chapter3.TXT") + " " + path("translated/chapter4.TXT");
        CommandRun step = quillex("verify --format txt --overwrite always --source-dir " +
                                  path("org") + " " + qmxFiles);
        EXPECT_EQ(step.status, 0) << step.output;
        // A report is written for findings; only alerts may be among them.
        for (const char* report : {"translated/chapter3.CMP", "translated/chapter4.CMP"})
            if (std::filesystem::exists(path(report))) {
                EXPECT_TRUE(alertsAllowed) << report;
                EXPECT_EQ(readFile(path(report)).find("ERROR!"), std::string::npos) << report;
            }

        step = quillex("backward --format txt --target-language French --overwrite always "
                       "--org-dir " +
                       path("org") + " " + qmxFiles);
        ASSERT_EQ(step.status, 0) << step.output;
        for (const std::string& chapter : kChapters) {
            step = quillex("forward --format txt --ancillary no --overwrite always --org-dir " +
                           path("again") + " " + path("translated/" + chapter + ".DOC"));
            ASSERT_EQ(step.status, 0) << step.output;
            EXPECT_EQ(readFile(path("again/" + chapter + ".TXT")),
                      readFile(path("translated/" + chapter + ".TXT")))
                << chapter;
        }
    }

    const std::vector<std::string> kChapters = {"chapter3", "chapter4"};
    TempDir work;
};

} // namespace quillex::testing
