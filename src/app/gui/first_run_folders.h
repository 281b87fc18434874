// First-run folders: separate default folders for the three paths.
//
// Without stored paths every folder would be the home folder, and the
// sources, the QMX files and the translations would mix there. The window
// instead proposes (and makes) one folder each under ~/Quillex/.
#pragma once

#include "app/settings_store.h"

namespace quillex {

// Replaces each path that the settings file does not hold, and that is the
// default directory, by its folder under ~/Quillex/, making the folder.
// A folder that cannot be made leaves its path as it was.
void useFirstRunFolders(Settings& settings);

} // namespace quillex
