// Screenshots of the window for the documentation.
#include "app/gui/screenshots.h"

#include "app/gui/batch_controller.h"
#include "app/gui/batch_page.h"
#include "app/gui/confirm_batch_dialog.h"
#include "app/gui/directory_field.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_text.h"
#include "app/gui/splash_screen.h"
#include "app/gui/user_dialogs.h"
#include "app/gui/user_guide.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace quillex {
namespace {

// Answers the dialogs of one forward batch over the examples: every file
// chosen, the prepared folders confirmed, Yes to every question.
class AutomaticDialogs : public UserDialogs {
  public:
    QStringList files;
    BatchDirectories directories;

    QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override {
        return files;
    }
    QString existingDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFile(QWidget*, const QString&, const QString&, const QString&,
                     const QString&) override {
        return {};
    }
    Answer ask(QWidget*, const QString&, bool) override { return Answer::Yes; }
    void tell(QWidget*, const QString&, Icon) override {}
    bool run(QDialog& dialog) override {
        auto* confirm = qobject_cast<ConfirmBatchDialog*>(&dialog);
        if (confirm == nullptr)
            return false;
        confirm->orgField()->setDirectory(directories.org);
        confirm->translatedField()->setDirectory(directories.translated);
        confirm->accept();
        return confirm->result() == QDialog::Accepted;
    }
};

// The pictures of one run, each under its file name.
class Album {
  public:
    explicit Album(QString folder) : folder_(std::move(folder)) {}

    void save(QWidget& widget, const QString& name) {
        widget.show();
        widget.raise();
        QApplication::processEvents();
        const QString path = folder_ + "/" + name + ".png";
        if (!widget.grab().save(path)) {
            std::fprintf(stderr, "quillex-gui: could not save %s\n", qPrintable(path));
            failed_ = true;
        }
    }
    void save(const QPixmap& pixmap, const QString& name) {
        const QString path = folder_ + "/" + name + ".png";
        if (!pixmap.save(path)) {
            std::fprintf(stderr, "quillex-gui: could not save %s\n", qPrintable(path));
            failed_ = true;
        }
    }
    bool failed() const { return failed_; }

  private:
    QString folder_;
    bool failed_ = false;
};

// Folders of a translation job: the sources (a copy of the examples), the
// QMX & ORG files and the copies for the translator.
struct Workspace {
    QTemporaryDir root{QDir::tempPath() + "/translation-XXXXXX"};
    QString source() const { return root.path() + "/source/"; }
    QString qmx() const { return root.path() + "/qmx/"; }
    QString translated() const { return root.path() + "/translated/"; }
};

QStringList copyExamples(const QString& examplesFolder, const QString& target) {
    QStringList copies;
    const QDir examples(examplesFolder);
    for (const QString& name : examples.entryList({"*.DOC", "*.STY"}, QDir::Files, QDir::Name)) {
        QFile::copy(examples.filePath(name), target + name);
        copies.append(target + name);
    }
    return copies;
}

// Runs the forward batch; true when it converted every file.
bool runForwardBatch(MainWindow& window, int files) {
    QEventLoop loop;
    BatchReport report;
    QObject::connect(&window.controller(), &BatchController::batchFinished, &loop,
                     [&](const BatchReport& finished) {
                         report = finished;
                         loop.quit();
                     });
    window.controller().start(window.batchPage(BatchKind::Forward));
    loop.exec();
    return report.started && report.attempted == files && report.failed == 0;
}

struct ConfirmShot {
    BatchKind kind;
    const char* name;
};

constexpr ConfirmShot kConfirmShots[] = {
    {BatchKind::Forward, "confirm-iascii-conversion"},
    {BatchKind::Verify, "confirm-verification"},
    {BatchKind::Backward, "confirm-qmx-conversion"},
};

void saveConfirmDialogs(Album& album, const Workspace& workspace, QWidget& parent,
                        UserDialogs& dialogs) {
    for (const ConfirmShot& shot : kConfirmShots) {
        const BatchKindInfo& info = batchKindInfo(shot.kind);
        BatchDirectories directories;
        directories.chosenFiles =
            fromQt(shot.kind == BatchKind::Forward ? workspace.source() : workspace.translated());
        directories.org = fromQt(workspace.qmx());
        directories.translated = fromQt(workspace.translated());
        const int files = 3;
        ConfirmBatchDialog dialog(shot.kind, toQt(info.confirmTitle),
                                  message(info.confirmLineId, files), directories, dialogs,
                                  &parent);
        dialog.adjustSize();
        album.save(dialog, shot.name);
        dialog.close();
    }
}

// The window's pages in tab order, as file names.
constexpr const char* kPageNames[] = {"page-convert-iascii", "page-verify-q-marks",
                                      "page-convert-qmx",    "page-paths",
                                      "page-settings",       "page-about"};

} // namespace

int takeScreenshots(const QString& folder, const QString& examplesFolder) {
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "quillex-gui: cannot make %s\n", qPrintable(folder));
        return 1;
    }
    Workspace workspace;
    for (const QString& sub : {workspace.source(), workspace.qmx(), workspace.translated()})
        QDir().mkpath(sub);

    AutomaticDialogs dialogs;
    dialogs.files = copyExamples(examplesFolder, workspace.source());
    dialogs.directories.org = fromQt(workspace.qmx());
    dialogs.directories.translated = fromQt(workspace.translated());

    Settings settings;
    settings.paths.sourceFiles = fromQt(workspace.source());
    settings.paths.orgFiles = fromQt(workspace.qmx());
    settings.paths.translatedFiles = fromQt(workspace.translated());
    settings.options.fileFormatForQmx = QmxFileFormat::Text;
    MainWindow window(settings, dialogs);
    Album album(folder);
    window.show();
    if (!dialogs.files.isEmpty() && !runForwardBatch(window, dialogs.files.size())) {
        std::fprintf(stderr, "quillex-gui: the examples in %s did not all convert\n",
                     qPrintable(examplesFolder));
        return 1;
    }

    for (int page = 0; page < window.tabs()->count(); ++page) {
        window.tabs()->setCurrentIndex(page);
        album.save(window, kPageNames[page]);
    }
    window.tabs()->setCurrentIndex(0);
    saveConfirmDialogs(album, workspace, window, dialogs);

    album.save(SplashScreen::picture(qApp->devicePixelRatio()), "splash");
    UserGuide guide(&window);
    album.save(guide, "help");
    guide.close();
    window.hide();
    return album.failed() ? 1 : 0;
}

} // namespace quillex
