// BatchController: runs the batches that the three batch pages start.
//
// A start button hands its page here. The controller takes a snapshot of the
// Paths and Settings pages, and runs the same BatchRunner as the command line
// on a worker thread, over a ThreadedBatchHost that carries every call to the
// page's host on the window's thread. One batch runs at a time; while it
// runs the controller is busy and the window refuses page changes and
// closing. When the batch ends, the directories it remembered go back to the
// Paths page.
#pragma once

#include "app/batch_runner.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

class QThread;

namespace quillex {

class BatchPage;
class PageBatchHost;
class PathsPage;
class SettingsPage;
class ThreadedBatchHost;
class UserDialogs;

class BatchController : public QObject {
    Q_OBJECT

  public:
    // `notes` are the settings store's notes about stored values it did not
    // use; every batch shows them in its results.
    BatchController(PathsPage& paths, SettingsPage& settings, UserDialogs& dialogs,
                    std::vector<std::string> notes,
                    PerFileRoutines routines = PerFileRoutines::builtIn(),
                    QObject* parent = nullptr);
    // A batch still running is cancelled (its dialogs answered Cancel) and
    // waited for.
    ~BatchController() override;

    void attach(BatchPage& page);
    bool isBusy() const { return batch_ != nullptr; }
    // Runs a batch of the page's kind; does nothing while one runs. With
    // `files` (dropped on the page or named on the command line) the batch
    // takes them instead of asking for files.
    void start(BatchPage& page, const QStringList& files = {});

  signals:
    void busyChanged(bool busy);
    void batchFinished(const quillex::BatchReport& report);

  private:
    struct RunningBatch;

    void pause();
    void setCancelled(bool cancelled);
    void finish();

    PathsPage& paths_;
    SettingsPage& settings_;
    UserDialogs& dialogs_;
    std::vector<std::string> notes_;
    PerFileRoutines routines_;
    std::unique_ptr<RunningBatch> batch_;
};

} // namespace quillex
