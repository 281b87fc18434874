// PageBatchHost: the batch host of a batch page, on the window's thread.
#include "app/gui/page_batch_host.h"

#include "app/batch_runner.h"
#include "app/gui/batch_page.h"
#include "app/gui/confirm_batch_dialog.h"
#include "app/gui/file_filter.h"
#include "app/gui/qt_text.h"
#include "app/gui/user_dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace quillex {

PageBatchHost::PageBatchHost(BatchPage& page, UserDialogs& dialogs)
    : page_(page), dialogs_(dialogs) {}

std::vector<std::string> PageBatchHost::chooseFiles(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& startDirectory) {
    if (closingDown_)
        return {};
    // Without a remembered directory the dialog starts in the current one.
    const QString start = startDirectory.empty() ? QDir::currentPath() : toQt(startDirectory);
    const QStringList chosen = !files_.isEmpty() ? files_
                                                 : dialogs_.openFiles(page_.window(), toQt(title),
                                                                      qtFileFilter(filter), start);
    std::vector<std::string> files;
    for (const QString& file : chosen)
        files.push_back(fromQt(QFileInfo(file).absoluteFilePath()));
    return files;
}

bool PageBatchHost::confirmBatch(BatchKind kind, const std::string& title,
                                 const std::string& countLine, BatchDirectories& directories) {
    if (closingDown_)
        return false;
    ConfirmBatchDialog dialog(kind, toQt(title), toQt(countLine), directories, dialogs_,
                              page_.window());
    if (!dialogs_.run(dialog))
        return false;
    directories = dialog.directories();
    return true;
}

Answer PageBatchHost::ask(const std::string& question, bool withCancel) {
    if (closingDown_)
        return withCancel ? Answer::Cancel : Answer::No;
    return dialogs_.ask(page_.window(), toQt(question), withCancel);
}

Answer PageBatchHost::askOverwrite(const std::string& question, bool withCancel) {
    if (closingDown_)
        return withCancel ? Answer::Cancel : Answer::No;
    if (overwriteForAll_)
        return *overwriteForAll_;
    using Overwrite = UserDialogs::OverwriteAnswer;
    switch (dialogs_.askOverwrite(page_.window(), toQt(question), withCancel)) {
    case Overwrite::YesToAll:
        overwriteForAll_ = Answer::Yes;
        return Answer::Yes;
    case Overwrite::NoToAll:
        overwriteForAll_ = Answer::No;
        return Answer::No;
    case Overwrite::Yes:
        return Answer::Yes;
    case Overwrite::No:
        return Answer::No;
    case Overwrite::Cancel:
        break;
    }
    return Answer::Cancel;
}

void PageBatchHost::fileStarted(int number, int count, const std::string& path) {
    page_.showFile(number, count, toQt(path));
}

// A stopped batch leaves the batch bar where it stopped (after the file it
// was in), not full: the user sees how much of the batch was done.
void PageBatchHost::batchEnded(const BatchReport& report) {
    findings_ = report.failed > 0 || report.tagChanges > 0 || report.ancillaryFailed;
    if (report.stopped && report.files > 0)
        page_.showStoppedAt(report.attempted, report.files);
}

void PageBatchHost::setProgressRanges(int fileMaximum, int batchMaximum) {
    page_.setProgressRanges(fileMaximum, batchMaximum);
}

void PageBatchHost::setProgress(int fileValue, int batchValue) {
    page_.setProgress(fileValue, batchValue);
}

void PageBatchHost::appendResult(const std::string& line) {
    page_.appendResult(toQt(line));
}

void PageBatchHost::showSummary(const std::string& text, bool isError) {
    page_.appendSummary(toQt(text), isError     ? ResultsView::Severity::Error
                                    : findings_ ? ResultsView::Severity::Warning
                                                : ResultsView::Severity::Information);
    if (closingDown_)
        return;
    dialogs_.tell(page_.window(), toQt(text),
                  isError ? UserDialogs::Icon::Stop : UserDialogs::Icon::Information);
}

} // namespace quillex
