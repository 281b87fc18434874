// BatchPage: one of the three pages that run batches.
#include "app/gui/batch_page.h"

#include "app/gui/file_filter.h"
#include "app/gui/qt_text.h"
#include "app/gui/user_dialogs.h"
#include "foundation/file_error.h"
#include "foundation/output_file.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillex {
namespace {

struct PageText {
    BatchKind kind;
    const char* title;
    const char* startButton;
};

constexpr PageText kPageTexts[] = {
    {BatchKind::Forward, "Convert IASCII", "Convert IASCII..."},
    {BatchKind::Verify, "Verify Q-Marks", "Verify Q-Marks..."},
    {BatchKind::Backward, "Convert QMX", "Convert QMX..."},
};

const PageText& pageText(BatchKind kind) {
    for (const PageText& text : kPageTexts)
        if (text.kind == kind)
            return text;
    return kPageTexts[0];
}

constexpr const char* kDefaultResultsName = "RESULTS.TXT";
constexpr const char* kResultsSuffix = "TXT";

QProgressBar* makeBar(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 1);
    bar->setValue(0);
    return bar;
}

} // namespace

BatchPage::BatchPage(BatchKind kind, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), kind_(kind), dialogs_(dialogs), fileBar_(makeBar(this)),
      batchBar_(makeBar(this)), results_(new QListWidget(this)),
      cancel_(new QPushButton(tr("Cancel"), this)),
      clear_(new QPushButton(tr("Clear Results"), this)),
      save_(new QPushButton(tr("Save Results..."), this)),
      start_(new QPushButton(tr(pageText(kind).startButton), this)) {
    auto* bars = new QGridLayout;
    bars->addWidget(new QLabel(tr("File:"), this), 0, 0);
    bars->addWidget(fileBar_, 0, 1);
    bars->addWidget(new QLabel(tr("Batch:"), this), 1, 0);
    bars->addWidget(batchBar_, 1, 1);

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

    // Long lines (paths, warnings) scroll sideways rather than being cut.
    results_->setTextElideMode(Qt::ElideNone);
    results_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    start_->setDefault(true);
    connect(start_, &QPushButton::clicked, this, [this] { emit startRequested(this); });
    connect(cancel_, &QPushButton::clicked, this, &BatchPage::askToCancel);
    connect(clear_, &QPushButton::clicked, this, &BatchPage::clearResults);
    connect(save_, &QPushButton::clicked, this, &BatchPage::saveResults);
    setRunning(false);
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

void BatchPage::appendResult(const QString& line) {
    results_->addItem(line);
    results_->scrollToBottom();
    if (!running_)
        enableListButtons();
}

QStringList BatchPage::results() const {
    QStringList lines;
    for (int row = 0; row < results_->count(); ++row)
        lines.append(results_->item(row)->text());
    return lines;
}

void BatchPage::setRunning(bool running) {
    running_ = running;
    if (running)
        setProgress(0, 0);
    start_->setEnabled(!running);
    cancel_->setEnabled(running);
    setCursor(running ? Qt::BusyCursor : Qt::ArrowCursor);
    enableListButtons();
}

void BatchPage::enableListButtons() {
    const bool enable = !running_ && results_->count() > 0;
    clear_->setEnabled(enable);
    save_->setEnabled(enable);
}

void BatchPage::askToCancel() {
    emit cancelRequested(dialogs_.ask(window(), message(MessageId::ConfirmCancel), false) ==
                         Answer::Yes);
}

void BatchPage::clearResults() {
    results_->clear();
    enableListButtons();
}

// The list is written line by line as a text file (CR LF, as every text
// file of the program); a file error is reported in the list itself.
void BatchPage::saveResults() {
    const QString path = dialogs_.saveFile(window(), message(MessageId::SaveResultsTitle),
                                           qtFileFilter(loadString(MessageId::ResultsFileFilter)),
                                           kDefaultResultsName, kResultsSuffix);
    if (path.isEmpty())
        return;
    const QStringList lines = results();
    try {
        OutputFile file(fromQt(path));
        for (const QString& line : lines)
            file.writeText(fromQt(line) + "\n");
        file.commit();
    } catch (const FileProblem& problem) {
        for (const std::string& line : problem.resultLines())
            appendResult(toQt(line));
    }
}

} // namespace quillex
