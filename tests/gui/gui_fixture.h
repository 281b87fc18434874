// GuiTest: a fixture with private settings and a private home folder, so
// that window tests never read or write the user's settings.
#pragma once

#include "scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QSettings>
#include <gtest/gtest.h>

#include <cstdlib>

namespace quillex::testing {

class GuiTest : public ::testing::Test {
  protected:
    GuiTest() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(config_.folder()));
        ::setenv("HOME", home_.folder().c_str(), 1);
    }

    // The home folder: the default directory of every path setting.
    std::string home() const { return home_.folder(); }
    // The folder of the settings file, as XDG_CONFIG_HOME for the command line.
    std::string configFolder() const { return config_.folder(); }

    ScriptedDialogs dialogs;

  private:
    TempDir config_;
    TempDir home_;
};

} // namespace quillex::testing
