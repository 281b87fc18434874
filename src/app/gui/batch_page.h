// BatchPage: one of the three pages that run batches.
//
// It shows the file and batch progress bars, the results list and the
// buttons Cancel, Clear Results, Save Results... and the page's start button.
// The page holds no batch logic: the start button asks the batch controller
// to run a batch, and the controller's hosts fill the bars and the list.
#pragma once

#include "app/batch_kind.h"

#include <QWidget>

class QListWidget;
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
    // Appends a line to the results list and scrolls to it.
    void appendResult(const QString& line);
    QStringList results() const;

    // Running: the start, Clear Results and Save Results buttons are off and
    // Cancel is on; idle the other way round (Clear and Save only with a
    // list that is not empty).
    void setRunning(bool running);

    QPushButton* startButton() const { return start_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* saveButton() const { return save_; }
    QListWidget* resultsList() const { return results_; }
    QProgressBar* fileBar() const { return fileBar_; }
    QProgressBar* batchBar() const { return batchBar_; }

  signals:
    void startRequested(BatchPage* page);
    // Cancel was confirmed (true) or denied (false).
    void cancelRequested(bool cancel);

  private:
    void askToCancel();
    void clearResults();
    void saveResults();
    void enableListButtons();

    BatchKind kind_;
    UserDialogs& dialogs_;
    bool running_ = false;
    QProgressBar* fileBar_;
    QProgressBar* batchBar_;
    QListWidget* results_;
    QPushButton* cancel_;
    QPushButton* clear_;
    QPushButton* save_;
    QPushButton* start_;
};

} // namespace quillex
