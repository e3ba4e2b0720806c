#include "spritegen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include "app/Assets.h"
#include <set>
#include <sstream>

using namespace spritegen;

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

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(SpriteSource, GridUsesSharedAndLocalColoursAndKeepsTransparency) {
    auto defs = parseSprites("colour r 200 0 0\nsprite a/b\n.k\nyr\n\n", "x.txt", kPalette);
    auto sprites = resolveSprites(defs);
    ASSERT_EQ(sprites.size(), 1u);
    const Image& img = sprites[0].image;
    EXPECT_EQ(sprites[0].path, "a/b");
    ASSERT_EQ(img.width, 2);
    ASSERT_EQ(img.height, 2);
    EXPECT_EQ(img.at(0, 0), kTransparent);
    EXPECT_EQ(img.at(1, 0), kK);
    EXPECT_EQ(img.at(0, 1), kY);
    EXPECT_EQ(img.at(1, 1), (Rgb{200, 0, 0}));
}

TEST(SpriteSource, LocalColoursDoNotLeakIntoOtherFiles) {
    parseSprites("colour r 200 0 0\n", "one.txt", kPalette);
    EXPECT_THROW(parseSprites("sprite a\nr\n", "two.txt", kPalette), SourceError);
}

TEST(SpriteSource, MistakesNameTheFileAndLine) {
    EXPECT_NE(errorOf("sprite a\nkk\nk\n").find("car.txt:3"), std::string::npos);
    EXPECT_NE(errorOf("\nsprite a\nkq\n").find("car.txt:3"), std::string::npos);
    EXPECT_NE(errorOf("colour q 0 255 0\n").find("car.txt:1"), std::string::npos);
    EXPECT_NE(errorOf("colour . 1 2 3\n"), "");
    EXPECT_NE(errorOf("colour q 1 2 300\n"), "");
    EXPECT_NE(errorOf("sprite a\n\n"), "");
    EXPECT_NE(errorOf("sprite a\nk\n\nsprite a\ny\n").find("car.txt:1"), std::string::npos);
    EXPECT_NE(errorOf("sprite a = b mirror\n").find("no sprite called 'b'"), std::string::npos);
    EXPECT_NE(errorOf("sprite a\nk\n\nsprite b = a spin\n").find("car.txt:4"), std::string::npos);
    EXPECT_NE(errorOf("sprite a = b\nsprite b = a\n"), "");
}

TEST(SpriteSource, CopiesApplyTransformsInOrderAndMayChain) {
    auto sprites = resolveSprites(parseSprites(
        "sprite c = b mirror\nsprite b = a rot90\nsprite a\nky\n..\n\n", "x.txt", kPalette));
    ASSERT_EQ(sprites.size(), 3u);
    const Image& b = sprites[1].image; // rot90 of [k y / . .]
    ASSERT_EQ(b.width, 2);
    ASSERT_EQ(b.height, 2);
    EXPECT_EQ(b.at(1, 0), kK);
    EXPECT_EQ(b.at(1, 1), kY);
    EXPECT_EQ(b.at(0, 0), kTransparent);
    EXPECT_EQ(sprites[0].image, mirror(b));
}

TEST(Transforms, AreExactAndInvertible) {
    Image img(3, 2);
    img.set(0, 0, kK);
    img.set(2, 1, kY);
    Image r = rotate90(img);
    ASSERT_EQ(r.width, 2);
    ASSERT_EQ(r.height, 3);
    EXPECT_EQ(r.at(1, 0), kK); // top-left goes to top-right
    EXPECT_EQ(r.at(0, 2), kY);
    EXPECT_EQ(applyOp(applyOp(img, "rot90"), "rot270"), img);
    EXPECT_EQ(applyOp(img, "rot180"), flip(mirror(img)));
    EXPECT_EQ(mirror(mirror(img)), img);
    EXPECT_THROW(applyOp(img, "rot45"), std::invalid_argument);
}

TEST(Bmp, RowsArePaddedBottomUpBgr) {
    Image img(5, 2);
    img.set(0, 1, {1, 2, 3}); // bottom-left
    img.set(4, 0, {7, 8, 9}); // top-right
    auto bytes = encodeBmp(img);
    const std::size_t row = 16; // 15 bytes of pixels padded to 16
    ASSERT_EQ(bytes.size(), 54 + 2 * row);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[14], 40); // BITMAPINFOHEADER
    EXPECT_EQ(bytes[28], 24);
    EXPECT_EQ(bytes[2], bytes.size()); // file size, low byte
    EXPECT_EQ(bytes[54], 3);           // first stored pixel is the bottom-left, as B G R
    EXPECT_EQ(bytes[55], 2);
    EXPECT_EQ(bytes[56], 1);
    EXPECT_EQ(bytes[54 + 15], 0); // padding
    EXPECT_EQ(bytes[54 + row + 12], 9);
    EXPECT_EQ(decodeBmp(bytes), img);
}

