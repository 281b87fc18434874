// Batches driven through the window: a forward, verify and backward batch on
// the examples whose outputs are those of the command line with the same
// settings; Cancel in the middle of a batch; page changes and closing
// refused while a batch runs; a batch printing tens of thousands of lines
// while the window stays responsive, and Cancel pausing such a batch;
// saving and clearing the results list.
#include "app/gui/batch_controller.h"
#include "app/gui/batch_page.h"
#include "app/gui/confirm_batch_dialog.h"
#include "app/gui/directory_field.h"
#include "app/gui/main_window.h"
#include "app/gui/paths_page.h"
#include "app/gui/qt_text.h"
#include "app/gui/settings_page.h"
#include "conversion/result_code.h"
#include "gui_fixture.h"
#include "support/file_contents.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <filesystem>
#include <map>
#include <thread>
#include <vector>

using namespace quillex;
using quillex::testing::GuiTest;
using quillex::testing::readFile;
using quillex::testing::TempDir;
using quillex::testing::writeFile;
using Group = quillex::SettingsPage::Group;
namespace fs = std::filesystem;

namespace {

constexpr int kBatchTimeoutMs = 60000;

class BatchWindowTest : public GuiTest {
  protected:
    void openWindow(PerFileRoutines routines = PerFileRoutines::builtIn()) {
        window = std::make_unique<MainWindow>(SettingsStore::load(), dialogs, std::move(routines));
        window->show();
    }

    // Presses the page's start button and waits for the batch to end.
    void runBatch(BatchKind kind) {
        QSignalSpy finished(&window->controller(), &BatchController::batchFinished);
        window->batchPage(kind).startButton()->click();
        ASSERT_TRUE(finished.wait(kBatchTimeoutMs));
    }

    // Confirms the dialog with these folders (empty: as proposed).
    void confirmWith(const std::string& org, const std::string& translated = {}) {
        dialogs.onDialog = [=, this](QDialog& dialog) {
            auto& confirm = dynamic_cast<ConfirmBatchDialog&>(dialog);
            proposedOrg = confirm.orgField()->directory();
            if (!org.empty())
                confirm.orgField()->setDirectory(org);
            if (!translated.empty())
                confirm.translatedField()->setDirectory(translated);
            confirm.accept();
        };
    }

    QString lastSummary() const {
        return dialogs.told.empty() ? QString() : dialogs.told.back().text;
    }

    std::unique_ptr<MainWindow> window;
    std::string proposedOrg;
    TempDir work;
};

std::string copyOf(const std::string& from, const std::string& folder) {
    const fs::path to = fs::path(folder) / fs::path(from).filename();
    fs::copy_file(from, to);
    return to.string();
}

// The files of a folder by name with their bytes, in which the folder of
// the source files (catalogs list the documents by path) reads as another.
std::map<std::string, std::string> contentsOf(const std::string& folder,
                                              const std::string& sourceFolder = {},
                                              const std::string& asFolder = {}) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string bytes = readFile(entry.path());
        for (auto at = bytes.find(sourceFolder); !sourceFolder.empty() && at != std::string::npos;
             at = bytes.find(sourceFolder, at + asFolder.size()))
            bytes.replace(at, sourceFolder.size(), asFolder);
        files[entry.path().filename().string()] = std::move(bytes);
    }
    return files;
}

// The names of the files that differ between two folders' contents.
std::vector<std::string> differences(const std::map<std::string, std::string>& a,
                                     const std::map<std::string, std::string>& b) {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : a)
        if (!b.contains(name) || b.at(name) != bytes)
            names.push_back(name);
    for (const auto& [name, bytes] : b)
        if (!a.contains(name))
            names.push_back(name);
    return names;
}

int runCli(const std::string& arguments, const std::string& config) {
    const std::string command =
        "XDG_CONFIG_HOME='" + config + "' " QUILLEX_CLI " " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str());
}

