// Builds every sound effect of the game from the recipes under assets/sounds.
//
//   soundgen <game folder> <recipe>...
//
// Each recipe's sounds are written under the game folder at the path named in the recipe,
// exactly as the game opens it (some of those names contain backslashes and are plain
// files, not folders).

#include "Recipe.h"
#include "Render.h"
#include "Speech.h"
#include "Wave.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using namespace soundgen;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <game folder> <recipe>...\n", argv[0]);
        return 2;
    }
    try {
        const fs::path gameDir = argv[1];
        std::set<std::string> written;
        for (int a = 2; a < argc; ++a) {
            std::ifstream file(argv[a], std::ios::binary);
            if (!file) throw std::runtime_error(std::string("cannot read ") + argv[a]);
            std::stringstream text;
            text << file.rdbuf();
            for (const Sound& sound : parseRecipes(text.str(), argv[a])) {
                if (!written.insert(sound.path).second)
                    throw std::runtime_error(sound.origin + ": " + sound.path + " is made twice");
                const fs::path target = gameDir / fs::path(sound.path);
                fs::create_directories(target.parent_path());
                writeWav(target.string(), render(sound, speakWithEspeak));
            }
        }
        std::printf("soundgen: wrote %zu sounds\n", written.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soundgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
