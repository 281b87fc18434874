// BatchPage: one of the three pages that run batches.
#include "app/gui/batch_page.h"

#include "app/gui/file_filter.h"
#include "app/gui/qt_text.h"
#include "app/gui/user_dialogs.h"
#include "foundation/file_error.h"
#include "foundation/output_file.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace quillex {
namespace {

// The tab titles and start buttons, with mnemonics that no other control on
// the page or the window's frame uses.
struct PageText {
    BatchKind kind;
    const char* title;
    const char* startButton;
};

constexpr PageText kPageTexts[] = {
    {BatchKind::Forward, "Convert &IASCII", "Co&nvert IASCII..."},
    {BatchKind::Verify, "&Verify Q-Marks", "Verif&y Q-Marks..."},
    {BatchKind::Backward, "Convert &QMX", "Convert Q&MX..."},
};

const PageText& pageText(BatchKind kind) {
    for (const PageText& text : kPageTexts)
        if (text.kind == kind)
            return text;
    return kPageTexts[0];
}

constexpr const char* kDefaultResultsName = "RESULTS.TXT";
constexpr const char* kResultsSuffix = "TXT";

QProgressBar* makeBar(const QString& name, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setAccessibleName(name);
    bar->setRange(0, 1);
    bar->setValue(0);
    return bar;
}

} // namespace

BatchPage::BatchPage(BatchKind kind, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), kind_(kind), dialogs_(dialogs), fileBar_(makeBar(tr("File progress"), this)),
      batchBar_(makeBar(tr("Batch progress"), this)), fileLabel_(new QLabel(this)),
      results_(new ResultsView(this)), cancel_(new QPushButton(tr("&Cancel"), this)),
      clear_(new QPushButton(tr("C&lear Results"), this)),
      save_(new QPushButton(tr("&Save Results..."), this)),
      start_(new QPushButton(tr(pageText(kind).startButton), this)) {
    auto* bars = new QGridLayout;
    bars->addWidget(new QLabel(tr("File:"), this), 0, 0);
    bars->addWidget(fileBar_, 0, 1);
    bars->addWidget(new QLabel(tr("Batch:"), this), 1, 0);
    bars->addWidget(batchBar_, 1, 1);
    bars->addWidget(fileLabel_, 2, 1);
    fileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cancel_);
    buttons->addWidget(clear_);
    buttons->addWidget(save_);
    buttons->addStretch(1);
    buttons->addWidget(start_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bars);
    auto* resultsLabel = new QLabel(tr("&Results:"), this);
    resultsLabel->setBuddy(results_);
    layout->addWidget(resultsLabel);
    layout->addWidget(results_, 1);
    layout->addLayout(buttons);

    results_->setAccessibleName(tr("Results"));
    start_->setDefault(true);
    // The page's controls in reading order: the list, then the buttons
    // from left to right.
    setTabOrder(results_, cancel_);
    setTabOrder(cancel_, clear_);
    setTabOrder(clear_, save_);
    setTabOrder(save_, start_);
    connect(results_, &ResultsView::emptyChanged, this, [this] { enableListButtons(); });
    connect(start_, &QPushButton::clicked, this, [this] { emit startRequested(this); });
    connect(cancel_, &QPushButton::clicked, this, &BatchPage::askToCancel);
    connect(clear_, &QPushButton::clicked, this, &BatchPage::clearResults);
    connect(save_, &QPushButton::clicked, this, &BatchPage::saveResults);
    setAcceptDrops(true);
    setRunning(false);
}

QStringList BatchPage::localFiles(const QList<QUrl>& urls) {
    QStringList files;
    for (const QUrl& url : urls)
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            files.append(url.toLocalFile());
    return files;
}

void BatchPage::dragEnterEvent(QDragEnterEvent* event) {
    if (!running_ && event->mimeData()->hasUrls() &&
        !localFiles(event->mimeData()->urls()).isEmpty())
        event->acceptProposedAction();
}

void BatchPage::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData()->urls());
    if (running_ || files.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(this, files);
}

QString BatchPage::title() const {
    return tr(pageText(kind_).title);
}

void BatchPage::setProgressRanges(int fileMaximum, int batchMaximum) {
    fileBar_->setRange(0, fileMaximum);
    batchBar_->setRange(0, batchMaximum);
}

void BatchPage::setProgress(int fileValue, int batchValue) {
    fileBar_->setValue(std::min(fileValue, fileBar_->maximum()));
    batchBar_->setValue(std::min(batchValue, batchBar_->maximum()));
}

void BatchPage::showStoppedAt(int done, int count) {
    batchBar_->setValue(batchBar_->maximum() / count * done);
}

void BatchPage::showFile(int number, int count, const QString& path) {
    fileLabel_->setText(
        tr("File %1 of %2: %3").arg(number).arg(count).arg(QFileInfo(path).fileName()));
    fileLabel_->setToolTip(path);
}

void BatchPage::appendResult(const QString& line) {
    results_->appendLine(line);
}

void BatchPage::appendSummary(const QString& text, ResultsView::Severity severity) {
    results_->appendSummary(text.split(QLatin1Char('\n')), severity);
}

QStringList BatchPage::results() const {
    return results_->lines();
}

// Starting a batch empties the bars and the file line; when it ends they
// stay where it stopped.
void BatchPage::setRunning(bool running) {
    running_ = running;
    if (running) {
        setProgress(0, 0);
        fileLabel_->clear();
    }
    start_->setEnabled(!running);
    cancel_->setEnabled(running);
    setCursor(running ? Qt::BusyCursor : Qt::ArrowCursor);
    enableListButtons();
}

void BatchPage::enableListButtons() {
    const bool enable = !running_ && results_->lineCount() > 0;
    clear_->setEnabled(enable);
    save_->setEnabled(enable);
}

void BatchPage::askToCancel() {
    emit cancelAsked();
    emit cancelRequested(dialogs_.ask(window(), message(MessageId::ConfirmCancel), false) ==
                         Answer::Yes);
}

// Clearing the list also empties the bars: nothing is left to show.
void BatchPage::clearResults() {
    results_->clearLines();
    fileBar_->setValue(0);
    batchBar_->setValue(0);
    fileLabel_->clear();
    enableListButtons();
}

// The list is written line by line as a text file (CR LF, as every text
// file of the program). A file error is reported in the list and in a
// message box. The dialog starts in the folder of the last save.
void BatchPage::saveResults() {
    const QString path =
        dialogs_.saveFile(window(), message(MessageId::SaveResultsTitle),
                          qtFileFilter(loadString(MessageId::ResultsFileFilter)),
                          QDir(saveFolder_).filePath(kDefaultResultsName), kResultsSuffix);
    if (path.isEmpty())
        return;
    saveFolder_ = QFileInfo(path).absolutePath();
    const QStringList lines = results();
    try {
        OutputFile file(fromQt(path));
        for (const QString& line : lines)
            file.writeText(fromQt(line) + "\n");
        file.commit();
    } catch (const FileProblem& problem) {
        QStringList report;
        for (const std::string& line : problem.resultLines())
            report.append(toQt(line));
        for (const QString& line : report)
            appendResult(line);
        dialogs_.tell(window(), report.join(QLatin1Char('\n')), UserDialogs::Icon::Stop);
    }
}

} // namespace quillex
