// SettingsPage: the conversion options and the document languages.
//
// Seven radio groups, each storing the index of its chosen button, and the
// source and target language lists. Choosing ANSI Text disables the RTF page
// size (which keeps its value). Options without a control (source
// hyphenation, character set, the diagnostic switch) keep what was loaded.
#pragma once

#include "app/settings_store.h"

#include <QWidget>

#include <vector>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QRadioButton;

namespace quillex {

// The names in the language lists, in list order.
const std::vector<const char*>& sourceLanguageNames();
const std::vector<const char*>& targetLanguageNames();

class SettingsPage : public QWidget {
    Q_OBJECT

  public:
    // The radio groups, in page order.
    enum class Group {
        OverwriteFiles,
        FileFormatForQmx,
        RtfPageSize,
        MarkerPlaceholders,
        ReadOnlyComponents,
        Hyphenation,
        SmartQuotes,
    };

    explicit SettingsPage(const OptionSettings& options, QWidget* parent = nullptr);

    OptionSettings values() const;

    QRadioButton* button(Group group, int index) const;
    QGroupBox* groupBox(Group group) const;
    QComboBox* sourceLanguageList() const { return sourceLanguage_; }
    QComboBox* targetLanguageList() const { return targetLanguage_; }

  private:
    void applyFileFormat();

    OptionSettings loaded_;
    std::vector<QButtonGroup*> groups_;
    std::vector<QGroupBox*> boxes_;
    QComboBox* sourceLanguage_;
    QComboBox* targetLanguage_;
};

} // namespace quillex
