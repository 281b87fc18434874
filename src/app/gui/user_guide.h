// UserGuide: the Help window, showing the user guide shipped in the program.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace quillex {

class UserGuide : public QDialog {
    Q_OBJECT

  public:
    explicit UserGuide(QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

} // namespace quillex