TEST_F(BatchWindowTest, ForwardVerifyAndBackwardOnTheExamplesGiveTheOutputsOfTheCommandLine) {
    const std::string source = work.subfolder("gui/source");
    const std::string qmx = work.subfolder("gui/qmx");
    const std::string translated = work.subfolder("gui/translated");
    QStringList examples;
    for (const char* name : {"chapter3.DOC", "manual.STY", "chapter4.DOC"})
        examples << toQt(copyOf(std::string(QUILLEX_EXAMPLES) + "/" + name, source));
    openWindow();
    // Changed on the Settings page just before: the batch takes the page's values.
    SettingsPage& settings = window->settingsPage();
    settings.button(Group::FileFormatForQmx, 0)->setChecked(true);
    settings.button(Group::SmartQuotes, 0)->setChecked(true);
    settings.targetLanguageList()->setCurrentText("French");

    dialogs.fileChoices = {examples};
    confirmWith(qmx, translated);
    runBatch(BatchKind::Forward);
    EXPECT_EQ(lastSummary(), message(MessageId::SummaryConverted, 3));
    EXPECT_EQ(dialogs.questions.back(), message(MessageId::AskCreateAncillary));
    const QStringList forwardResults = window->batchPage(BatchKind::Forward).results();
    const auto position = [&](const char* name) {
        return forwardResults.indexOf(message(MessageId::ConvertingFile, (source + name).c_str()));
    };
    EXPECT_LT(position("chapter3.DOC"), position("chapter4.DOC"));
    EXPECT_LT(position("chapter4.DOC"), position("manual.STY"));
    // The folders of the batch are remembered and proposed next time.
    EXPECT_EQ(window->pathsPage().sourceField()->directory(), source);
    EXPECT_EQ(window->pathsPage().orgField()->directory(), qmx);
    EXPECT_EQ(window->pathsPage().translatedField()->directory(), translated);

    // A careless translation of chapter 3: one tag added.
    std::string chapter3 = readFile(translated + "chapter3.TXT");
    chapter3.insert(chapter3.find("Before you begin"), "<:hs>");
    writeFile(translated + "chapter3.TXT", chapter3);
    dialogs.fileChoices = {{toQt(translated + "chapter3.TXT"), toQt(translated + "chapter4.TXT")}};
    confirmWith({});
    runBatch(BatchKind::Verify);
    EXPECT_EQ(proposedOrg, qmx);
    EXPECT_EQ(dialogs.openFileStarts.back().toStdString(), translated);
    EXPECT_EQ(lastSummary(), message(MessageId::SummaryVerifiedWithTagChanges, 2, 1));
    EXPECT_TRUE(fs::exists(translated + "chapter3.CMP"));
    EXPECT_FALSE(fs::exists(translated + "chapter4.CMP"));

    dialogs.fileChoices = {{toQt(translated + "chapter4.TXT")}};
    runBatch(BatchKind::Backward);
    EXPECT_EQ(lastSummary(), message(MessageId::SummaryNoErrors));

    // The command line, same files and settings, in folders of its own.
    const std::string config = work.subfolder("cli/config");
    const std::string cliSource = work.subfolder("cli/source");
    const std::string cliQmx = work.subfolder("cli/qmx");
    const std::string cliTranslated = work.subfolder("cli/translated");
    for (const char* name : {"chapter3.DOC", "manual.STY", "chapter4.DOC"})
        copyOf(std::string(QUILLEX_EXAMPLES) + "/" + name, cliSource);
    const std::string options = " --format txt --overwrite always ";
    ASSERT_EQ(runCli("forward" + options +
                         "--smart-quotes text --target-language French --ancillary yes "
                         "--org-dir " +
                         cliQmx + " --translated-dir " + cliTranslated + " " + cliSource +
                         "chapter3.DOC " + cliSource + "chapter4.DOC " + cliSource + "manual.STY",
                     config),
              0);
    ASSERT_EQ(
        runCli("backward" + options + "--org-dir " + cliQmx + " " + cliTranslated + "chapter4.TXT",
               config),
        0);
    const auto guiQmx = contentsOf(qmx, source, cliSource);
    EXPECT_EQ(guiQmx.size(), 7u); // 2 x (ORG, TXT), CAT, STY, ANCILL.TXT
    EXPECT_EQ(differences(guiQmx, contentsOf(cliQmx)), std::vector<std::string>{});
    // The translated folder: the same but for the careless translation and
    // its report.
    auto guiTranslated = contentsOf(translated, source, cliSource);
    guiTranslated.erase("chapter3.TXT");
    guiTranslated.erase("chapter3.CMP");
    auto cliTranslatedFiles = contentsOf(cliTranslated);
    cliTranslatedFiles.erase("chapter3.TXT");
    EXPECT_TRUE(guiTranslated.contains("chapter4.DOC"));
    EXPECT_EQ(differences(guiTranslated, cliTranslatedFiles), std::vector<std::string>{});
}

