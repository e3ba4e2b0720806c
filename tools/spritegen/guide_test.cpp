#include "guide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using namespace spritegen;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<Sprite> gameSprites() {
    Palette palette = parsePalette(readFile(fs::path(SPRITE_DIR) / "palette.txt"), "palette.txt");
    std::vector<SpriteDef> defs;
    for (const auto& entry : fs::directory_iterator(SPRITE_DIR)) {
        if (entry.path().extension() != ".txt" || entry.path().filename() == "palette.txt")
            continue;
        auto more = parseSprites(readFile(entry.path()), entry.path().string(), palette);
        defs.insert(defs.end(), more.begin(), more.end());
    }
    return resolveSprites(defs);
}

} // namespace

// The page links the pictures by name; a renamed, dropped or forgotten picture would
// leave a hole in the guide or a picture nobody sees.
TEST(GuidePictures, AreExactlyTheOnesThePageShows) {
    const Rgb grey{90, 90, 90};
    const std::vector<NamedImage> interfaces = {{"hud.bmp", Image(320, 24, grey)},
                                                {"noson.bmp", Image(43, 27, grey)},
                                                {"nosoff.bmp", Image(43, 27, grey)},
                                                {"nosburn.bmp", Image(43, 27, grey)}};
    std::set<std::string> drawn;
    for (const auto& [name, picture] : makeGuidePictures(gameSprites(), interfaces)) {
        drawn.insert(name);
        EXPECT_EQ(std::count(picture.pixels.begin(), picture.pixels.end(), kTransparent), 0)
            << name << " shows the key colour instead of the ground";
    }

    const std::string page = readFile(GUIDE_PAGE);
    const std::regex link(R"(build/docs/guide/([a-z]+)\.png)");
    std::set<std::string> linked;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), link);
         it != std::sregex_iterator(); ++it)
        linked.insert((*it)[1]);
    EXPECT_EQ(linked, drawn);
}
