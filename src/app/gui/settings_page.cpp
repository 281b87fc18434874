// SettingsPage: the conversion options and the document languages.
#include "app/gui/settings_page.h"

#include "app/gui/qt_text.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <string_view>

namespace quillex {
namespace {

struct RadioGroup {
    SettingsPage::Group group;
    const char* title;
    const char* choices[2]; // buttons numbered as the settings file stores the choice
    const char* storedName;
};

constexpr RadioGroup kRadioGroups[] = {
    {SettingsPage::Group::OverwriteFiles,
     "Overwrite Files",
     {"Always Prompt", "Always Overwrite"},
     "OVERWRITE_FILES"},
    {SettingsPage::Group::FileFormatForQmx,
     "File Format For QMX",
     {"ANSI Text", "RTF"},
     "FILE_FORMAT_FOR_QMX"},
    {SettingsPage::Group::RtfPageSize, "RTF Page Size", {"A4", "Letter"}, "RTF_PAGE_SIZE"},
    {SettingsPage::Group::MarkerPlaceholders,
     "Marker Placeholders",
     {"Insert", "Don't Insert"},
     "MARKER_PLACEHOLDERS"},
    {SettingsPage::Group::ReadOnlyComponents,
     "Read Only Components",
     {"Translate", "Don't Translate"},
     "READ_ONLY_COMPONENTS"},
    {SettingsPage::Group::Hyphenation,
     "Hyphenation",
     {"Turn Off", "Leave As Is"},
     "TRANSLATION_HYPHENATION"},
    {SettingsPage::Group::SmartQuotes, "Smart Quotes", {"As Text", "As Tags"}, "SMART_QUOTES"},
};

// The groups are kept in page order, so a Group indexes them.
constexpr bool groupsInPageOrder() {
    for (std::size_t i = 0; i < std::size(kRadioGroups); ++i)
        if (static_cast<std::size_t>(kRadioGroups[i].group) != i)
            return false;
    return true;
}
static_assert(groupsInPageOrder());

// The radio groups fill a grid of this many columns.
constexpr int kGroupColumns = 2;
constexpr int kAnsiText = 0;

// Shows `name` in `list`, and keeps it when the list lacks it (a value set
// from the command line): the list then shows it as its placeholder and
// selects nothing.
void selectLanguage(QComboBox& list, const std::string& name) {
    const int index = list.findText(toQt(name));
    if (index < 0)
        list.setPlaceholderText(toQt(name));
    list.setCurrentIndex(index);
}

// The chosen name and its list position, or what was loaded when nothing is
// chosen.
void readLanguage(const QComboBox& list, std::string& name, int& selection) {
    if (list.currentIndex() < 0)
        return;
    name = fromQt(list.currentText());
    selection = list.currentIndex();
}

QComboBox* languageList(const std::vector<const char*>& names, QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (const char* name : names)
        list->addItem(QString::fromLatin1(name));
    return list;
}

} // namespace

const std::vector<const char*>& sourceLanguageNames() {
    static const std::vector<const char*> names = {"Danish",
                                                   "Dutch",
                                                   "English (AUS)",
                                                   "English (UK)",
                                                   "English (US)",
                                                   "Finnish",
                                                   "French",
                                                   "French (Canadian)",
                                                   "German",
                                                   "Italian",
                                                   "Japanese (Shift-JIS)",
                                                   "None",
                                                   "Norwegian",
                                                   "Portuguese",
                                                   "Portuguese (Brazilian)",
                                                   "Spanish",
                                                   "Swedish"};
    return names;
}

// The source list with "Japanese (EUC)", a target language only, before
// "Japanese (Shift-JIS)".
const std::vector<const char*>& targetLanguageNames() {
    static const std::vector<const char*> names = [] {
        std::vector<const char*> list = sourceLanguageNames();
        const auto shiftJis = std::find_if(list.begin(), list.end(), [](const char* name) {
            return std::string_view(name) == "Japanese (Shift-JIS)";
        });
        list.insert(shiftJis, "Japanese (EUC)");
        return list;
    }();
    return names;
}

SettingsPage::SettingsPage(const OptionSettings& options, QWidget* parent)
    : QWidget(parent), loaded_(options), sourceLanguage_(languageList(sourceLanguageNames(), this)),
      targetLanguage_(languageList(targetLanguageNames(), this)) {
    auto* grid = new QGridLayout;
    int position = 0;
    for (const RadioGroup& radio : kRadioGroups) {
        auto* box = new QGroupBox(tr(radio.title), this);
        auto* boxLayout = new QVBoxLayout(box);
        auto* group = new QButtonGroup(box);
        for (int index = 0; index < 2; ++index) {
            auto* button = new QRadioButton(tr(radio.choices[index]), box);
            group->addButton(button, index);
            boxLayout->addWidget(button);
        }
        if (QAbstractButton* chosen = group->button(storedChoice(options, radio.storedName)))
            chosen->setChecked(true);
        grid->addWidget(box, position / kGroupColumns, position % kGroupColumns);
        ++position;
        groups_.push_back(group);
        boxes_.push_back(box);
    }

    auto* languages = new QGroupBox(tr("Document Language"), this);
    auto* languageForm = new QFormLayout(languages);
    languageForm->addRow(tr("So&urce Language:"), sourceLanguage_);
    languageForm->addRow(tr("Tar&get Language:"), targetLanguage_);
    grid->addWidget(languages, position / kGroupColumns, position % kGroupColumns);
    selectLanguage(*sourceLanguage_, options.sourceLanguage);
    selectLanguage(*targetLanguage_, options.targetLanguage);

    for (int column = 0; column < kGroupColumns; ++column)
        grid->setColumnStretch(column, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);

    connect(groups_[static_cast<int>(Group::FileFormatForQmx)], &QButtonGroup::idToggled, this,
            &SettingsPage::applyFileFormat);
    applyFileFormat();
}

void SettingsPage::applyFileFormat() {
    const bool ansiText =
        groups_[static_cast<int>(Group::FileFormatForQmx)]->checkedId() == kAnsiText;
    // The buttons keep their choice while disabled.
    groupBox(Group::RtfPageSize)->setEnabled(!ansiText);
}

OptionSettings SettingsPage::values() const {
    OptionSettings options = loaded_;
    for (std::size_t i = 0; i < std::size(kRadioGroups); ++i) {
        const int chosen = groups_[i]->checkedId();
        if (chosen >= 0)
            setStoredChoice(options, kRadioGroups[i].storedName, chosen);
    }
    readLanguage(*sourceLanguage_, options.sourceLanguage, options.sourceLanguageSelection);
    readLanguage(*targetLanguage_, options.targetLanguage, options.targetLanguageSelection);
    return options;
}

QRadioButton* SettingsPage::button(Group group, int index) const {
    return qobject_cast<QRadioButton*>(groups_[static_cast<int>(group)]->button(index));
}

QGroupBox* SettingsPage::groupBox(Group group) const {
    return boxes_[static_cast<int>(group)];
}

} // namespace quillex
