// BatchPage: one of the three pages that run batches.
//
// It shows the file and batch progress bars with the file in hand ("File 2
// of 4: name"), the results list and the buttons Cancel, Clear Results, Save
// Results... and the page's start button. Files dropped on the idle page
// start its batch with them.
// The page holds no batch logic: the start button asks the batch controller
// to run a batch, and the controller's hosts fill the bars and the list.
#pragma once

#include "app/batch_kind.h"
#include "app/gui/results_view.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quillex {

class UserDialogs;

class BatchPage : public QWidget {
    Q_OBJECT

  public:
    BatchPage(BatchKind kind, UserDialogs& dialogs, QWidget* parent = nullptr);

    BatchKind kind() const { return kind_; }
    // The tab's title.
    QString title() const;

    void setProgressRanges(int fileMaximum, int batchMaximum);
    void setProgress(int fileValue, int batchValue);
    // A stopped batch: the batch bar shows `done` of `count` files.
    void showStoppedAt(int done, int count);
    // Shows which file the batch works on: number from 1, of count.
    void showFile(int number, int count, const QString& path);
    // Appends a line to the results list; the list follows it to the end
    // unless the user has scrolled up.
    void appendResult(const QString& line);
    // Appends a batch's summary, with an icon.
    void appendSummary(const QString& text, ResultsView::Severity severity);
    QStringList results() const;

    // Running: the start, Clear Results and Save Results buttons are off and
    // Cancel is on; idle the other way round (Clear and Save only with a
    // list that is not empty).
    void setRunning(bool running);

    QPushButton* startButton() const { return start_; }
    QPushButton* cancelButton() const { return cancel_; }
    // The local files among dropped URLs (none: the drop is not taken).
    static QStringList localFiles(const QList<QUrl>& urls);

    QPushButton* clearButton() const { return clear_; }
    QPushButton* saveButton() const { return save_; }
    ResultsView* resultsView() const { return results_; }
    QLabel* fileLabel() const { return fileLabel_; }
    QProgressBar* fileBar() const { return fileBar_; }
    QProgressBar* batchBar() const { return batchBar_; }

  signals:
    void startRequested(BatchPage* page);
    // Files were dropped on the idle page: its batch should run with them.
    void filesDropped(BatchPage* page, const QStringList& files);
    // Cancel was pressed: the question whether to cancel is about to show.
    void cancelAsked();
    // Cancel was confirmed (true) or denied (false).
    void cancelRequested(bool cancel);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void askToCancel();
    void clearResults();
    void saveResults();
    void enableListButtons();

    BatchKind kind_;
    UserDialogs& dialogs_;
    bool running_ = false;
    // Where Save Results saved last ("" before the first save).
    QString saveFolder_;
    QProgressBar* fileBar_;
    QProgressBar* batchBar_;
    QLabel* fileLabel_;
    ResultsView* results_;
    QPushButton* cancel_;
    QPushButton* clear_;
    QPushButton* save_;
    QPushButton* start_;
};

} // namespace quillex
