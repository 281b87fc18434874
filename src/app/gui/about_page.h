// AboutPage: the product name and the "System Settings Overview" list.
//
// The list is filled the first time the page is shown, with the disk of the
// current folder.
#pragma once

#include <QWidget>

class QListWidget;

namespace quillex {

class AboutPage : public QWidget {
    Q_OBJECT

  public:
    explicit AboutPage(QWidget* parent = nullptr);

    QListWidget* overview() const { return overview_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QListWidget* overview_;
    bool filled_ = false;
};

} // namespace quillex
