// DirectoryField: an edit field for a directory, with its Browse button.
//
// Leaving the field completes what was typed: a relative path becomes
// absolute (it would name another folder from another working directory)
// and a trailing "/" is added. Browse opens the directory picker with the
// field's title, starting in the field's directory.
#pragma once

#include "foundation/message_id.h"

#include <QWidget>

#include <string>

class QLineEdit;
class QPushButton;

namespace quillex {

class UserDialogs;

class DirectoryField : public QWidget {
    Q_OBJECT

  public:
    DirectoryField(MessageId pickerTitle, UserDialogs& dialogs, QWidget* parent = nullptr);

    // The directory as completed on leaving the field ("" when empty).
    std::string directory() const;
    void setDirectory(const std::string& directory);

    // True when the field names an existing directory that can be entered.
    bool namesExistingDirectory() const;
    // Checks that, and otherwise shows "The path you entered doesn't
    // exist..." with the folder and puts the focus back on the field.
    bool checkExists();
    // That message.
    QString missingMessage() const;
    // Names the field and its Browse button for assistive technology after
    // the label shown beside it.
    void setAccessibleLabel(const QString& label);
    // Shows `text` as a refusal and puts the focus back on the field.
    void refuse(const QString& text);

    QLineEdit* edit() const { return edit_; }
    QPushButton* browseButton() const { return browse_; }

  private:
    void complete();
    void browse();

    MessageId pickerTitle_;
    UserDialogs& dialogs_;
    QLineEdit* edit_;
    QPushButton* browse_;
};

} // namespace quillex
