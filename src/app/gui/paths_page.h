// PathsPage: the three remembered directories and the Keep Paths group.
//
// Unchecking During Session disables Between Sessions and the three fields,
// and unchecks Between Sessions. Leaving the page for another page with an
// enabled field that names no existing directory is refused, unless the user
// has a missing output folder created (checkBeforeLeaving).
#pragma once

#include "app/settings_store.h"

#include <QWidget>

#include <array>

class QCheckBox;

namespace quillex {

class DirectoryField;
class UserDialogs;

class PathsPage : public QWidget {
    Q_OBJECT

  public:
    PathsPage(const PathSettings& paths, UserDialogs& dialogs, QWidget* parent = nullptr);

    PathSettings values() const;
    // Takes the three directories a batch remembered.
    void rememberDirectories(const PathSettings& remembered);

    // The first enabled field that names no existing directory, or null.
    DirectoryField* firstMissingDirectory() const;
    // True when the page may be left. A missing output folder is offered
    // for creation; when a folder is still missing the user is told which,
    // and the focus is on its field.
    bool checkBeforeLeaving();

    DirectoryField* sourceField() const { return fields_[0]; }
    DirectoryField* orgField() const { return fields_[1]; }
    DirectoryField* translatedField() const { return fields_[2]; }
    QCheckBox* duringSessionBox() const { return duringSession_; }
    QCheckBox* betweenSessionsBox() const { return betweenSessions_; }

  private:
    void applyDuringSession(bool checked);

    UserDialogs& dialogs_;
    // In the order of the page: source, QMX & ORG, translated.
    std::array<DirectoryField*, 3> fields_{};
    QCheckBox* duringSession_;
    QCheckBox* betweenSessions_;
};

} // namespace quillex
