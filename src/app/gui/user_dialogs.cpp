// Qt's own dialogs behind UserDialogs.
#include "app/gui/user_dialogs.h"

#include "app/gui/qt_text.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace quillex {
namespace {

struct OverwriteButton {
    UserDialogs::OverwriteAnswer answer;
    const char* text;
    QMessageBox::ButtonRole role;
};

constexpr OverwriteButton kOverwriteButtons[] = {
    {UserDialogs::OverwriteAnswer::Yes, "&Yes", QMessageBox::YesRole},
    {UserDialogs::OverwriteAnswer::YesToAll, "Yes to &All", QMessageBox::YesRole},
    {UserDialogs::OverwriteAnswer::No, "&No", QMessageBox::NoRole},
    {UserDialogs::OverwriteAnswer::NoToAll, "N&o to All", QMessageBox::NoRole},
};

} // namespace

// Without a dialog of its own, the overwrite question is a plain one.
UserDialogs::OverwriteAnswer UserDialogs::askOverwrite(QWidget* parent, const QString& text,
                                                       bool withCancel) {
    switch (ask(parent, text, withCancel)) {
    case Answer::Yes:
        return OverwriteAnswer::Yes;
    case Answer::No:
        return OverwriteAnswer::No;
    case Answer::Cancel:
        break;
    }
    return OverwriteAnswer::Cancel;
}

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

UserDialogs::OverwriteAnswer StandardDialogs::askOverwrite(QWidget* parent, const QString& text,
                                                           bool withCancel) {
    QMessageBox box(QMessageBox::Question, message(MessageId::ProgramTitle), text,
                    QMessageBox::NoButton, parent);
    std::vector<std::pair<QAbstractButton*, OverwriteAnswer>> buttons;
    for (const OverwriteButton& button : kOverwriteButtons)
        buttons.emplace_back(box.addButton(QObject::tr(button.text), button.role), button.answer);
    QAbstractButton* cancel = withCancel ? box.addButton(QMessageBox::Cancel) : nullptr;
    box.setDefaultButton(qobject_cast<QPushButton*>(buttons.front().first));
    box.setEscapeButton(cancel != nullptr ? cancel : buttons[2].first);
    box.exec();
    for (const auto& [button, answer] : buttons)
        if (box.clickedButton() == button)
            return answer;
    // Closing the box is Cancel where there is one, else No.
    return withCancel ? OverwriteAnswer::Cancel : OverwriteAnswer::No;
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
