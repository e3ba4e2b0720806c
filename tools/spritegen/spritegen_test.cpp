#include "spritegen.h"

#include "app/Assets.h"
#include "guide.h"
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

using namespace spritegen;
using pixelart::readText;

namespace {

const Palette kPalette{{'k', {10, 10, 10}}, {'y', {250, 200, 40}}};
constexpr Rgb kY{250, 200, 40}, kK{10, 10, 10};

std::string errorOf(const std::string& text) {
    try {
        resolveSprites(parseSprites(text, "car.txt", kPalette));
    } catch (const SourceError& e) {
        return e.what();
    }
    return "";
}

std::vector<Sprite> gameSprites() {
    namespace fs = std::filesystem;
    Palette palette =
        parsePalette(readText(std::string(SPRITE_DIR) + "/palette.txt"), "palette.txt");
    std::vector<SpriteDef> defs;
    for (const auto& entry : fs::directory_iterator(SPRITE_DIR)) {
        if (entry.path().extension() != ".txt" || entry.path().filename() == "palette.txt")
            continue;
        auto more = parseSprites(readText(entry.path().string()), entry.path().string(), palette);
        defs.insert(defs.end(), more.begin(), more.end());
    }
    return resolveSprites(defs);
}

} // namespace

// Local colours, transparency and chained copies through exact transforms.
TEST(SpriteSource, GridsAndCopies) {
    auto sprites = resolveSprites(parseSprites(
        "colour r 200 0 0\nsprite c = b mirror\nsprite b = a rot90\nsprite a\nky\n.r\n\n", "x.txt",
        kPalette));
    ASSERT_EQ(sprites.size(), 3u);
    const Image& a = sprites[2].image;
    EXPECT_EQ((std::vector<Rgb>{kK, kY, kTransparent, {200, 0, 0}}), a.pixels);
    const Image& b = sprites[1].image; // clockwise: the left column becomes the top row
    EXPECT_EQ((std::vector<Rgb>{kTransparent, kK, {200, 0, 0}, kY}), b.pixels);
    EXPECT_EQ(sprites[0].image, mirror(b));
    EXPECT_EQ(applyOp(applyOp(a, "rot90"), "rot270"), a);
    EXPECT_THROW(parseSprites("sprite a\nr\n", "two.txt", kPalette), SourceError)
        << "a file's own colours stay in that file";
}

TEST(SpriteSource, MistakesNameTheFileAndLine) {
    const struct {
        const char* text;
        const char* where;
    } cases[] = {{"sprite a\nkk\nk\n", "car.txt:3"},
                 {"\nsprite a\nkq\n", "car.txt:3"},
                 {"colour q 0 255 0\n", "car.txt:1"},
                 {"sprite a\nk\n\nsprite a\ny\n", "car.txt:1"},
                 {"sprite a = b mirror\n", "no sprite called 'b'"},
                 {"sprite a = b\nsprite b = a\n", ""}};
    for (const auto& c : cases) {
        std::string error = errorOf(c.text);
        EXPECT_NE(error, "") << c.text;
        EXPECT_NE(error.find(c.where), std::string::npos) << error;
    }
}

// Every sprite the game loads is drawn, and nothing else; the interface pictures
// directly under sprites/ come from another tool.
TEST(GameSprites, MatchTheImagesTheGameLoads) {
    std::set<std::string> drawn, wanted;
    for (const auto& s : gameSprites())
        drawn.insert("sprites/" + s.path + ".bmp");
    for (std::string path : assets::allImages())
        if (path.find('/', std::string("sprites/").size()) != std::string::npos)
            wanted.insert(path);
    EXPECT_GT(wanted.size(), 60u);
    EXPECT_EQ(drawn, wanted);
}

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

    const std::string page = readText(GUIDE_PAGE);
    const std::string folder = "](guide/";
    std::set<std::string> linked;
    for (auto at = page.find(folder); at != std::string::npos; at = page.find(folder, at + 1)) {
        auto name = at + folder.size(), end = name;
        while (end < page.size() && std::islower(static_cast<unsigned char>(page[end])))
            ++end;
        if (end > name && page.compare(end, 4, ".png") == 0)
            linked.insert(page.substr(name, end - name));
    }
    EXPECT_EQ(linked, drawn);
}