// A forward routine that runs until the batch is cancelled (or a minute
// has passed, so that a broken Cancel fails rather than hangs).
PerFileRoutines untilCancelled(std::atomic<int>& started) {
    PerFileRoutines routines = PerFileRoutines::builtIn();
    routines.forward = [&started](const ConversionOptions&, AncillaryCollector&,
                                  ConversionHost& host) -> ConversionResult {
        ++started;
        host.progressStep(false, false);
        for (int wait = 0; wait < kBatchTimeoutMs / 10 && !host.isCancelled(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (host.isCancelled())
            return {result::Cancelled, {}};
        return {};
    };
    return routines;
}

TEST_F(BatchWindowTest, CancelInTheMiddleStopsTheBatchAndTheWindowRefusesToLeaveMeanwhile) {
    std::atomic<int> started{0};
    openWindow(untilCancelled(started));
    const std::string source = work.subfolder("source");
    dialogs.fileChoices = {
        {toQt(work.write("source/a.DOC", "")), toQt(work.write("source/b.DOC", ""))}};
    confirmWith(work.subfolder("qmx"), work.subfolder("translated"));
    BatchPage& page = window->batchPage(BatchKind::Forward);
    QSignalSpy finished(&window->controller(), &BatchController::batchFinished);
    page.startButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return started == 1; }, kBatchTimeoutMs));

    EXPECT_TRUE(window->isBusy());
    EXPECT_FALSE(page.startButton()->isEnabled());
    EXPECT_FALSE(page.clearButton()->isEnabled());
    EXPECT_TRUE(page.cancelButton()->isEnabled());
    window->tabs()->setCurrentIndex(3);
    EXPECT_EQ(window->tabs()->currentWidget(), &page);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    // No to "Are you sure?" lets the batch go on; Yes cancels it.
    dialogs.answers = {Answer::No};
    page.cancelButton()->click();
    QTest::qWait(50);
    EXPECT_TRUE(finished.isEmpty());
    dialogs.answers = {Answer::Yes};
    page.cancelButton()->click();
    ASSERT_TRUE(finished.wait(kBatchTimeoutMs));

    EXPECT_EQ(started, 1);
    EXPECT_EQ(dialogs.questions.front(), message(MessageId::ConfirmCancel));
    const QStringList results = page.results();
    EXPECT_TRUE(results.contains(message(MessageId::ConversionCancelled)));
    EXPECT_TRUE(results.contains(message(MessageId::BatchCancelled)));
    ASSERT_FALSE(dialogs.told.empty());
    EXPECT_EQ(lastSummary(), message(MessageId::BatchCancelledConverted, 0));
    EXPECT_EQ(dialogs.told.back().icon, UserDialogs::Icon::Stop);
    // The bars show where it stopped: after the first of two files.
    EXPECT_EQ(page.batchBar()->value(), page.batchBar()->maximum() / 2);
    EXPECT_EQ(page.fileLabel()->text(), "File 1 of 2: a.DOC");

    EXPECT_FALSE(window->isBusy());
    EXPECT_TRUE(page.startButton()->isEnabled());
    EXPECT_FALSE(page.cancelButton()->isEnabled());
    window->tabs()->setCurrentIndex(3);
    EXPECT_EQ(window->tabs()->currentIndex(), 3);
}

