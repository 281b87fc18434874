// ConfirmBatchDialog: the dialog that confirms a batch and its directories.
#include "app/gui/confirm_batch_dialog.h"

#include "app/gui/directory_field.h"
#include "app/gui/qt_text.h"
#include "app/gui/user_dialogs.h"
#include "forward/forward_outputs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quillex {
namespace {

// One directory row of the dialog.
struct DirectoryRow {
    const char* label;
    std::string BatchDirectories::*slot;
    bool editable;
    MessageId pickerTitle; // for editable rows
};

struct KindRows {
    BatchKind kind;
    DirectoryRow rows[2];
};

// The rows of each kind: a forward batch picks both output folders; backward
// and verify batches pick where the sources are and show where the output
// goes (beside the chosen translated files).
constexpr KindRows kRows[] = {
    {BatchKind::Forward,
     {{"&QMX && ORG files directory:", &BatchDirectories::org, true,
       MessageId::PickQmxAndOrgFolderTitle},
      {"&Directory for a copy of the QMX files for translation:", &BatchDirectories::translated,
       true, MessageId::PickTranslatedOutputFolderTitle}}},
    {BatchKind::Backward,
     {{"&Directory of the ORG/STY files and their QMX/CAT source files:", &BatchDirectories::org,
       true, MessageId::PickQmxAndOrgFolderTitle},
      {"&Translated IASCII files are written to:", &BatchDirectories::translated, false,
       MessageId::None}}},
    {BatchKind::Verify,
     {{"&Directory of the corresponding source QMX files:", &BatchDirectories::org, true,
       MessageId::PickQmxFolderTitle},
      {"&Report files (.CMP) are written to:", &BatchDirectories::translated, false,
       MessageId::None}}},
};

const KindRows& rowsOf(BatchKind kind) {
    for (const KindRows& rows : kRows)
        if (rows.kind == kind)
            return rows;
    return kRows[0];
}

} // namespace

ConfirmBatchDialog::ConfirmBatchDialog(BatchKind kind, const QString& title,
                                       const QString& countLine,
                                       const BatchDirectories& directories, UserDialogs& dialogs,
                                       QWidget* parent)
    : QDialog(parent), kind_(kind), initial_(directories), dialogs_(dialogs) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* count = new QLabel(countLine, this);
    QFont bold = count->font();
    bold.setBold(true);
    count->setFont(bold);
    layout->addWidget(count);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    for (const DirectoryRow& row : rowsOf(kind).rows) {
        const std::string& value = directories.*row.slot;
        if (row.editable) {
            auto* field = new DirectoryField(row.pickerTitle, dialogs, this);
            field->setDirectory(value);
            field->setAccessibleLabel(tr(row.label));
            (row.slot == &BatchDirectories::org ? orgField_ : translatedField_) = field;
            form->addRow(tr(row.label), field);
        } else {
            outputLine_ = new QLineEdit(toQt(value), this);
            outputLine_->setReadOnly(true);
            form->addRow(tr(row.label), outputLine_);
        }
    }
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ConfirmBatchDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ConfirmBatchDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 70);
}

BatchDirectories ConfirmBatchDialog::directories() const {
    BatchDirectories directories = initial_;
    if (orgField_ != nullptr)
        directories.org = orgField_->directory();
    if (translatedField_ != nullptr)
        directories.translated = translatedField_->directory();
    return directories;
}

// The field a refusal of the directories is about: for a forward batch the
// first one that is the source folder, else the first editable one.
DirectoryField* ConfirmBatchDialog::fieldToBlame(const BatchDirectories& directories) const {
    if (kind_ == BatchKind::Forward && translatedField_ != nullptr &&
        !sameDirectory(directories.org, directories.chosenFiles) &&
        sameDirectory(directories.translated, directories.chosenFiles))
        return translatedField_;
    return orgField_;
}

void ConfirmBatchDialog::accept() {
    for (DirectoryField* field : {orgField_, translatedField_})
        if (field != nullptr && !field->checkExists())
            return;
    const BatchDirectories chosen = directories();
    const std::string refusal = validateBatchDirectories(kind_, chosen);
    if (!refusal.empty()) {
        fieldToBlame(chosen)->refuse(toQt(refusal));
        return;
    }
    QDialog::accept();
}

} // namespace quillex
