// quillex-gui: the window of The Quillex.
//
//   quillex-gui [--no-splash]
//
// Reads the settings, builds the window (its Paths and Settings pages take
// the stored values), shows the splash screen unless told not to, and opens
// the window when the splash screen has closed. Closing the window saves the
// settings.
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
    QApplication::setApplicationDisplayName(message(MessageId::ProgramTitle));
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
    parser.process(app);

    if (parser.isSet(screenshots))
        return takeScreenshots(parser.value(screenshots), parser.value(examples));

    const Settings settings = SettingsStore::load();
    StandardDialogs dialogs;
    MainWindow window(settings, dialogs);
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
