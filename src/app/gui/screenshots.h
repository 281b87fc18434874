// Screenshots of the window for the documentation.
//
// `quillex-gui --screenshots DIR` (scripts/screenshots.sh runs it under Xvfb
// at 100% and 200% scale) converts the bundled examples in a temporary
// folder, answering its own dialogs, so that the pages show a real batch;
// then it saves every page, each confirmation dialog, the splash screen and
// the Help window as PNG files in DIR. Nothing of the user's settings is
// read or written.
#pragma once

#include <QString>

namespace quillex {

// Returns the program's exit status: 0 when every picture was saved.
int takeScreenshots(const QString& folder, const QString& examplesFolder);

} // namespace quillex