// A forward routine that prints `lines` results lines in `steps` progress
// steps, as a long document full of warnings does.
PerFileRoutines printing(int lines, int steps, std::atomic<int>& started) {
    PerFileRoutines routines = PerFileRoutines::builtIn();
    routines.forward = [=, &started](const ConversionOptions& options, AncillaryCollector&,
                                     ConversionHost& host) -> ConversionResult {
        ++started;
        for (int step = 0; step < steps; ++step) {
            for (int line = 0; line < lines / steps; ++line)
                host.appendResult("Warning! " + options.baseName + " line " +
                                  std::to_string(step * (lines / steps) + line) +
                                  ": a paragraph tag that the style file does not define");
            host.progressStep(false, false);
            if (host.isCancelled())
                return {result::Cancelled, {}};
        }
        return {};
    };
    return routines;
}

// The longest time the window's thread went without running a timer while
// `busy` held: the event loop keeps turning, or it does not.
class LivenessProbe {
  public:
    explicit LivenessProbe(std::function<bool()> busy) : busy_(std::move(busy)) {
        timer_.setInterval(kTickMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (busy_())
                longest_ = std::max(longest_, sinceLast_.restart());
            else
                sinceLast_.restart();
        });
        sinceLast_.start();
        timer_.start();
    }
    qint64 longestGapMs() const { return longest_; }

  private:
    static constexpr int kTickMs = 10;
    std::function<bool()> busy_;
    QTimer timer_;
    QElapsedTimer sinceLast_;
    qint64 longest_ = 0;
};

std::vector<std::string> someDocuments(TempDir& work, int count) {
    std::vector<std::string> files;
    for (int i = 0; i < count; ++i)
        files.push_back(work.write("source/doc" + std::to_string(i) + ".DOC", ""));
    return files;
}

QStringList qtPaths(const std::vector<std::string>& files) {
    QStringList list;
    for (const std::string& file : files)
        list << toQt(file);
    return list;
}

TEST_F(BatchWindowTest, ABatchPrintingTensOfThousandsOfLinesKeepsTheWindowTurning) {
    constexpr int kFiles = 4;
    constexpr int kLinesPerFile = 15000;
    constexpr qint64 kLongestGapMs = 200;
    std::atomic<int> started{0};
    openWindow(printing(kLinesPerFile, 10, started));
    dialogs.fileChoices = {qtPaths(someDocuments(work, kFiles))};
    confirmWith(work.subfolder("qmx"), work.subfolder("translated"));
    LivenessProbe probe([this] { return window->isBusy(); });
    runBatch(BatchKind::Forward);

    EXPECT_LT(probe.longestGapMs(), kLongestGapMs);
    BatchPage& page = window->batchPage(BatchKind::Forward);
    const QStringList results = page.results();
    EXPECT_GT(results.size(), kFiles * kLinesPerFile);
    EXPECT_TRUE(results.contains("Warning! doc3 line 14999: a paragraph tag that the style file "
                                 "does not define"));
    // The summary follows the batch's last line, and the bars and the file
    // line show the end.
    const QStringList summary = message(MessageId::SummaryConverted, kFiles).split('\n');
    const qsizetype at = results.lastIndexOf(summary.front());
    ASSERT_GT(at, 0);
    EXPECT_EQ(results.mid(at, summary.size()), summary);
    EXPECT_EQ(fromQt(results[at - 1]), BatchRunner::underscoreLine());
    EXPECT_EQ(page.batchBar()->value(), page.batchBar()->maximum());
    EXPECT_EQ(page.fileLabel()->text(), "File 4 of 4: doc3.DOC");
}