TEST(Bmp, ReadsPalettedTopDownFilesAndRejectsJunk) {
    // A 2x1 8-bit top-down picture with two palette entries.
    std::vector<std::uint8_t> b(54 + 8 + 4, 0);
    b[0] = 'B', b[1] = 'M', b[10] = 62, b[14] = 40, b[18] = 2, b[26] = 1, b[28] = 8, b[46] = 2;
    b[22] = 0xff, b[23] = 0xff, b[24] = 0xff, b[25] = 0xff; // height -1
    b[54] = 30, b[55] = 20, b[56] = 10;                     // entry 0 as B G R
    b[58] = 0, b[59] = 255, b[60] = 0;                      // entry 1: transparent green
    b[62] = 1, b[63] = 0;
    Image img = decodeBmp(b);
    ASSERT_EQ(img.width, 2);
    ASSERT_EQ(img.height, 1);
    EXPECT_EQ(img.at(0, 0), kTransparent);
    EXPECT_EQ(img.at(1, 0), (Rgb{10, 20, 30}));
    b[63] = 7; // past the palette
    EXPECT_THROW(decodeBmp(b), std::runtime_error);
    EXPECT_THROW(decodeBmp(std::vector<std::uint8_t>(b.begin(), b.begin() + 60)),
                 std::runtime_error);
}

TEST(Png, ChunksCarryValidCrcsAndTheStoredDataRoundTrips) {
    std::uint8_t iend[] = {'I', 'E', 'N', 'D'};
    EXPECT_EQ(crc32(iend, 4), 0xAE426082u);
    // Wide enough that the pixel data spans two stored deflate blocks.
    Image img(200, 120);
    img.set(199, 119, {1, 2, 3});
    auto png = encodePng(img);
    auto be32 = [&](std::size_t at) {
        return std::uint32_t(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    };
    EXPECT_EQ(be32(16), 200u);
    EXPECT_EQ(be32(20), 120u);
    std::size_t idat = 33;
    ASSERT_EQ(std::string(png.begin() + idat + 4, png.begin() + idat + 8), "IDAT");
    std::size_t len = be32(idat);
    EXPECT_EQ(be32(idat + 8 + len), crc32(png.data() + idat + 4, len + 4));
    std::vector<std::uint8_t> raw;
    std::size_t at = idat + 8 + 2;
    for (bool last = false; !last;) {
        last = png[at] & 1;
        std::size_t n = png[at + 1] | png[at + 2] << 8;
        raw.insert(raw.end(), png.begin() + at + 5, png.begin() + at + 5 + n);
        at += 5 + n;
    }
    ASSERT_EQ(raw.size(), 120u * (1 + 200 * 3));
    EXPECT_EQ(raw[raw.size() - 3], 1);
    EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");
}

// The real art: every sprite the game loads is drawn, and each one is usable.
class GameSprites : public ::testing::Test {
  protected:
    static std::vector<Sprite> load() {
        namespace fs = std::filesystem;
        Palette palette =
            parsePalette(readFile(fs::path(SPRITE_DIR) / "palette.txt"), "palette.txt");
        std::vector<SpriteDef> defs;
        for (const auto& entry : fs::directory_iterator(SPRITE_DIR)) {
            if (entry.path().extension() != ".txt" || entry.path().filename() == "palette.txt")
                continue;
            auto more = parseSprites(readFile(entry.path()), entry.path().string(), palette);
            defs.insert(defs.end(), more.begin(), more.end());
        }
        return resolveSprites(defs);
    }
};

TEST_F(GameSprites, MatchTheImagesTheGameLoads) {
    std::set<std::string> drawn, wanted;
    for (const auto& s : load())
        drawn.insert("sprites/" + s.path + ".bmp");
    // Interface pictures sit directly under sprites/ and are drawn by another tool.
    for (std::string path : assets::allImages())
        if (path.find('/', std::string("sprites/").size()) != std::string::npos)
            wanted.insert(path);
    EXPECT_GT(wanted.size(), 60u);
    EXPECT_EQ(drawn, wanted);
}

TEST_F(GameSprites, AreSmallAndVisible) {
    for (const auto& s : load()) {
        EXPECT_LE(s.image.width, 48) << s.path;
        EXPECT_LE(s.image.height, 48) << s.path;
        int opaque = 0;
        for (const auto& p : s.image.pixels)
            opaque += p != kTransparent;
        EXPECT_GT(opaque, 4) << s.path;
    }
}

// Sprites are drawn centred, so a frame of another size would make the animal or the
// gardener jump on the spot.
TEST_F(GameSprites, AnimationFramesShareTheirSize) {
    std::map<std::string, Image> byPath;
    for (auto& s : load())
        byPath[s.path] = s.image;
    const std::vector<std::vector<std::string>> animations = {
        {"entities/afro", "entities/afro1", "entities/afro2"},
        {"cat/n1", "cat/n2"},
        {"cat/s1", "cat/s2"},
        {"cat/w1", "cat/w2"},
        {"cat/e1", "cat/e2"},
        {"dog/n1", "dog/n2"},
        {"dog/s1", "dog/s2"},
        {"dog/w1", "dog/w2"},
        {"dog/e1", "dog/e2"}};
    for (const auto& frames : animations) {
        const Image& first = byPath.at(frames[0]);
        for (const auto& frame : frames) {
            EXPECT_EQ(byPath.at(frame).width, first.width) << frame;
            EXPECT_EQ(byPath.at(frame).height, first.height) << frame;
            EXPECT_FALSE(frame != frames[0] && byPath.at(frame) == first)
                << frame << " does not move";
        }
    }
}

TEST_F(GameSprites, CarHeadingsAreMostlyBodyForTheBloodToLandOn) {
    for (const auto& s : load()) {
        if (s.path.rfind("yellowcar/", 0) != 0) continue;
        int opaque = 0;
        for (const auto& p : s.image.pixels)
            opaque += p != kTransparent;
        // Diagonal headings leave their box corners empty, so about half is all they can fill.
        EXPECT_GT(opaque * 5, static_cast<int>(s.image.pixels.size()) * 2) << s.path;
    }
}
