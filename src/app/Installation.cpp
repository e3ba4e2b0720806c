#include "app/Installation.h"
#include "app/Assets.h"
#include "platform/Platform.h"
#include "app/StartUpFailure.h"
#include <SDL/SDL_ttf.h>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr size_t kRiffHeaderSize = 12;
constexpr size_t kChunkHeaderSize = 8;

// Opens the file, or tells why it cannot be: SDL's words and the system's reason.
SDL_RWops* openAsset(const char* path, std::string& reason) {
    errno = 0;
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    int error = errno;
    if (!file) {
        reason = SDL_GetError();
        if (error != 0) reason += std::string(" (") + std::strerror(error) + ")";
        return nullptr;
    }
    // The decoders' words for an empty file ("Error reading from datastream") would
    // hide the plain cause.
    if (SDL_RWseek(file, 0, RW_SEEK_END) == 0) {
        SDL_RWclose(file);
        reason = "the file is empty";
        return nullptr;
    }
    SDL_RWseek(file, 0, RW_SEEK_SET);
    return file;
}

std::string imageProblem(const char* path) {
    std::string reason;
    SDL_RWops* file = openAsset(path, reason);
    if (!file) return reason;
    SDL_Surface* image = SDL_LoadBMP_RW(file, 1);
    if (!image) return SDL_GetError();
    SDL_FreeSurface(image);
    return "";
}

std::string soundProblem(const char* path) {
    std::string reason;
    SDL_RWops* file = openAsset(path, reason);
    if (!file) return reason;
    reason = wavHeaderProblem(file);
    SDL_RWclose(file);
    return reason;
}

std::string fontProblem(const char* path) {
    if (!TTF_WasInit() && TTF_Init() < 0) return TTF_GetError();
    std::string reason;
    SDL_RWops* file = openAsset(path, reason);
    if (!file) return reason;
    TTF_Font* font = TTF_OpenFontRW(file, 1, 12);
    if (!font) return TTF_GetError();
    TTF_CloseFont(font);
    return "";
}

bool readTag(SDL_RWops* file, char (&tag)[5]) {
    tag[4] = '\0';
    return SDL_RWread(file, tag, 1, 4) == 4;
}

std::string workingFolder() {
    char folder[4096];
    return getcwd(folder, sizeof folder) ? folder : "the current folder";
}

void check(const std::vector<const char*>& paths, std::string (*problem)(const char*),
           std::vector<BrokenFile>& broken) {
    for (const char* path : paths) {
        std::string reason = problem(path);
        if (!reason.empty()) broken.push_back({path, reason});
    }
}

// Sounds are looked for where this platform keeps them.
void checkSounds(std::vector<BrokenFile>& broken) {
    for (const char* named : assets::allSounds()) {
        std::string path = platform::soundPath(named);
        std::string reason = soundProblem(path.c_str());
        if (!reason.empty()) broken.push_back({path, reason});
    }
}

size_t fileCount() {
    return assets::allImages().size() + assets::allSounds().size() + assets::allFonts().size();
}

} // namespace

std::string wavHeaderProblem(SDL_RWops* file) {
    const long size = SDL_RWseek(file, 0, RW_SEEK_END);
    SDL_RWseek(file, 0, RW_SEEK_SET);
    char riff[5], wave[5];
    if (size < static_cast<long>(kRiffHeaderSize) || !readTag(file, riff)) return "not a WAV file";
    SDL_ReadLE32(file); // the RIFF size, which many writers get wrong and players ignore
    if (!readTag(file, wave) || std::strcmp(riff, "RIFF") != 0 || std::strcmp(wave, "WAVE") != 0)
        return "not a WAV file";
    bool format = false, data = false;
    long at = kRiffHeaderSize;
    while (!(format && data) && at + static_cast<long>(kChunkHeaderSize) <= size) {
        char id[5];
        readTag(file, id);
        Uint32 length = SDL_ReadLE32(file);
        at += kChunkHeaderSize;
        if (length > static_cast<Uint32>(size - at))
            return std::string("its \"") + id + "\" chunk claims " + std::to_string(length) +
                   " bytes, but only " + std::to_string(size - at) + " follow";
        format = format || std::strcmp(id, "fmt ") == 0;
        data = data || std::strcmp(id, "data") == 0;
        at += length + (length & 1); // chunks are padded to an even length
        SDL_RWseek(file, at, RW_SEEK_SET);
    }
    if (!format) return "not a WAV file: it has no \"fmt \" chunk";
    if (!data) return "no sound in it: it has no \"data\" chunk";
    return "";
}

std::vector<BrokenFile> findBrokenFiles() {
    std::vector<BrokenFile> broken;
    check(assets::allImages(), imageProblem, broken);
    checkSounds(broken);
    check(assets::allFonts(), fontProblem, broken);
    return broken;
}

std::string installationReport(const std::vector<BrokenFile>& broken, size_t fileCount,
                               const std::string& folder) {
    // Nothing usable at all: most likely the wrong folder, and a list of every file
    // would hide that.
    if (broken.size() == fileCount)
        return "Vandal Demo cannot start: none of its files can be used in " + folder + " (" +
               broken.front().path + ": " + broken.front().reason +
               "). Start it from the folder that holds them.";
    std::string report = "Vandal Demo cannot start: " + std::to_string(broken.size()) + " of its " +
                         std::to_string(fileCount) + " files in " + folder +
                         " are missing or damaged:";
    for (const BrokenFile& file : broken)
        report += "\n  " + file.path + ": " + file.reason;
    report += "\nReinstall the game to repair them.";
    return report;
}

void requireInstallation() {
    std::vector<BrokenFile> broken = findBrokenFiles();
    if (broken.empty()) return;
    failStartUp(installationReport(broken, fileCount(), workingFolder()), 3);
}
