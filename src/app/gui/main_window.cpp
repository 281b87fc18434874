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
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quillex {
namespace {

// The batch pages come first, in this order.
constexpr std::array<BatchKind, 3> kBatchPageKinds = {BatchKind::Forward, BatchKind::Verify,
                                                      BatchKind::Backward};

// The window's first size in average character widths and lines of text:
// room for a results line and a useful number of them, but no more than this
// share of the screen.
constexpr int kWidthInCharacters = 96;
constexpr int kHeightInLines = 30;
constexpr double kLargestScreenShare = 0.8;

const QStringList kInterleafSuffixes = {QStringLiteral("DOC"), QStringLiteral("STY")};

// The window's own state (its size and place) is kept apart from the
// settings of the conversions.
constexpr const char* kGeometryKey = "WINDOW/GEOMETRY";

QSettings windowSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("VELMAR"),
                     QStringLiteral("quillex-gui"));
}

} // namespace

MainWindow::MainWindow(const Settings& settings, UserDialogs& dialogs, PerFileRoutines routines,
                       QWidget* parent)
    : QWidget(parent), loaded_(settings), paths_(new PathsPage(settings.paths, dialogs)),
      settings_(new SettingsPage(settings.options)), about_(new AboutPage),
      tabs_(new QTabWidget(this)),
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
    tabs_->addTab(paths_, tr("&Paths"));
    tabs_->addTab(settings_, tr("Se&ttings"));
    tabs_->addTab(about_, tr("Ab&out"));
    // Made after the pages, so that Tab reaches them after the page's controls.
    exit_ = new QPushButton(tr("&Exit"), this);
    help_ = new QPushButton(tr("&Help"), this);
    exit_->setAutoDefault(false);
    help_->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exit_);
    buttons->addStretch(1);
    buttons->addWidget(help_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    // Every tab stays in view: the window is at least as wide as the tabs.
    tabs_->setUsesScrollButtons(false);
    restoreSize();

    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
    connect(exit_, &QPushButton::clicked, this, &QWidget::close);
    connect(help_, &QPushButton::clicked, this, &MainWindow::showHelp);
    // Ctrl+Q whatever the platform's theme binds to Quit (some bind none).
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quit->setContext(Qt::ApplicationShortcut);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            &MainWindow::showHelp);
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
// undone at once, before anything is drawn. Leaving the Paths page with a
// missing folder goes on once the user has had it created.
void MainWindow::pageChanged(int index) {
    const int previous = currentPage_;
    const bool leavingPaths = tabs_->widget(previous) == paths_;
    if (isBusy() || (leavingPaths && paths_->firstMissingDirectory() != nullptr)) {
        {
            const QSignalBlocker blocker(tabs_);
            tabs_->setCurrentIndex(previous);
        }
        if (!isBusy() && paths_->checkBeforeLeaving())
            tabs_->setCurrentIndex(index);
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

// Closing is refused only while a batch runs. A folder left missing on the
// Paths page does not keep the window open: it is saved as typed, and the
// next start offers the home folder in its place.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (isBusy()) {
        event->ignore();
        return;
    }
    saveSettings();
    saveSize();
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit shown();
}

// The size and place of the last run; the first time a size that fits the
// pages and a good share of the screen.
void MainWindow::restoreSize() {
    if (restoreGeometry(windowSettings().value(kGeometryKey).toByteArray()))
        return;
    QSize size = sizeHint().expandedTo(QSize(fontMetrics().averageCharWidth() * kWidthInCharacters,
                                             fontMetrics().lineSpacing() * kHeightInLines));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * kLargestScreenShare)
                   .expandedTo(minimumSizeHint());
    resize(size);
}

void MainWindow::saveSize() const {
    windowSettings().setValue(kGeometryKey, saveGeometry());
}

// Opens the page for these files and starts its batch with them: Interleaf
// documents and style files go to Convert IASCII, anything else to Convert
// QMX. The batch asks for its folders as usual.
void MainWindow::openFiles(const QStringList& files) {
    if (files.isEmpty() || isBusy())
        return;
    const bool interleaf = std::all_of(files.begin(), files.end(), [](const QString& file) {
        return kInterleafSuffixes.contains(QFileInfo(file).suffix().toUpper());
    });
    BatchPage& page = batchPage(interleaf ? BatchKind::Forward : BatchKind::Backward);
    tabs_->setCurrentWidget(&page);
    if (tabs_->currentWidget() == &page)
        controller_->start(page, files);
}

// Only what this window changed is written: settings changed elsewhere
// while it was open (the command line, another window) survive.
void MainWindow::saveSettings() const {
    SettingsStore::saveChanges(loaded_, paths_->values(), settings_->values());
}

} // namespace quillex
