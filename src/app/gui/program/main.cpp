// quillex-gui: the window of The Quillex.
//
//   quillex-gui [--no-splash] [FILE...]
//
// Reads the settings, builds the window (its Paths and Settings pages take
// the stored values), shows the splash screen unless told not to, and opens
// the window when the splash screen has closed. Files named on the command
// line start the batch of their page (Convert IASCII for Interleaf
// documents and style files, else Convert QMX). Closing the window saves
// what it changed in the settings.
#include "app/gui/first_run_folders.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_text.h"
#include "app/gui/screenshots.h"
#include "app/gui/splash_screen.h"
#include "app/gui/user_dialogs.h"
#include "app/settings_store.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

using namespace quillex;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillex-gui"));
    // No application display name: the platform would append it to every
    // window's title, and the dialogs' titles would be cut.
    QApplication::setApplicationVersion(QStringLiteral(QUILLEX_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quillex/quillex-gui.svg")));
    QApplication::setDesktopFileName(QStringLiteral("quillex-gui"));

    QCommandLineParser parser;
    parser.setApplicationDescription(message(MessageId::ProgramTitle));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption noSplash(
        QStringLiteral("no-splash"),
        QStringLiteral("Open the window at once, without the splash screen (for automation)."));
    QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                   QStringLiteral("Save pictures of the window in DIR and end."),
                                   QStringLiteral("DIR"));
    screenshots.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption examples(QStringLiteral("examples"),
                                QStringLiteral("The documents the pictures show converted."),
                                QStringLiteral("DIR"), QStringLiteral("examples"));
    examples.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({noSplash, screenshots, examples});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Files to convert: their page opens with them."),
                                 QStringLiteral("[FILE...]"));
    parser.process(app);

    if (parser.isSet(screenshots))
        return takeScreenshots(parser.value(screenshots), parser.value(examples));

    Settings settings = SettingsStore::load();
    useFirstRunFolders(settings);
    StandardDialogs dialogs;
    MainWindow window(settings, dialogs);
    const QStringList files = parser.positionalArguments();
    QObject::connect(
        &window, &MainWindow::shown, &window, [&window, files] { window.openFiles(files); },
        Qt::SingleShotConnection);
    if (parser.isSet(noSplash)) {
        window.show();
    } else {
        // The window opens as the splash screen closes; both are on screen
        // for a moment, so the program never has no window.
        auto* splash = new SplashScreen;
        splash->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(splash, &SplashScreen::finished, &window, &QWidget::show);
        splash->start();
    }
    return QApplication::exec();
}
