// MainWindow: the program's window with its six pages.
#include "app/gui/main_window.h"

#include "app/gui/about_page.h"
#include "app/gui/batch_controller.h"
#include "app/gui/batch_page.h"
#include "app/gui/paths_page.h"
#include "app/gui/qt_text.h"
#include "app/gui/settings_page.h"
#include "app/gui/user_guide.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quillex {
namespace {

// The batch pages come first, in this order.
constexpr std::array<BatchKind, 3> kBatchPageKinds = {BatchKind::Forward, BatchKind::Verify,
                                                      BatchKind::Backward};

// The window's first size in average character widths and lines of text:
// room for a results line and a useful number of them.
constexpr int kWidthInCharacters = 96;
constexpr int kHeightInLines = 30;

} // namespace

MainWindow::MainWindow(const Settings& settings, UserDialogs& dialogs, PerFileRoutines routines,
                       QWidget* parent)
    : QWidget(parent), paths_(new PathsPage(settings.paths, dialogs)),
      settings_(new SettingsPage(settings.options)), about_(new AboutPage),
      tabs_(new QTabWidget(this)), exit_(new QPushButton(tr("&Exit"), this)),
      help_(new QPushButton(tr("&Help"), this)),
      controller_(new BatchController(*paths_, *settings_, dialogs, settings.notes,
                                      std::move(routines), this)) {
    setWindowTitle(message(MessageId::ProgramTitle));
    setWindowIcon(QIcon(":/quillex/quillex-gui.svg"));
    // No maximise button: the pages have one natural size, and the window
    // may still be resized and minimised.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    for (std::size_t i = 0; i < kBatchPageKinds.size(); ++i) {
        batchPages_[i] = new BatchPage(kBatchPageKinds[i], dialogs);
        tabs_->addTab(batchPages_[i], batchPages_[i]->title());
        controller_->attach(*batchPages_[i]);
    }
    tabs_->addTab(paths_, tr("Paths"));
    tabs_->addTab(settings_, tr("Settings"));
    tabs_->addTab(about_, tr("About"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exit_);
    buttons->addStretch(1);
    buttons->addWidget(help_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    // Every tab stays in view: the window is at least as wide as the tabs.
    tabs_->setUsesScrollButtons(false);
    resize(sizeHint().expandedTo(QSize(fontMetrics().averageCharWidth() * kWidthInCharacters,
                                       fontMetrics().lineSpacing() * kHeightInLines)));

    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
    connect(exit_, &QPushButton::clicked, this, &QWidget::close);
    connect(help_, &QPushButton::clicked, this, &MainWindow::showHelp);
    connect(controller_, &BatchController::busyChanged, this, &MainWindow::setBusy);
}

// The controller goes first: a batch still running needs the pages.
MainWindow::~MainWindow() {
    delete controller_;
}

BatchPage& MainWindow::batchPage(BatchKind kind) const {
    for (BatchPage* page : batchPages_)
        if (page->kind() == kind)
            return *page;
    return *batchPages_[0];
}

bool MainWindow::isBusy() const {
    return controller_->isBusy();
}

// A page change cannot be stopped before it happens, so a refused one is
// undone at once, before anything is drawn.
void MainWindow::pageChanged(int index) {
    const int previous = currentPage_;
    const bool leavingPaths = tabs_->widget(previous) == paths_;
    if (isBusy() || (leavingPaths && paths_->firstMissingDirectory() != nullptr)) {
        {
            const QSignalBlocker blocker(tabs_);
            tabs_->setCurrentIndex(previous);
        }
        if (!isBusy())
            paths_->checkBeforeLeaving();
        return;
    }
    currentPage_ = index;
}

// While a batch runs the other pages and Exit are disabled, which shows the
// user what the window refuses.
void MainWindow::setBusy(bool busy) {
    for (int i = 0; i < tabs_->count(); ++i)
        tabs_->setTabEnabled(i, !busy || i == tabs_->currentIndex());
    exit_->setEnabled(!busy);
}

void MainWindow::showHelp() {
    if (guide_ == nullptr)
        guide_ = new UserGuide(this);
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (isBusy() || (tabs_->currentWidget() == paths_ && !paths_->checkBeforeLeaving())) {
        event->ignore();
        return;
    }
    saveSettings();
    event->accept();
}

void MainWindow::saveSettings() const {
    SettingsStore::savePaths(paths_->values());
    SettingsStore::saveOptions(settings_->values());
}

} // namespace quillex
