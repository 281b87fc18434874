// The confirmation dialogs and directory fields: OK is refused while a
// directory is missing (4030, focus back on the field) or the directories
// break the batch's rules (15050 naming the source folder, 15040); typed
// folders are completed with "/"; Browse uses the field's picker title.
#include "app/gui/confirm_batch_dialog.h"
#include "app/gui/directory_field.h"
#include "app/gui/qt_text.h"
#include "gui_fixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace quillex;
using quillex::testing::GuiTest;
using quillex::testing::TempDir;

namespace {

class ConfirmDialogTest : public GuiTest {
  protected:
    ConfirmDialogTest() {
        directories.chosenFiles = work.subfolder("source");
        directories.org = work.subfolder("qmx");
        directories.translated = work.subfolder("translated");
    }

    std::unique_ptr<ConfirmBatchDialog> open(BatchKind kind) {
        auto dialog =
            std::make_unique<ConfirmBatchDialog>(kind, "Confirm", "2 files", directories, dialogs);
        dialog->show();
        dialog->setResult(QDialog::Rejected);
        return dialog;
    }

    // Presses OK; true when the dialog closed accepted.
    static bool pressOk(ConfirmBatchDialog& dialog) {
        dialog.accept();
        return dialog.result() == QDialog::Accepted;
    }

    TempDir work;
    BatchDirectories directories;
};

TEST_F(ConfirmDialogTest, ForwardRefusesTheSourceFolderForEitherOutputAndNamesIt) {
    const QString refusal =
        message(MessageId::QmxFolderIsSourceFolder, directories.chosenFiles.c_str());
    for (bool orgIsSource : {true, false}) {
        auto dialog = open(BatchKind::Forward);
        DirectoryField* wrong = orgIsSource ? dialog->orgField() : dialog->translatedField();
        DirectoryField* other = orgIsSource ? dialog->translatedField() : dialog->orgField();
        wrong->setDirectory(directories.chosenFiles);
        other->edit()->setFocus();
        dialogs.told.clear();

        EXPECT_FALSE(pressOk(*dialog));
        ASSERT_EQ(dialogs.told.size(), 1u);
        EXPECT_EQ(dialogs.told[0].text, refusal);
        EXPECT_EQ(dialog->focusWidget(), wrong->edit());
    }
}

TEST_F(ConfirmDialogTest, VerifyRefusesTheFolderOfTheTranslatedFiles) {
    directories.chosenFiles = directories.translated;
    auto dialog = open(BatchKind::Verify);
    ASSERT_EQ(dialog->translatedField(), nullptr);
    EXPECT_TRUE(dialog->outputLine()->isReadOnly());
    dialog->orgField()->setDirectory(directories.translated);

    EXPECT_FALSE(pressOk(*dialog));
    ASSERT_EQ(dialogs.told.size(), 1u);
    EXPECT_EQ(dialogs.told[0].text, message(MessageId::FoldersMustDiffer));

    dialog->orgField()->setDirectory(directories.org);
    EXPECT_TRUE(pressOk(*dialog));
    EXPECT_EQ(dialog->directories().org, directories.org);
}

TEST_F(ConfirmDialogTest, MissingFolderIsRefusedWithTheFocusBackOnItsField) {
    for (BatchKind kind : {BatchKind::Forward, BatchKind::Backward, BatchKind::Verify}) {
        auto dialog = open(kind);
        dialog->orgField()->setDirectory(work.file("no such folder"));
        dialog->outputLine() ? dialog->outputLine()->setFocus()
                             : dialog->translatedField()->edit()->setFocus();
        dialogs.told.clear();

        EXPECT_FALSE(pressOk(*dialog));
        ASSERT_EQ(dialogs.told.size(), 1u);
        EXPECT_EQ(dialogs.told[0].text, message(MessageId::PathDoesNotExist) + "\n\n" +
                                            toQt(work.file("no such folder") + "/"));
        EXPECT_EQ(dialogs.told[0].icon, UserDialogs::Icon::Stop);
        EXPECT_EQ(dialog->focusWidget(), dialog->orgField()->edit());
    }
}

TEST_F(ConfirmDialogTest, TypedFolderIsCompletedWithSlashAndAccepted) {
    auto dialog = open(BatchKind::Forward);
    QLineEdit* edit = dialog->orgField()->edit();
    edit->setFocus();
    edit->setText(QString::fromStdString(work.path().string() + "/qmx"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text().toStdString(), directories.org);

    // A relative path names the folder below the current one.
    const QString current = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(work.path().string()));
    edit->setText("translated");
    QTest::keyClick(edit, Qt::Key_Return);
    QDir::setCurrent(current);
    EXPECT_EQ(edit->text().toStdString(), directories.translated);

    // OK also takes a folder the user did not leave, completed.
    dialog->translatedField()->edit()->setText(
        QString::fromStdString(work.path().string() + "/qmx"));
    EXPECT_TRUE(pressOk(*dialog));
    EXPECT_EQ(dialog->directories().translated, directories.org);
    EXPECT_TRUE(dialogs.told.empty());
}

TEST_F(ConfirmDialogTest, BrowseStartsInTheFieldWithItsTitleAndTakesTheChoice) {
    auto dialog = open(BatchKind::Forward);
    dialogs.directoryChoices = {QString::fromStdString(work.path().string() + "/source"), ""};
    dialog->translatedField()->browseButton()->click();
    dialog->orgField()->browseButton()->click(); // cancelled: the field keeps its folder

    ASSERT_EQ(dialogs.pickerTitles.size(), 2u);
    EXPECT_EQ(dialogs.pickerTitles[0], message(MessageId::PickTranslatedOutputFolderTitle));
    EXPECT_EQ(dialogs.pickerStarts[0].toStdString(), directories.translated);
    EXPECT_EQ(dialogs.pickerTitles[1], message(MessageId::PickQmxAndOrgFolderTitle));
    EXPECT_EQ(dialog->translatedField()->directory(), directories.chosenFiles);
    EXPECT_EQ(dialog->orgField()->directory(), directories.org);
}

} // namespace