// The user takes a while to answer "Are you sure?": the batch starts no new
// file meanwhile, and Yes stops it in the file it was in.
TEST_F(BatchWindowTest, CancelPausesABusyBatchAndStopsItBeforeTheNextFile) {
    constexpr int kFiles = 40;
    std::atomic<int> started{0};
    openWindow(printing(2000, 20, started));
    dialogs.fileChoices = {qtPaths(someDocuments(work, kFiles))};
    confirmWith(work.subfolder("qmx"), work.subfolder("translated"));
    BatchPage& page = window->batchPage(BatchKind::Forward);
    QSignalSpy finished(&window->controller(), &BatchController::batchFinished);
    page.startButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return started >= 2; }, kBatchTimeoutMs));

    int startedWhenAnswered = 0;
    dialogs.whileAsking = [&] {
        QTest::qWait(500);
        startedWhenAnswered = started;
    };
    dialogs.answers = {Answer::Yes};
    page.cancelButton()->click();
    ASSERT_TRUE(finished.wait(kBatchTimeoutMs));

    EXPECT_LT(started, kFiles);
    EXPECT_EQ(started, startedWhenAnswered);
    EXPECT_TRUE(page.results().contains(message(MessageId::BatchCancelled)));
    EXPECT_EQ(lastSummary(), message(MessageId::BatchCancelledConverted, started - 1));
}

// Cancel confirmed while the last file ends past its last check: the batch
// has done everything, and its summary says that Cancel came too late.
TEST_F(BatchWindowTest, ACancelThatComesTooLateSaysSo) {
    std::atomic<bool> asking{false};
    PerFileRoutines routines = PerFileRoutines::builtIn();
    routines.forward = [&asking](const ConversionOptions&, AncillaryCollector&,
                                 ConversionHost& host) -> ConversionResult {
        host.progressStep(false, false);
        while (!asking)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return {};
    };
    openWindow(routines);
    dialogs.fileChoices = {qtPaths(someDocuments(work, 1))};
    confirmWith(work.subfolder("qmx"), work.subfolder("translated"));
    BatchPage& page = window->batchPage(BatchKind::Forward);
    QSignalSpy finished(&window->controller(), &BatchController::batchFinished);
    page.startButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.fileLabel()->text() != ""; }, kBatchTimeoutMs));
    dialogs.whileAsking = [&] {
        asking = true;
        QTest::qWait(100);
    };
    dialogs.answers = {Answer::Yes, Answer::No};
    page.cancelButton()->click();
    ASSERT_TRUE(finished.wait(kBatchTimeoutMs));
    EXPECT_TRUE(lastSummary().startsWith(message(MessageId::SummaryNoErrors)));
    EXPECT_TRUE(lastSummary().contains("Cancel came too late")) << lastSummary().toStdString();
    EXPECT_TRUE(page.results().join('\n').contains("Cancel came too late"));
}

