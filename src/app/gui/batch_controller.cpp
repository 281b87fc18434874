// BatchController: runs the batches that the three batch pages start.
#include "app/gui/batch_controller.h"

#include "app/gui/batch_page.h"
#include "app/gui/page_batch_host.h"
#include "app/gui/paths_page.h"
#include "app/gui/qt_text.h"
#include "app/gui/settings_page.h"
#include "app/gui/threaded_batch_host.h"
#include "app/gui/user_dialogs.h"

#include <QCoreApplication>
#include <QThread>

namespace quillex {
namespace {

// How long the window waits at a time for a batch it has cancelled to end,
// before it runs the calls that the batch waits for.
constexpr int kClosingPollMs = 50;

} // namespace

// What one batch owns while it runs. The worker thread uses the snapshot of
// the settings and the threaded host; the window's thread only reads them
// again once the thread has finished.
struct BatchController::RunningBatch {
    RunningBatch(BatchPage& page, UserDialogs& dialogs, QObject& context, Settings snapshot)
        : page(page), pageHost(page, dialogs), threadedHost(pageHost, context),
          settings(std::move(snapshot)) {}

    BatchPage& page;
    PageBatchHost pageHost;
    ThreadedBatchHost threadedHost;
    Settings settings;
    BatchReport report;
    QThread* thread = nullptr;
};

BatchController::BatchController(PathsPage& paths, SettingsPage& settings, UserDialogs& dialogs,
                                 std::vector<std::string> notes, PerFileRoutines routines,
                                 QObject* parent)
    : QObject(parent), paths_(paths), settings_(settings), dialogs_(dialogs),
      notes_(std::move(notes)), routines_(std::move(routines)) {}

BatchController::~BatchController() {
    if (!batch_)
        return;
    // The batch ends here, not in finish(): the window is going away.
    disconnect(batch_->thread, nullptr, this, nullptr);
    batch_->pageHost.closeDown();
    batch_->threadedHost.resume(true);
    // The worker may be waiting for a dialog: keep running the window's side
    // of its calls (now answered at once) until it ends.
    while (!batch_->thread->wait(kClosingPollMs))
        QCoreApplication::processEvents();
    delete batch_->thread;
}

void BatchController::attach(BatchPage& page) {
    connect(&page, &BatchPage::startRequested, this,
            [this](BatchPage* started) { start(*started); });
    connect(&page, &BatchPage::filesDropped, this,
            [this](BatchPage* dropped, const QStringList& files) { start(*dropped, files); });
    connect(&page, &BatchPage::cancelAsked, this, &BatchController::pause);
    connect(&page, &BatchPage::cancelRequested, this, &BatchController::setCancelled);
}

void BatchController::start(BatchPage& page, const QStringList& files) {
    if (batch_)
        return;
    // The batch works with the pages' values as they are now (not with the
    // stored ones): a change on the Settings page counts from the next batch.
    Settings snapshot;
    snapshot.paths = paths_.values();
    snapshot.options = settings_.values();
    snapshot.notes = notes_;
    batch_ = std::make_unique<RunningBatch>(page, dialogs_, *this, std::move(snapshot));
    batch_->pageHost.chooseFilesWith(files);
    page.setRunning(true);
    emit busyChanged(true);

    RunningBatch* batch = batch_.get();
    const BatchKind kind = page.kind();
    batch->thread = QThread::create([batch, kind, routines = routines_] {
        BatchRunner runner(batch->threadedHost, batch->settings, routines);
        batch->report = runner.run(kind);
    });
    connect(batch->thread, &QThread::finished, this, &BatchController::finish);
    batch->thread->start();
}

// While the user is asked whether to cancel, the batch starts no new work.
void BatchController::pause() {
    if (batch_)
        batch_->threadedHost.pause();
}

// Cancel only ever reaches the batch that is running now; a batch that
// ended meanwhile is no longer paused.
void BatchController::setCancelled(bool cancelled) {
    if (batch_)
        batch_->threadedHost.resume(cancelled);
}

void BatchController::finish() {
    std::unique_ptr<RunningBatch> batch = std::move(batch_);
    batch->thread->wait();
    delete batch->thread;
    batch->threadedHost.flush();
    // A batch refused before it started (two files with the same outputs,
    // an output folder in use) says why.
    if (!batch->report.refusal.empty()) {
        batch->page.appendResult(toQt(batch->report.refusal));
        dialogs_.tell(batch->page.window(), toQt(batch->report.refusal), UserDialogs::Icon::Stop);
    }
    paths_.rememberDirectories(batch->settings.paths);
    batch->page.setRunning(false);
    emit busyChanged(false);
    emit batchFinished(batch->report);
}

} // namespace quillex
