// MainWindow: the program's window with its six pages.
//
// Pages in tab order: Convert IASCII, Verify Q-Marks, Convert QMX, Paths,
// Settings, About. Below them Exit (at the left) and Help; Ctrl+Q closes and
// F1 opens Help. While a batch runs the window refuses page changes and
// closing. Leaving the Paths page for another page is refused while an
// enabled directory field names no existing directory. The window's size and
// place are kept for the next run. Closing saves what the window changed in both
// pages' settings.
#pragma once

#include "app/batch_runner.h"

#include <QWidget>

#include <array>

class QPushButton;
class QTabWidget;

namespace quillex {

class AboutPage;
class BatchController;
class BatchPage;
class PathsPage;
class SettingsPage;
class UserDialogs;
class UserGuide;

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    MainWindow(const Settings& settings, UserDialogs& dialogs,
               PerFileRoutines routines = PerFileRoutines::builtIn(), QWidget* parent = nullptr);
    ~MainWindow() override;

    QTabWidget* tabs() const { return tabs_; }
    BatchPage& batchPage(BatchKind kind) const;
    PathsPage& pathsPage() const { return *paths_; }
    SettingsPage& settingsPage() const { return *settings_; }
    AboutPage& aboutPage() const { return *about_; }
    BatchController& controller() const { return *controller_; }
    QPushButton* exitButton() const { return exit_; }
    QPushButton* helpButton() const { return help_; }
    // The Help window, once Help has opened it.
    UserGuide* userGuide() const { return guide_; }

    bool isBusy() const;
    // Opens the batch page for these files and starts its batch with them
    // (files named on the command line).
    void openFiles(const QStringList& files);

  signals:
    // The window has been shown (every time it is).
    void shown();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void pageChanged(int index);
    void setBusy(bool busy);
    void showHelp();
    void saveSettings() const;
    void restoreSize();
    void saveSize() const;

    Settings loaded_;
    std::array<BatchPage*, 3> batchPages_{};
    PathsPage* paths_;
    SettingsPage* settings_;
    AboutPage* about_;
    QTabWidget* tabs_;
    QPushButton* exit_ = nullptr;
    QPushButton* help_ = nullptr;
    BatchController* controller_;
    UserGuide* guide_ = nullptr;
    int currentPage_ = 0;
};

} // namespace quillex
