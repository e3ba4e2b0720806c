#pragma once
#include <string>
#include <vector>

// Every path the game opens is relative, so the game runs from inside the folder that
// holds its pictures, sounds and fonts, wherever it was started from.

// The folders that may hold the game's files, in the order they are tried: the one the
// player names in VANDAL_DATA (null when unset), the executable's own folder (the build
// tree, an SD card), the installed data folder relative to the executable (a package
// unpacked or installed under any prefix), the data folder the build was configured
// for, and last the working directory as it is.
std::vector<std::string> dataFolderCandidates(const char* fromEnvironment,
                                              const std::string& executableFolder);

// True when `folder` holds the game's files.
bool holdsGameData(const std::string& folder);

// Changes into the first candidate that holds the game's files, failing that into the
// first that holds some of them (so that the start-up check names what is missing);
// says so in one line on stderr when that is not the folder VANDAL_DATA names.
// When none does, one line names the folders it tried, on stderr and in a window when
// one can exist, and the game exits with status 3.
void enterDataFolder();
