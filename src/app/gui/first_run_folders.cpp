// First-run folders: separate default folders for the three paths.
#include "app/gui/first_run_folders.h"

#include <filesystem>
#include <system_error>

namespace quillex {
namespace {

struct FirstRunFolder {
    const char* key;
    std::string PathSettings::*slot;
    const char* folder;
};

constexpr FirstRunFolder kFirstRunFolders[] = {
    {"PATHS/SOURCE_FILES", &PathSettings::sourceFiles, "Quillex/IASCII/"},
    {"PATHS/ORG_FILES", &PathSettings::orgFiles, "Quillex/QMX/"},
    {"PATHS/TRANSLATED_FILES", &PathSettings::translatedFiles, "Quillex/Translated/"},
};

} // namespace

void useFirstRunFolders(Settings& settings) {
    const std::string home = SettingsStore::defaultDirectory();
    if (home.empty() || settings.paths.duringSession == 0)
        return;
    for (const FirstRunFolder& entry : kFirstRunFolders) {
        std::string& path = settings.paths.*entry.slot;
        if (settings.stored.contains(entry.key) || path != home)
            continue;
        const std::string folder = home + entry.folder;
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (std::filesystem::is_directory(folder, error))
            path = folder;
    }
}

} // namespace quillex
