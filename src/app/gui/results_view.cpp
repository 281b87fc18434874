// ResultsView: the results list of a batch page.
#include "app/gui/results_view.h"

#include "app/gui/summary_icon.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>
#include <array>

namespace quillex {
namespace {

struct SeverityIcon {
    ResultsView::Severity severity;
    QStyle::StandardPixmap pixmap;
};

constexpr std::array<SeverityIcon, 3> kSeverityIcons = {{
    {ResultsView::Severity::Information, QStyle::SP_MessageBoxInformation},
    {ResultsView::Severity::Warning, QStyle::SP_MessageBoxWarning},
    {ResultsView::Severity::Error, QStyle::SP_MessageBoxCritical},
}};

QTextCharFormat iconFormat(ResultsView::Severity severity) {
    QTextCharFormat format;
    format.setObjectType(SummaryIcon::kObjectType);
    for (const SeverityIcon& icon : kSeverityIcons)
        if (icon.severity == severity)
            format.setProperty(SummaryIcon::kPixmapProperty, static_cast<int>(icon.pixmap));
    return format;
}

} // namespace

ResultsView::ResultsView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    // Long lines (paths, warnings) scroll sideways rather than wrap.
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    document()->documentLayout()->registerHandler(SummaryIcon::kObjectType, new SummaryIcon(*this));
}

void ResultsView::appendLine(const QString& line) {
    if (lines_.isEmpty())
        emit emptyChanged(false);
    lines_.append(line);
    schedulePending();
}

void ResultsView::appendSummary(const QStringList& summary, Severity severity) {
    if (summary.isEmpty())
        return;
    icons_.append({lines_.size(), severity});
    for (const QString& line : summary)
        appendLine(line);
}

void ResultsView::clearLines() {
    clear();
    const bool wasEmpty = lines_.isEmpty();
    lines_.clear();
    icons_.clear();
    shownFrom_ = firstPending_ = 0;
    if (!wasEmpty)
        emit emptyChanged(true);
}

// The lines wait for the window's thread to be idle: a burst of lines is
// laid out in one go.
void ResultsView::schedulePending() {
    if (scheduled_)
        return;
    scheduled_ = true;
    QTimer::singleShot(0, this, &ResultsView::showPendingLines);
}

// At most kLinesPerTurn lines are laid out at a time, so that the window's
// other events (a click on Cancel, a repaint) come between. A view that
// would hold more than kShownLines starts again with the last kKeptLines:
// dropping lines from the top one append at a time costs far more.
void ResultsView::showPendingLines() {
    scheduled_ = false;
    const qsizetype total = lines_.size();
    if (firstPending_ >= total)
        return;
    if (std::min(total, firstPending_ + kLinesPerTurn) - shownFrom_ > kShownLines) {
        clear();
        shownFrom_ = firstPending_ = std::max(shownFrom_, total - kKeptLines);
    }
    const qsizetype end = std::min(total, firstPending_ + kLinesPerTurn);
    appendLines(firstPending_, end);
    firstPending_ = end;
    if (firstPending_ < total)
        schedulePending();
}

// Runs of lines without an icon go in with one call each.
void ResultsView::appendLines(qsizetype from, qsizetype end) {
    auto icon =
        std::lower_bound(icons_.cbegin(), icons_.cend(), from,
                         [](const auto& entry, qsizetype line) { return entry.first < line; });
    while (from < end) {
        const qsizetype runEnd =
            icon != icons_.cend() ? std::min(end, static_cast<qsizetype>(icon->first)) : end;
        if (runEnd > from) {
            appendPlainText(lines_.sliced(from, runEnd - from).join(QLatin1Char('\n')));
            from = runEnd;
            continue;
        }
        appendPlainText(lines_[from]);
        QTextCursor cursor(document()->lastBlock());
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), iconFormat(icon->second));
        cursor.insertText(QStringLiteral(" "), QTextCharFormat());
        ++icon;
        ++from;
    }
}

} // namespace quillex
