// UserDialogs: every modal dialog the window puts in front of the user.
//
// Pages and dialogs never open a file dialog or a message box themselves;
// they ask this interface. StandardDialogs shows Qt's dialogs; tests and the
// screenshot run put an implementation of their own in its place, so that a
// whole batch can run through the window without a human.
#pragma once

#include "conversion/conversion_host.h"

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace quillex {

class UserDialogs {
  public:
    enum class Icon { Information, Stop };
    // The answers to the overwrite question: the "to All" ones hold for the
    // rest of the batch.
    enum class OverwriteAnswer { Yes, YesToAll, No, NoToAll, Cancel };

    virtual ~UserDialogs() = default;

    // The multi-select open-file dialog; an empty list means Cancel.
    virtual QStringList openFiles(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& directory) = 0;
    // The directory picker; an empty string means Cancel.
    virtual QString existingDirectory(QWidget* parent, const QString& title,
                                      const QString& directory) = 0;
    // The save-file dialog, asking before it replaces a file; it opens on
    // `defaultName`, which may name a folder; `suffix` is added to a name
    // typed without one. An empty string means Cancel.
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& defaultName, const QString& suffix) = 0;
    // A question with Yes and No (and Cancel when `withCancel`).
    virtual Answer ask(QWidget* parent, const QString& text, bool withCancel) = 0;
    // The overwrite question with Yes, Yes to All, No, No to All (and
    // Cancel when `withCancel`).
    virtual OverwriteAnswer askOverwrite(QWidget* parent, const QString& text, bool withCancel);
    // A message with an OK button.
    virtual void tell(QWidget* parent, const QString& text, Icon icon) = 0;
    // Runs a dialog of the window modally; true when it was accepted.
    virtual bool run(QDialog& dialog) = 0;
};

// Qt's own dialogs, with the program's name as the caption of message boxes.
// Every button has a mnemonic.
class StandardDialogs : public UserDialogs {
  public:
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter,
                          const QString& directory) override;
    QString existingDirectory(QWidget* parent, const QString& title,
                              const QString& directory) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& defaultName, const QString& suffix) override;
    Answer ask(QWidget* parent, const QString& text, bool withCancel) override;
    OverwriteAnswer askOverwrite(QWidget* parent, const QString& text, bool withCancel) override;
    void tell(QWidget* parent, const QString& text, Icon icon) override;
    bool run(QDialog& dialog) override;
};

} // namespace quillex
