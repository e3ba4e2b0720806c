#include "platform/desktop/DataFolder.h"
#include "app/Assets.h"
#include "app/StartUpFailure.h"
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The menu picture and the two fonts are what the first screen needs; a folder that has
// them is the game's, and anything else it lacks is reported by the loaders.
bool holds(const fs::path& folder, const char* file) {
    std::error_code error;
    return fs::is_regular_file(folder / file, error);
}

std::string executableFolder() {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

std::string workingFolder() {
    std::error_code error;
    fs::path here = fs::current_path(error);
    return error ? std::string(".") : here.string();
}

void addOnce(std::vector<std::string>& folders, const std::string& folder) {
    if (folder.empty()) return;
    for (const std::string& known : folders)
        if (known == folder) return;
    folders.push_back(folder);
}

bool holdsSomeGameData(const std::string& folder) {
    for (const auto& files : {assets::allImages(), assets::allSounds(), assets::allFonts()})
        for (const char* file : files)
            if (holds(folder, file)) return true;
    return false;
}

// The player who names a folder hears when it is passed over, rather than wonder why
// the changes made there do not show.
bool enter(const std::string& folder, const char* named) {
    if (chdir(folder.c_str()) != 0) return false;
    if (named && *named && folder != named)
        std::fprintf(stderr,
                     "Vandal Demo: VANDAL_DATA=%s does not hold the game's files; using %s\n",
                     named, folder.c_str());
    return true;
}

} // namespace

std::vector<std::string> dataFolderCandidates(const char* fromEnvironment,
                                              const std::string& executableFolder) {
    std::vector<std::string> folders;
    if (fromEnvironment) addOnce(folders, fromEnvironment);
    if (!executableFolder.empty()) {
        addOnce(folders, executableFolder);
        addOnce(folders, (fs::path(executableFolder) / VANDAL_DATA_FROM_BIN).lexically_normal());
    }
    addOnce(folders, VANDAL_INSTALLED_DATA);
    addOnce(folders, workingFolder());
    return folders;
}

bool holdsGameData(const std::string& folder) {
    if (!holds(folder, assets::menuImage)) return false;
    for (const char* font : assets::allFonts())
        if (!holds(folder, font)) return false;
    return true;
}

void enterDataFolder() {
    const char* named = std::getenv("VANDAL_DATA");
    std::vector<std::string> folders = dataFolderCandidates(named, executableFolder());
    for (const std::string& folder : folders)
        if (holdsGameData(folder) && enter(folder, named)) return;
    // No folder has everything. One with some of the files is a broken install rather
    // than the wrong place: entered, it lets the start-up check name what is wrong.
    for (const std::string& folder : folders)
        if (holdsSomeGameData(folder) && enter(folder, named)) return;
    std::string tried;
    for (const std::string& folder : folders)
        tried += (tried.empty() ? "" : ", ") + folder;
    failStartUp("Vandal Demo cannot find its game files; looked in " + tried +
                    " (set VANDAL_DATA to the folder that holds them)",
                3);
}
