#include "guide.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace spritegen {
namespace {

using pixelart::stamp;

// At 1x a 16-pixel sprite is too small to read on a page; twice the size still shows
// its pixels honestly.
constexpr int kScale = 2;
constexpr int kPad = 4; // around and between the sprites, in game pixels

// The grounds the game fills a level with.
constexpr Rgb kGrass{0, 210, 0};
constexpr Rgb kDesert{218, 200, 156};

// Where the game puts the NOS gauge relative to the HUD strip: it stands 3 pixels
// taller than the strip at its right end.
constexpr int kGaugeX = 277, kGaugeRise = 3;

constexpr double kPi = 3.14159265358979323846;

// One row of sprites: each kind of thing in the looks a player meets it in.
struct Strip {
    const char* name;
    Rgb ground;
    std::vector<const char*> sprites;
};

const std::vector<Strip>& strips() {
    static const std::vector<Strip> all = {
        {"car", kGrass, {"yellowcar/n", "yellowcar/ne", "yellowcar/e", "yellowcar/dead"}},
        {"man", kGrass, {"man/s", "man/e", "man/n", "man/dead"}},
        {"pinkman", kGrass, {"pinkman/s", "pinkman/e", "pinkman/n", "pinkman/dead"}},
        {"cat", kGrass, {"cat/e1", "cat/e2", "cat/n1", "cat/d1", "cat/d2"}},
        {"dog", kGrass, {"dog/e1", "dog/e2", "dog/n1", "dog/d1", "dog/d2"}},
        {"deadcar", kGrass, {"deadcars/1", "deadcars/1a", "deadcars/1b", "deadcars/1c"}},
        {"chest", kGrass, {"entities/chest1", "entities/chest1a"}},
        {"nosboost", kGrass, {"entities/nosboost", "entities/nosboostd"}},
        {"possie", kGrass, {"entities/possie1a", "entities/possie1", "entities/possie1b"}},
        {"egg", kGrass, {"entities/euroegg"}},
        {"soap", kGrass, {"entities/soap1", "entities/soap2"}},
        {"hut", kGrass, {"entities/hut"}},
        {"afro", kGrass, {"entities/afro", "entities/afro1", "entities/afro2"}},
        {"deadtree", kGrass, {"obsticles/dead-tree"}},
        {"palmtree", kDesert, {"obsticles/palm-tree"}},
        {"flowers",
         kGrass,
         {"flowers/flower1", "flowers/flower2", "flowers/flower3", "flowers/flower4",
          "flowers/flower5", "flowers/flower6", "flowers/flower7", "flowers/flower8"}},
    };
    return all;
}

const Image& spriteCalled(const std::vector<Sprite>& sprites, const std::string& path) {
    for (const auto& sprite : sprites)
        if (sprite.path == path) return sprite.image;
    throw std::runtime_error("the guide needs the sprite " + path);
}

const Image& interfaceCalled(const std::vector<NamedImage>& interfaces, const std::string& name) {
    for (const auto& [file, image] : interfaces)
        if (file == name) return image;
    throw std::runtime_error("the guide needs the interface picture " + name);
}

// The game draws every sprite centred on its position.
void stampCentred(Image& canvas, const Image& image, int x, int y) {
    stamp(canvas, image, x - image.width / 2, y - image.height / 2);
}

Image enlarged(const Image& image) { return pixelart::scaled(image, kScale); }

Image stripPicture(const Strip& strip, const std::vector<Sprite>& sprites) {
    std::vector<const Image*> images;
    int width = kPad, height = 0;
    for (const char* path : strip.sprites) {
        images.push_back(&spriteCalled(sprites, path));
        width += images.back()->width + kPad;
        height = std::max(height, images.back()->height);
    }
    Image canvas(width, height + 2 * kPad, strip.ground);
    int x = kPad;
    for (const Image* image : images) {
        stamp(canvas, *image, x, kPad + (height - image->height) / 2);
        x += image->width + kPad;
    }
    return enlarged(canvas);
}

// Portals and hellrifts: rings 6 pixels apart, every pixel a fresh random colour each
// frame, traced with the same midpoint circle as the game's.
void ring(Image& canvas, int cx, int cy, int radius, std::minstd_rand& random) {
    std::uniform_int_distribution<int> channel(0, 254);
    auto plot = [&](int x, int y) {
        Rgb colour{static_cast<std::uint8_t>(channel(random)),
                   static_cast<std::uint8_t>(channel(random)),
                   static_cast<std::uint8_t>(channel(random))};
        canvas.set(x, y, colour);
    };
    int f = 1 - radius, ddFx = 1, ddFy = -2 * radius, x = 0, y = radius;
    plot(cx, cy + radius);
    plot(cx, cy - radius);
    plot(cx + radius, cy);
    plot(cx - radius, cy);
    while (x < y) {
        if (f >= 0) {
            --y;
            ddFy += 2;
            f += ddFy;
        }
        ++x;
        ddFx += 2;
        f += ddFx;
        for (auto [dx, dy] : {std::pair{x, y}, {y, x}}) {
            plot(cx + dx, cy + dy);
            plot(cx - dx, cy + dy);
            plot(cx + dx, cy - dy);
            plot(cx - dx, cy - dy);
        }
    }
}

Image exitPicture(int reach) {
    const int size = 2 * (reach + kPad) + 1;
    Image canvas(size, size, kGrass);
    std::minstd_rand random(17); // the same picture in every build
    for (int r = reach; r > 0; r -= 6)
        ring(canvas, size / 2, size / 2, r, random);
    return enlarged(canvas);
}

// The nuke exhaust: sixty flames on a ring round the car, 6 degrees apart.
Image nukePicture(const std::vector<Sprite>& sprites, int radius) {
    const Image& car = spriteCalled(sprites, "yellowcar/n");
    const Image& fire = spriteCalled(sprites, "particles/fire");
    const int size = 2 * radius + std::max(fire.width, fire.height) + 2 * kPad;
    Image canvas(size, size, kGrass);
    const int centre = size / 2;
    for (int degrees = 0; degrees < 360; degrees += 6) {
        const double radians = degrees * kPi / 180.0;
        stampCentred(canvas, fire, static_cast<int>(centre + std::cos(radians) * radius + 0.5),
                     static_cast<int>(centre + std::sin(radians) * radius + 0.5));
    }
    stampCentred(canvas, car, centre, centre);
    return enlarged(canvas);
}

Image hudPicture(const std::vector<NamedImage>& interfaces) {
    const Image& hud = interfaceCalled(interfaces, "hud.bmp");
    const Image& gauge = interfaceCalled(interfaces, "noson.bmp");
    Image canvas(std::max(hud.width, kGaugeX + gauge.width),
                 std::max(kGaugeRise + hud.height, gauge.height), kGrass);
    stamp(canvas, hud, 0, kGaugeRise);
    stamp(canvas, gauge, kGaugeX, 0);
    return enlarged(canvas);
}

// Recharging, ready, burning: the gauge's three looks side by side.
Image gaugesPicture(const std::vector<NamedImage>& interfaces) {
    std::vector<const Image*> looks;
    for (const char* name : {"nosoff.bmp", "noson.bmp", "nosburn.bmp"})
        looks.push_back(&interfaceCalled(interfaces, name));
    int width = kPad, height = 0;
    for (const Image* look : looks) {
        width += look->width + kPad;
        height = std::max(height, look->height);
    }
    Image canvas(width, height + 2 * kPad, kGrass);
    int x = kPad;
    for (const Image* look : looks) {
        stamp(canvas, *look, x, kPad);
        x += look->width + kPad;
    }
    return enlarged(canvas);
}

} // namespace

std::vector<NamedImage> makeGuidePictures(const std::vector<Sprite>& sprites,
                                          const std::vector<NamedImage>& interfaces) {
    std::vector<NamedImage> pictures;
    for (const Strip& strip : strips())
        pictures.emplace_back(strip.name, stripPicture(strip, sprites));
    pictures.emplace_back("portal", exitPicture(30));
    pictures.emplace_back("nuke", nukePicture(sprites, 40));
    pictures.emplace_back("hud", hudPicture(interfaces));
    pictures.emplace_back("gauges", gaugesPicture(interfaces));
    return pictures;
}

} // namespace spritegen
