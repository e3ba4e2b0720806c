// Writes every file the game loads, one path a line, as this build's platform names
// it, so the SD-card package can copy the whole asset tree and be checked against the
// same list. Where the platform keeps a file under another name than the game's own
// (the handheld's card cannot hold a backslash), a copy is laid out there in the game
// folder too, so that the build's own folder runs as the card will.
#include "app/Assets.h"
#include "platform/Platform.h"
#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

bool layOut(const fs::path& gameDir, const char* named, const std::string& placed) {
    if (placed == named) return true;
    std::error_code error;
    fs::create_directories((gameDir / placed).parent_path(), error);
    fs::copy_file(gameDir / named, gameDir / placed, fs::copy_options::overwrite_existing, error);
    if (error) std::fprintf(stderr, "%s: %s\n", placed.c_str(), error.message().c_str());
    return !error;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: assetlist OUTPUT GAME_DIR\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    bool laidOut = true;
    for (const char* path : assets::allImages())
        std::fprintf(out, "%s\n", path);
    for (const char* path : assets::allSounds()) {
        std::string placed = platform::soundPath(path);
        laidOut = layOut(argv[2], path, placed) && laidOut;
        std::fprintf(out, "%s\n", placed.c_str());
    }
    for (const char* path : assets::allFonts())
        std::fprintf(out, "%s\n", path);
    return std::fclose(out) == 0 && laidOut ? 0 : 1;
}
