// The Paths and Settings pages: their enabling rules, leaving the Paths page
// with a missing folder, and settings saved when the window closes and read
// back at the next start.
#include "app/gui/directory_field.h"
#include "app/gui/main_window.h"
#include "app/gui/paths_page.h"
#include "app/gui/qt_text.h"
#include "app/gui/settings_page.h"
#include "gui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

using namespace quillex;
using quillex::testing::GuiTest;
using quillex::testing::TempDir;
using Group = quillex::SettingsPage::Group;

namespace {

constexpr int kPathsTab = 3;
constexpr int kSettingsTab = 4;

class PagesTest : public GuiTest {
  protected:
    std::unique_ptr<MainWindow> openWindow() {
        auto window = std::make_unique<MainWindow>(SettingsStore::load(), dialogs);
        window->show();
        return window;
    }
    TempDir work;
};

TEST_F(PagesTest, DuringSessionOffDisablesTheFieldsAndBetweenSessions) {
    auto window = openWindow();
    PathsPage& paths = window->pathsPage();
    ASSERT_TRUE(paths.betweenSessionsBox()->isChecked());

    paths.duringSessionBox()->setChecked(false);
    EXPECT_FALSE(paths.betweenSessionsBox()->isEnabled());
    EXPECT_FALSE(paths.betweenSessionsBox()->isChecked());
    for (DirectoryField* field : {paths.sourceField(), paths.orgField(), paths.translatedField()})
        EXPECT_FALSE(field->isEnabled());

    // Checked again, everything is editable, Between Sessions stays off.
    paths.duringSessionBox()->setChecked(true);
    EXPECT_TRUE(paths.betweenSessionsBox()->isEnabled());
    EXPECT_FALSE(paths.betweenSessionsBox()->isChecked());
    EXPECT_TRUE(paths.orgField()->isEnabled());
}

TEST_F(PagesTest, LeavingPathsWithAMissingEnabledFolderIsRefused) {
    auto window = openWindow();
    QTabWidget* tabs = window->tabs();
    tabs->setCurrentIndex(kPathsTab);
    PathsPage& paths = window->pathsPage();
    paths.orgField()->setDirectory(work.file("gone") + "/");
    paths.sourceField()->edit()->setFocus();

    tabs->setCurrentIndex(kSettingsTab);
    EXPECT_EQ(tabs->currentIndex(), kPathsTab);
    ASSERT_EQ(dialogs.told.size(), 1u);
    EXPECT_EQ(dialogs.told[0].text, message(MessageId::PathDoesNotExist));
    EXPECT_EQ(window->focusWidget(), paths.orgField()->edit());

    // Nor may the window close from there; nothing is saved.
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(QSettings(QSettings::IniFormat, QSettings::UserScope, "VELMAR",
                           "The Quillex 2.0 for Interleaf")
                     .contains("PATHS/ORG_FILES"));

    // A disabled field is not checked.
    paths.duringSessionBox()->setChecked(false);
    tabs->setCurrentIndex(kSettingsTab);
    EXPECT_EQ(tabs->currentIndex(), kSettingsTab);
    EXPECT_EQ(dialogs.told.size(), 2u);
}

TEST_F(PagesTest, AnsiTextDisablesThePageSizeWhichKeepsItsValue) {
    OptionSettings options;
    options.fileFormatForQmx = 1;
    options.rtfPageSize = 1;
    SettingsPage page(options);
    page.button(Group::FileFormatForQmx, 0)->setChecked(true);
    EXPECT_FALSE(page.button(Group::RtfPageSize, 0)->isEnabled());
    EXPECT_FALSE(page.button(Group::RtfPageSize, 1)->isEnabled());
    EXPECT_TRUE(page.button(Group::RtfPageSize, 1)->isChecked());
    EXPECT_EQ(page.values().rtfPageSize, 1);

    page.button(Group::FileFormatForQmx, 1)->setChecked(true);
    EXPECT_TRUE(page.button(Group::RtfPageSize, 0)->isEnabled());
}

TEST_F(PagesTest, LanguageListsAreAsListedAndAStoredNameOutsideThemIsKept) {
    ASSERT_EQ(sourceLanguageNames().size(), 17u);
    ASSERT_EQ(targetLanguageNames().size(), 18u);
    EXPECT_STREQ(targetLanguageNames()[10], "Japanese (EUC)");
    EXPECT_STREQ(targetLanguageNames()[11], "Japanese (Shift-JIS)");
    for (const auto* names : {&sourceLanguageNames(), &targetLanguageNames()})
        for (std::size_t i = 1; i < names->size(); ++i)
            EXPECT_LT(std::string((*names)[i - 1]), std::string((*names)[i]));

    OptionSettings options;
    options.sourceLanguage = "Russian"; // set from the command line
    options.sourceLanguageSelection = 1000;
    SettingsPage page(options);
    EXPECT_EQ(page.sourceLanguageList()->currentIndex(), -1);
    EXPECT_EQ(page.values().sourceLanguage, "Russian");
    EXPECT_EQ(page.values().sourceLanguageSelection, 1000);
    EXPECT_EQ(page.targetLanguageList()->currentText(), "English (US)");
}

// Every control of both pages changed from its default, closed, opened
// again: the next window shows what the last one was left with.
TEST_F(PagesTest, SettingsAreSavedAtCloseAndReadBackAtTheNextStart) {
    const std::string source = work.subfolder("source");
    {
        auto window = openWindow();
        SettingsPage& page = window->settingsPage();
        for (Group group : {Group::OverwriteFiles, Group::FileFormatForQmx, Group::RtfPageSize,
                            Group::MarkerPlaceholders, Group::ReadOnlyComponents,
                            Group::Hyphenation, Group::SmartQuotes}) {
            QRadioButton* other = page.button(group, page.button(group, 0)->isChecked() ? 1 : 0);
            other->setChecked(true);
        }
        page.sourceLanguageList()->setCurrentText("German");
        page.targetLanguageList()->setCurrentText("Japanese (EUC)");
        window->pathsPage().sourceField()->setDirectory(source);
        EXPECT_TRUE(window->close());
    }
    const Settings saved = SettingsStore::load();
    const OptionSettings defaults;
    EXPECT_EQ(saved.options.overwriteFiles, 1 - defaults.overwriteFiles);
    EXPECT_EQ(saved.options.fileFormatForQmx, 1 - defaults.fileFormatForQmx);
    EXPECT_EQ(saved.options.rtfPageSize, 1 - defaults.rtfPageSize);
    EXPECT_EQ(saved.options.markerPlaceholders, 1 - defaults.markerPlaceholders);
    EXPECT_EQ(saved.options.readOnlyComponents, 1 - defaults.readOnlyComponents);
    EXPECT_EQ(saved.options.translationHyphenation, 1 - defaults.translationHyphenation);
    EXPECT_EQ(saved.options.smartQuotes, 1 - defaults.smartQuotes);
    EXPECT_EQ(saved.options.sourceLanguage, "German");
    EXPECT_EQ(saved.options.sourceLanguageSelection, 8);
    EXPECT_EQ(saved.options.targetLanguage, "Japanese (EUC)");
    EXPECT_EQ(saved.options.targetLanguageSelection, 10);
    EXPECT_EQ(saved.paths.sourceFiles, source);

    auto window = openWindow();
    EXPECT_EQ(window->settingsPage().values().smartQuotes, saved.options.smartQuotes);
    EXPECT_EQ(window->settingsPage().targetLanguageList()->currentText(), "Japanese (EUC)");
    EXPECT_EQ(window->pathsPage().sourceField()->directory(), source);

    // Without Between Sessions the folders start at home next time.
    window->pathsPage().betweenSessionsBox()->setChecked(false);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(SettingsStore::load().paths.sourceFiles, home());
    EXPECT_EQ(SettingsStore::load().paths.betweenSessions, 0);
}

} // namespace
