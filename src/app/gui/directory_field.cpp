// DirectoryField: an edit field for a directory, with its Browse button.
#include "app/gui/directory_field.h"

#include "app/gui/qt_text.h"
#include "app/gui/user_dialogs.h"
#include "app/settings_store.h"
#include "foundation/text_file.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include <unistd.h>

namespace quillex {
namespace {

// An absolute path ending with "/"; empty stays empty.
std::string completedDirectory(const QString& typed) {
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QString absolute = QDir::isAbsolutePath(trimmed)
                                 ? trimmed
                                 : QDir::cleanPath(QDir::current().absoluteFilePath(trimmed));
    return SettingsStore::withTrailingSlash(fromQt(absolute));
}

} // namespace

DirectoryField::DirectoryField(MessageId pickerTitle, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), pickerTitle_(pickerTitle), dialogs_(dialogs), edit_(new QLineEdit(this)),
      browse_(new QPushButton(tr("Browse..."), this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_, 1);
    layout->addWidget(browse_);
    setFocusProxy(edit_);
    connect(edit_, &QLineEdit::editingFinished, this, &DirectoryField::complete);
    connect(browse_, &QPushButton::clicked, this, &DirectoryField::browse);
}

std::string DirectoryField::directory() const {
    return completedDirectory(edit_->text());
}

void DirectoryField::setDirectory(const std::string& directory) {
    edit_->setText(toQt(directory));
}

bool DirectoryField::namesExistingDirectory() const {
    const std::string folder = directory();
    // As entering it would test: the folder exists and may be searched.
    return !folder.empty() && directoryExists(folder) && ::access(folder.c_str(), X_OK) == 0;
}

// The message names the folder: a page or dialog has several fields.
bool DirectoryField::checkExists() {
    if (namesExistingDirectory())
        return true;
    refuse(missingMessage());
    return false;
}

QString DirectoryField::missingMessage() const {
    return message(MessageId::PathDoesNotExist) + QStringLiteral("\n\n") + toQt(directory());
}

void DirectoryField::setAccessibleLabel(const QString& label) {
    QString name = label;
    name.remove(QLatin1Char('&'));
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    edit_->setAccessibleName(name);
    browse_->setAccessibleName(tr("Browse for %1").arg(name));
}

void DirectoryField::refuse(const QString& text) {
    dialogs_.tell(window(), text, UserDialogs::Icon::Stop);
    edit_->setFocus();
    edit_->selectAll();
}

void DirectoryField::complete() {
    const QString completed = toQt(directory());
    if (completed != edit_->text())
        edit_->setText(completed);
}

void DirectoryField::browse() {
    const QString start =
        namesExistingDirectory() ? toQt(directory()) : toQt(SettingsStore::defaultDirectory());
    const QString chosen = dialogs_.existingDirectory(window(), message(pickerTitle_), start);
    if (!chosen.isEmpty())
        setDirectory(completedDirectory(chosen));
}

} // namespace quillex
