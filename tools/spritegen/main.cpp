// Builds the game's sprites from their text sources:
//   spritegen build OUTDIR PALETTE SOURCE...      writes OUTDIR/<path>.bmp for every sprite
//   spritegen sheet PNG UIDIR PALETTE SOURCE...   writes a contact sheet of every sprite at
//                                                  3x plus the interface BMPs found in UIDIR
//   spritegen guide OUTDIR UIDIR PALETTE SOURCE...  writes OUTDIR/<name>.png, the player's
//                                                  guide pictures
//   spritegen icon SIZE PNG SPRITE.bmp            writes a SIZE x SIZE icon of a game sprite
//                                                  with a transparent background
#include "guide.h"
#include "pixelart/bmpfile.h"
#include "pixelart/pngfile.h"
#include "spritegen.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;
using namespace spritegen;

namespace {

void makeParent(const fs::path& path) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
}

std::vector<Sprite> loadSprites(const std::string& palettePath, char** first, char** last) {
    Palette palette = parsePalette(pixelart::readText(palettePath), palettePath);
    std::vector<SpriteDef> defs;
    for (char** source = first; source != last; ++source) {
        auto more = parseSprites(pixelart::readText(*source), *source, palette);
        defs.insert(defs.end(), more.begin(), more.end());
    }
    return resolveSprites(defs);
}

// The interface pictures sit directly in the sprites folder; another generator makes them.
std::vector<std::pair<std::string, Image>> loadInterfaces(const fs::path& dir) {
    std::vector<std::pair<std::string, Image>> found;
    if (!fs::is_directory(dir)) return found;
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file() && entry.path().extension() == ".bmp")
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    for (const auto& path : paths) {
        try {
            found.emplace_back(path.filename().string(), pixelart::loadBmp(path.string()));
        } catch (const std::exception& e) {
            std::cerr << "spritegen: skipping " << path.string() << ": " << e.what() << "\n";
        }
    }
    return found;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "build" && argc >= 5) {
            const fs::path outDir = argv[2];
            for (const auto& sprite : loadSprites(argv[3], argv + 4, argv + argc)) {
                const fs::path path = outDir / (sprite.path + ".bmp");
                makeParent(path);
                pixelart::saveBmp(path.string(), sprite.image);
            }
            return 0;
        }
        if (mode == "sheet" && argc >= 6) {
            auto sprites = loadSprites(argv[4], argv + 5, argv + argc);
            makeParent(argv[2]);
            pixelart::savePng(argv[2], makeContactSheet(sprites, loadInterfaces(argv[3]), 3));
            return 0;
        }
        if (mode == "guide" && argc >= 6) {
            auto sprites = loadSprites(argv[4], argv + 5, argv + argc);
            for (const auto& [name, picture] : makeGuidePictures(sprites, loadInterfaces(argv[3])))
                pixelart::savePng((fs::path(argv[2]) / (name + ".png")).string(), picture);
            return 0;
        }
        if (mode == "icon" && argc == 5) {
            const Image sprite = pixelart::loadBmp(argv[4]);
            makeParent(argv[3]);
            pixelart::savePng(argv[3], makeIcon(sprite, std::stoi(argv[2])), true);
            return 0;
        }
    } catch (const std::exception& e) {
        std::cerr << "spritegen: " << e.what() << "\n";
        return 1;
    }
    std::cerr << "usage: spritegen build OUTDIR PALETTE SOURCE...\n"
                 "       spritegen sheet PNG UIDIR PALETTE SOURCE...\n"
                 "       spritegen guide OUTDIR UIDIR PALETTE SOURCE...\n"
                 "       spritegen icon SIZE PNG SPRITE.bmp\n";
    return 2;
}
