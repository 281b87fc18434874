// PathsPage: the three remembered directories and the Keep Paths group.
#include "app/gui/paths_page.h"

#include "app/gui/directory_field.h"
#include "app/gui/qt_text.h"
#include "app/gui/user_dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quillex {
namespace {

// The directory fields in page order, with their settings and pickers.
// Output folders (batches write there) may be created when missing, as the
// command line does; the folder of the source files must exist.
struct PathRow {
    const char* label;
    std::string PathSettings::*slot;
    MessageId pickerTitle;
    bool output;
};

constexpr PathRow kPathRows[] = {
    {"&Source IASCII Files:", &PathSettings::sourceFiles, MessageId::PickSourceFolderTitle, false},
    {"Source QMX && O&RG Files:", &PathSettings::orgFiles, MessageId::PickQmxAndOrgFolderTitle,
     true},
    {"Tr&anslated QMX && IASCII Files:", &PathSettings::translatedFiles,
     MessageId::PickTranslatedQmxFolderTitle, true},
};

} // namespace

PathsPage::PathsPage(const PathSettings& paths, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs),
      duringSession_(new QCheckBox(tr("&During Session"), this)),
      betweenSessions_(new QCheckBox(tr("&Between Sessions"), this)) {
    auto* folders = new QGroupBox(tr("Directories"), this);
    auto* form = new QFormLayout(folders);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = new DirectoryField(kPathRows[i].pickerTitle, dialogs, this);
        fields_[i]->setDirectory(paths.*kPathRows[i].slot);
        fields_[i]->setAccessibleLabel(tr(kPathRows[i].label));
        form->addRow(tr(kPathRows[i].label), fields_[i]);
    }

    auto* keep = new QGroupBox(tr("Keep Paths"), this);
    auto* keepLayout = new QVBoxLayout(keep);
    keepLayout->addWidget(duringSession_);
    keepLayout->addWidget(betweenSessions_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folders);
    layout->addWidget(keep);
    layout->addStretch(1);

    duringSession_->setChecked(paths.duringSession != 0);
    betweenSessions_->setChecked(paths.betweenSessions != 0);
    applyDuringSession(duringSession_->isChecked());
    connect(duringSession_, &QCheckBox::toggled, this, &PathsPage::applyDuringSession);
    // The folders (each field, then its Browse button) before the check boxes.
    QWidget* previous = fields_[0]->edit();
    for (DirectoryField* field : fields_) {
        for (QWidget* next :
             {static_cast<QWidget*>(field->edit()), static_cast<QWidget*>(field->browseButton())}) {
            if (next != previous)
                setTabOrder(previous, next);
            previous = next;
        }
    }
    setTabOrder(previous, duringSession_);
    setTabOrder(duringSession_, betweenSessions_);
}

void PathsPage::applyDuringSession(bool checked) {
    if (!checked)
        betweenSessions_->setChecked(false);
    betweenSessions_->setEnabled(checked);
    for (DirectoryField* field : fields_)
        field->setEnabled(checked);
}

PathSettings PathsPage::values() const {
    PathSettings paths;
    paths.duringSession = duringSession_->isChecked() ? 1 : 0;
    paths.betweenSessions = betweenSessions_->isChecked() ? 1 : 0;
    for (std::size_t i = 0; i < fields_.size(); ++i)
        paths.*kPathRows[i].slot = fields_[i]->directory();
    return paths;
}

void PathsPage::rememberDirectories(const PathSettings& remembered) {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setDirectory(remembered.*kPathRows[i].slot);
}

DirectoryField* PathsPage::firstMissingDirectory() const {
    for (DirectoryField* field : fields_)
        if (field->isEnabled() && !field->namesExistingDirectory())
            return field;
    return nullptr;
}

// A missing output folder is offered for creation; any other missing
// folder is refused with its name.
bool PathsPage::checkBeforeLeaving() {
    while (DirectoryField* missing = firstMissingDirectory()) {
        const std::size_t row =
            std::find(fields_.begin(), fields_.end(), missing) - fields_.begin();
        const std::string folder = missing->directory();
        const bool create =
            kPathRows[row].output && !folder.empty() &&
            dialogs_.ask(
                window(),
                tr("The folder %1 does not exist.\nDo you want to create it?").arg(toQt(folder)),
                false) == Answer::Yes;
        if (!create || !QDir().mkpath(toQt(folder)) || !missing->namesExistingDirectory()) {
            missing->refuse(missing->missingMessage());
            return false;
        }
    }
    return true;
}

} // namespace quillex