// Files named on the command line (or dropped on a page) start the batch
// of their page without the open-file dialog; converted again, one "Yes to
// All" answers every overwrite question of the batch.
TEST_F(BatchWindowTest, FilesGivenToTheWindowRunTheirBatchAndYesToAllAsksOnce) {
    const std::string source = work.subfolder("source");
    QStringList files;
    for (const char* name : {"chapter3.DOC", "chapter4.DOC"})
        files << toQt(copyOf(std::string(QUILLEX_EXAMPLES) + "/" + name, source));
    openWindow();
    confirmWith(work.subfolder("qmx"), work.subfolder("translated"));
    QSignalSpy finished(&window->controller(), &BatchController::batchFinished);
    window->tabs()->setCurrentIndex(3);
    window->openFiles(files);
    ASSERT_TRUE(finished.wait(kBatchTimeoutMs));
    EXPECT_EQ(window->tabs()->currentWidget(), &window->batchPage(BatchKind::Forward));
    EXPECT_TRUE(dialogs.openFileStarts.empty());
    EXPECT_EQ(lastSummary(), message(MessageId::SummaryConverted, 2));
    EXPECT_TRUE(dialogs.overwriteQuestions.empty());

    dialogs.overwriteAnswers = {UserDialogs::OverwriteAnswer::YesToAll};
    window->openFiles(files);
    ASSERT_TRUE(finished.wait(kBatchTimeoutMs));
    EXPECT_EQ(dialogs.overwriteQuestions.size(), 1u);
    EXPECT_EQ(lastSummary(), message(MessageId::SummaryConverted, 2));

    // No to All keeps every existing output: both files count as failed.
    dialogs.overwriteAnswers = {UserDialogs::OverwriteAnswer::NoToAll};
    window->openFiles(files);
    ASSERT_TRUE(finished.wait(kBatchTimeoutMs));
    EXPECT_EQ(dialogs.overwriteQuestions.size(), 2u);
    EXPECT_EQ(lastSummary(), message(MessageId::SummaryConvertedWithFailures, 0, 2));
}

TEST_F(BatchWindowTest, AWindowDestroyedDuringABatchCancelsItAndWaitsForIt) {
    std::atomic<int> started{0};
    openWindow(untilCancelled(started));
    dialogs.fileChoices = {{toQt(work.write("source/a.DOC", ""))}};
    confirmWith(work.subfolder("qmx"), work.subfolder("translated"));
    window->batchPage(BatchKind::Forward).startButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return started == 1; }, kBatchTimeoutMs));
    const std::size_t shown = dialogs.told.size();
    window.reset();
    // Its summary box was never shown: the window had gone.
    EXPECT_EQ(dialogs.told.size(), shown);
}

TEST_F(BatchWindowTest, ResultsAreSavedAsTextLinesAndClearedAfterABatch) {
    openWindow();
    dialogs.fileChoices = {{toQt(work.write("source/broken.DOC", "not a document\n"))}};
    confirmWith(work.subfolder("qmx"), work.subfolder("translated"));
    runBatch(BatchKind::Forward);
    EXPECT_EQ(lastSummary(), message(MessageId::SummaryOneFileFailed));
    BatchPage& page = window->batchPage(BatchKind::Forward);
    ASSERT_TRUE(page.saveButton()->isEnabled());

    dialogs.saveChoice = toQt(work.file("RESULTS.TXT"));
    page.saveButton()->click();
    std::string expected;
    for (const QString& line : page.results())
        expected += fromQt(line) + "\r\n";
    EXPECT_EQ(readFile(work.file("RESULTS.TXT")), expected);
    EXPECT_NE(expected.find(loadString(MessageId::ConversionNotInterleafAscii)), std::string::npos);

    // A folder that cannot take the file: the list and a message box say
    // why. The dialog opened in the folder saved to last.
    dialogs.saveChoice = toQt(work.file("no such folder/RESULTS.TXT"));
    const int lines = page.resultsView()->lineCount();
    page.saveButton()->click();
    EXPECT_EQ(dialogs.saveDefaults.back(), toQt(work.file("RESULTS.TXT")));
    EXPECT_GT(page.resultsView()->lineCount(), lines);
    EXPECT_TRUE(page.results().back().startsWith(message(MessageId::FilenameLabel)));
    EXPECT_TRUE(lastSummary().contains(message(MessageId::FilenameLabel)));
    EXPECT_EQ(dialogs.told.back().icon, UserDialogs::Icon::Stop);

    page.clearButton()->click();
    EXPECT_EQ(page.resultsView()->lineCount(), 0);
    EXPECT_EQ(page.batchBar()->value(), 0);
    EXPECT_FALSE(page.clearButton()->isEnabled());
    EXPECT_FALSE(page.saveButton()->isEnabled());
}

} // namespace
