#pragma once
#include <SDL/SDL.h>
#include <string>
#include <vector>

// One of the game's own files that cannot be used, and why.
struct BrokenFile {
    std::string path;
    std::string reason;
};

// Every image, sound and font of the game's asset lists, looked up from the working
// directory, that is missing, unreadable or does not decode.
std::vector<BrokenFile> findBrokenFiles();

// Why the open WAV stream cannot be played as it stands, or "" when its header holds
// together. A chunk that claims more bytes than follow would have the mixer try to
// read them all.
std::string wavHeaderProblem(SDL_RWops* file);

// What the player is told about the broken files, `fileCount` being how many files
// the game has, and `folder` where they were looked for.
std::string installationReport(const std::vector<BrokenFile>& broken, size_t fileCount,
                               const std::string& folder);

// Checks every file once, before the window opens, so that a broken install stops
// with a clear word (status 3) instead of showing an invisible car or a black menu.
void requireInstallation();
