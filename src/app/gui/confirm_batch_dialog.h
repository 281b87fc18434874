// ConfirmBatchDialog: the dialog that confirms a batch and its directories.
//
// One dialog serves the three kinds; a table says which directory rows each
// kind shows, which of them the user may edit and which picker title goes
// with them. OK is refused, with the dialog left open and the focus on the
// offending field, while a field names no existing directory or the
// directories break the batch's rules (validateBatchDirectories).
#pragma once

#include "app/batch_host.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;

namespace quillex {

class DirectoryField;
class UserDialogs;

class ConfirmBatchDialog : public QDialog {
    Q_OBJECT

  public:
    ConfirmBatchDialog(BatchKind kind, const QString& title, const QString& countLine,
                       const BatchDirectories& directories, UserDialogs& dialogs,
                       QWidget* parent = nullptr);

    // The directories as the fields now hold them.
    BatchDirectories directories() const;

    // The editable field for the ORG (or source QMX) folder, and for the
    // translated folder (null where the kind shows it read-only).
    DirectoryField* orgField() const { return orgField_; }
    DirectoryField* translatedField() const { return translatedField_; }
    // The read-only line of the output folder (null for forward batches).
    QLineEdit* outputLine() const { return outputLine_; }

    void accept() override;

  private:
    DirectoryField* fieldToBlame(const BatchDirectories& directories) const;

    BatchKind kind_;
    BatchDirectories initial_;
    DirectoryField* orgField_ = nullptr;
    DirectoryField* translatedField_ = nullptr;
    QLineEdit* outputLine_ = nullptr;
    UserDialogs& dialogs_;
};

} // namespace quillex
