// Builds the game's sprites from their text sources:
//   spritegen build OUTDIR PALETTE SOURCE...      writes OUTDIR/<path>.bmp for every sprite
//   spritegen sheet PNG UIDIR PALETTE SOURCE...   writes a contact sheet of every sprite at
//                                                  3x plus the interface BMPs found in UIDIR
//   spritegen guide OUTDIR UIDIR PALETTE SOURCE...  writes OUTDIR/<name>.png, the player's
//                                                  guide pictures
//   spritegen icon SIZE PNG SPRITE.bmp            writes a SIZE x SIZE icon of a game sprite
//                                                  with a transparent background
#include "guide.h"
#include "spritegen.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace fs = std::filesystem;
using namespace spritegen;

namespace {

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::vector<Sprite> loadSprites(const std::string& palettePath, char** first, char** last) {
    Palette palette = parsePalette(readText(palettePath), palettePath);
    std::vector<SpriteDef> defs;
    for (char** source = first; source != last; ++source) {
        auto more = parseSprites(readText(*source), *source, palette);
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
        std::string text = readText(path);
        try {
            found.emplace_back(path.filename().string(),
                               decodeBmp(std::vector<std::uint8_t>(text.begin(), text.end())));
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
            fs::path outDir = argv[2];
            for (const auto& sprite : loadSprites(argv[3], argv + 4, argv + argc))
                writeBytes(outDir / (sprite.path + ".bmp"), encodeBmp(sprite.image));
            return 0;
        }
        if (mode == "sheet" && argc >= 6) {
            auto sprites = loadSprites(argv[4], argv + 5, argv + argc);
            writeBytes(argv[2], encodePng(makeContactSheet(sprites, loadInterfaces(argv[3]), 3)));
            return 0;
        }
        if (mode == "guide" && argc >= 6) {
            auto sprites = loadSprites(argv[4], argv + 5, argv + argc);
            for (const auto& [name, picture] : makeGuidePictures(sprites, loadInterfaces(argv[3])))
                writeBytes(fs::path(argv[2]) / (name + ".png"), encodePng(picture));
            return 0;
        }
        if (mode == "icon" && argc == 5) {
            std::string bmp = readText(argv[4]);
            Image sprite = decodeBmp(std::vector<std::uint8_t>(bmp.begin(), bmp.end()));
            writeBytes(argv[3], encodePng(makeIcon(sprite, std::stoi(argv[2])), true));
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
