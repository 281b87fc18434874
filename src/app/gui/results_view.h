// ResultsView: the results list of a batch page.
//
// A batch may print tens of thousands of lines, so lines are not laid out
// one by one: appendLine only stores the line, and the view shows the lines
// stored since the last time together, when the window's thread is next
// idle. The view shows at most the last kShownLines lines; every line stays
// in lines() for Save Results. A batch's summary is shown with an icon before
// its first line.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>

namespace quillex {

class ResultsView : public QPlainTextEdit {
    Q_OBJECT

  public:
    enum class Severity { Information, Warning, Error };

    // The most lines the view shows, and how many of the last it keeps
    // when it has to drop some.
    static constexpr int kShownLines = 10000;
    static constexpr int kKeptLines = 5000;
    // How many lines are laid out at a time.
    static constexpr int kLinesPerTurn = 1000;

    explicit ResultsView(QWidget* parent = nullptr);

    void appendLine(const QString& line);
    // Appends lines of a summary; the first one gets the severity's icon.
    void appendSummary(const QStringList& summary, Severity severity);
    void clearLines();

    // Every line appended since the last clear, including those not shown yet.
    const QStringList& lines() const { return lines_; }
    int lineCount() const { return static_cast<int>(lines_.size()); }
    // Shows the lines stored since the last time (normally done when the
    // window's thread is idle).
    void showPendingLines();

  signals:
    // The list went from empty to not empty or back.
    void emptyChanged(bool empty);

  private:
    void schedulePending();
    void appendLines(qsizetype from, qsizetype end);

    QStringList lines_;
    // The view shows lines_ from shownFrom_ up to firstPending_.
    qsizetype shownFrom_ = 0;
    qsizetype firstPending_ = 0;
    // The lines that start a summary, in order, with their icons.
    QList<QPair<qsizetype, Severity>> icons_;
    bool scheduled_ = false;
};

} // namespace quillex
