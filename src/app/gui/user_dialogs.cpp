// Qt's own dialogs behind UserDialogs.
#include "app/gui/user_dialogs.h"

#include "app/gui/qt_text.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace quillex {

QStringList StandardDialogs::openFiles(QWidget* parent, const QString& title, const QString& filter,
                                       const QString& directory) {
    return QFileDialog::getOpenFileNames(parent, title, directory, filter);
}

QString StandardDialogs::existingDirectory(QWidget* parent, const QString& title,
                                           const QString& directory) {
    return QFileDialog::getExistingDirectory(parent, title, directory);
}

QString StandardDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& defaultName, const QString& suffix) {
    // An instance rather than getSaveFileName: only it adds the default
    // suffix before asking whether to replace the file.
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

Answer StandardDialogs::ask(QWidget* parent, const QString& text, bool withCancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    const auto button =
        QMessageBox::question(parent, message(MessageId::ProgramTitle), text, buttons);
    if (button == QMessageBox::Yes)
        return Answer::Yes;
    // Closing the box is Cancel where there is one, else No.
    return button == QMessageBox::No || !withCancel ? Answer::No : Answer::Cancel;
}

void StandardDialogs::tell(QWidget* parent, const QString& text, Icon icon) {
    if (icon == Icon::Stop)
        QMessageBox::critical(parent, message(MessageId::ProgramTitle), text);
    else
        QMessageBox::information(parent, message(MessageId::ProgramTitle), text);
}

bool StandardDialogs::run(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quillex
