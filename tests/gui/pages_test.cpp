// The Paths and Settings pages: their enabling rules, leaving the Paths page
// with a missing folder, settings saved when the window closes and read
// back at the next start, and settings changed elsewhere while windows are
// open surviving their closing.
#include "app/gui/directory_field.h"
#include "app/gui/first_run_folders.h"
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

#include <cstdlib>
#include <filesystem>

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

// A missing folder keeps the user on the Paths page with its name shown; a
// missing output folder may be created instead; closing the window is
// never refused for it.
TEST_F(PagesTest, LeavingPathsWithAMissingFolderNamesItAndOffersToCreateAnOutputFolder) {
    auto window = openWindow();
    QTabWidget* tabs = window->tabs();
    tabs->setCurrentIndex(kPathsTab);
    PathsPage& paths = window->pathsPage();
    const std::string gone = work.file("gone") + "/";
    paths.sourceField()->setDirectory(gone);
    paths.orgField()->edit()->setFocus();

    tabs->setCurrentIndex(kSettingsTab);
    EXPECT_EQ(tabs->currentIndex(), kPathsTab);
    ASSERT_EQ(dialogs.told.size(), 1u);
    EXPECT_EQ(dialogs.told[0].text, message(MessageId::PathDoesNotExist) + "\n\n" + toQt(gone));
    EXPECT_TRUE(dialogs.questions.empty()); // the source folder is not created
    EXPECT_EQ(window->focusWidget(), paths.sourceField()->edit());
    EXPECT_FALSE(std::filesystem::exists(gone));

    // A missing output folder: No keeps the user on the page, Yes creates it.
    paths.sourceField()->setDirectory(home());
    const std::string output = work.file("new/qmx") + "/";
    paths.orgField()->setDirectory(output);
    dialogs.answers = {Answer::No, Answer::Yes};
    tabs->setCurrentIndex(kSettingsTab);
    EXPECT_EQ(tabs->currentIndex(), kPathsTab);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].contains(toQt(output)));
    tabs->setCurrentIndex(kSettingsTab);
    EXPECT_EQ(tabs->currentIndex(), kSettingsTab);
    EXPECT_TRUE(std::filesystem::is_directory(output));

    // The window closes whatever a field holds.
    tabs->setCurrentIndex(kPathsTab);
    paths.translatedField()->setDirectory(gone);
    EXPECT_TRUE(window->close());
}

TEST_F(PagesTest, AnsiTextDisablesThePageSizeWhichKeepsItsValue) {
    OptionSettings options;
    options.fileFormatForQmx = QmxFileFormat::Rtf;
    options.rtfPageSize = PaperSize::Letter;
    SettingsPage page(options);
    page.button(Group::FileFormatForQmx, 0)->setChecked(true);
    EXPECT_FALSE(page.button(Group::RtfPageSize, 0)->isEnabled());
    EXPECT_FALSE(page.button(Group::RtfPageSize, 1)->isEnabled());
    EXPECT_TRUE(page.button(Group::RtfPageSize, 1)->isChecked());
    EXPECT_EQ(page.values().rtfPageSize, PaperSize::Letter);

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
    EXPECT_NE(saved.options.overwriteFiles, defaults.overwriteFiles);
    EXPECT_NE(saved.options.fileFormatForQmx, defaults.fileFormatForQmx);
    EXPECT_NE(saved.options.rtfPageSize, defaults.rtfPageSize);
    EXPECT_NE(saved.options.markerPlaceholders, defaults.markerPlaceholders);
    EXPECT_NE(saved.options.readOnlyComponents, defaults.readOnlyComponents);
    EXPECT_NE(saved.options.translationHyphenation, defaults.translationHyphenation);
    EXPECT_NE(saved.options.smartQuotes, defaults.smartQuotes);
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

// Two windows open; the command line changes two values meanwhile, the
// first window a third and the second window nothing. Whatever the order of
// closing, every change survives.
TEST_F(PagesTest, SettingsChangedElsewhereWhileWindowsAreOpenSurviveTheirClosing) {
    auto first = openWindow();
    auto second = openWindow();
    for (const char* change : {"OPTIONS/TARGET_LANGUAGE German", "OPTIONS/FILE_FORMAT_FOR_QMX 0"}) {
        const std::string command = "XDG_CONFIG_HOME='" + configFolder() +
                                    "' " QUILLEX_CLI " settings set " + change + " >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << change;
    }
    first->settingsPage().button(Group::SmartQuotes, 0)->setChecked(true);
    EXPECT_TRUE(first->close());
    EXPECT_TRUE(second->close());

    const Settings saved = SettingsStore::load();
    EXPECT_EQ(saved.options.targetLanguage, "German");
    EXPECT_EQ(saved.options.fileFormatForQmx, QmxFileFormat::Text);
    EXPECT_EQ(saved.options.smartQuotes, SmartQuotes::AsText);
    // What nobody changed is written as before.
    EXPECT_EQ(saved.stored.at("OPTIONS/OVERWRITE_FILES"), "0");
    EXPECT_EQ(saved.stored.at("PATHS/SOURCE_FILES"), home());
}

// A first run proposes three separate folders under ~/Quillex/ and makes
// them; a path the settings file holds is kept.
TEST_F(PagesTest, AFirstRunGetsSeparateFoldersAndAStoredPathIsKept) {
    ASSERT_FALSE(SettingsStore::set("PATHS/SOURCE_FILES", work.folder()));
    Settings settings = SettingsStore::load();
    useFirstRunFolders(settings);
    EXPECT_EQ(settings.paths.sourceFiles, work.folder());
    EXPECT_EQ(settings.paths.orgFiles, home() + "Quillex/QMX/");
    EXPECT_EQ(settings.paths.translatedFiles, home() + "Quillex/Translated/");
    EXPECT_TRUE(std::filesystem::is_directory(settings.paths.orgFiles));
    EXPECT_TRUE(std::filesystem::is_directory(settings.paths.translatedFiles));
    EXPECT_FALSE(std::filesystem::exists(home() + "Quillex/IASCII"));
}

} // namespace
