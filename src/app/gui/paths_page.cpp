// PathsPage: the three remembered directories and the Keep Paths group.
#include "app/gui/paths_page.h"

#include "app/gui/directory_field.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace quillex {
namespace {

// The directory fields in page order, with their settings and pickers.
struct PathRow {
    const char* label;
    std::string PathSettings::*slot;
    MessageId pickerTitle;
};

constexpr PathRow kPathRows[] = {
    {"Source &IASCII Files:", &PathSettings::sourceFiles, MessageId::PickSourceFolderTitle},
    {"Source &QMX && ORG Files:", &PathSettings::orgFiles, MessageId::PickQmxAndOrgFolderTitle},
    {"&Translated QMX && IASCII Files:", &PathSettings::translatedFiles,
     MessageId::PickTranslatedQmxFolderTitle},
};

} // namespace

PathsPage::PathsPage(const PathSettings& paths, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), duringSession_(new QCheckBox(tr("During &Session"), this)),
      betweenSessions_(new QCheckBox(tr("&Between Sessions"), this)) {
    auto* folders = new QGroupBox(tr("Directories"), this);
    auto* form = new QFormLayout(folders);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = new DirectoryField(kPathRows[i].pickerTitle, dialogs, this);
        fields_[i]->setDirectory(paths.*kPathRows[i].slot);
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

bool PathsPage::checkBeforeLeaving() {
    DirectoryField* missing = firstMissingDirectory();
    return missing == nullptr || missing->checkExists();
}

} // namespace quillex
