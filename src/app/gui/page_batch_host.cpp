// PageBatchHost: the batch host of a batch page, on the window's thread.
#include "app/gui/page_batch_host.h"

#include "app/gui/batch_page.h"
#include "app/gui/confirm_batch_dialog.h"
#include "app/gui/file_filter.h"
#include "app/gui/qt_text.h"
#include "app/gui/user_dialogs.h"

#include <QDir>

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
    std::vector<std::string> files;
    for (const QString& file :
         dialogs_.openFiles(page_.window(), toQt(title), qtFileFilter(filter), start))
        files.push_back(fromQt(file));
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
    if (closingDown_)
        return;
    dialogs_.tell(page_.window(), toQt(text),
                  isError ? UserDialogs::Icon::Stop : UserDialogs::Icon::Information);
}

} // namespace quillex
