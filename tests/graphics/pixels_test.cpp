#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include "player/Player.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <set>
#include <utility>

namespace {

using Spot = std::pair<int, int>;

SDL_Surface* makeSurface(int w, int h, int bits) {
    switch (bits) {
    case 8:
        return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0);
    case 16:
        return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 16, 0xF800, 0x07E0, 0x001F, 0);
    case 24:
        return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    default:
        return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    }
}

// The pixels of the back buffer that no longer hold the fill colour.
std::set<Spot> changedPixels(Uint32 fill) {
    std::set<Spot> changed;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            if (getPixel(graphics.backBuffer, x, y) != fill) changed.insert({x, y});
    return changed;
}

std::set<Spot> circleOnClearBuffer(int x0, int y0, int radius) {
    // Pure white is 0xFFFF in 16 bits; a random colour of 0..254 per channel could
    // round to it, but not with this seed.
    Uint32 fill = SDL_MapRGB(graphics.backBuffer->format, 255, 255, 255);
    SDL_FillRect(graphics.backBuffer, nullptr, fill);
    std::srand(7);
    graphics.rasterCircle(x0, y0, radius);
    return changedPixels(fill);
}

// Every pixel size, and reads and writes clipped to the screen even on a bigger
// surface as well as to a smaller one.
TEST(PixelAccess, EveryPixelSizeClippedToScreenAndSurface) {
    const struct {
        int bits;
        Uint32 value;
    } cases[] = {{8, 0xA7}, {16, 0xBEEF}, {24, 0x123456}, {32, 0x89ABCDEF}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        SDL_Surface* s = makeSurface(400, 300, c.bits);
        SDL_FillRect(s, nullptr, 0);
        for (auto [x, y] : {Spot{3, 5}, Spot{319, 239}, Spot{320, 5}, Spot{5, 240}})
            putPixel(s, x, y, c.value);
        EXPECT_EQ(getPixel(s, 3, 5), c.value);
        EXPECT_EQ(getPixel(s, 319, 239), c.value);
        int written = 0; // bytes: only the two pixels on the screen
        for (int y = 0; y < 300; ++y)
            for (int i = 0; i < 400 * c.bits / 8; ++i)
                written += static_cast<Uint8*>(s->pixels)[y * s->pitch + i] != 0;
        EXPECT_EQ(written, 2 * c.bits / 8);
        if (c.bits == 24) { // stored low byte first
            EXPECT_EQ(static_cast<Uint8*>(s->pixels)[5 * s->pitch + 9], 0x56);
        }
        SDL_FillRect(s, nullptr, c.value);
        for (auto [x, y] : {Spot{320, 0}, Spot{0, 240}, Spot{-1, 0}, Spot{0, -1}})
            EXPECT_EQ(getPixel(s, x, y), 0u) << x << "," << y;
        SDL_FreeSurface(s);
    }
    SDL_Surface* small = makeSurface(10, 8, 16);
    SDL_FillRect(small, nullptr, 0x0F0F);
    EXPECT_EQ(getPixel(small, 9, 7), 0x0F0Fu);
    EXPECT_EQ(getPixel(small, 10, 0) | getPixel(small, 0, 8), 0u);
    SDL_FreeSurface(small);
}

// Radius 0 plots the centre, radius 1 the four axis neighbours, a negative radius
// only the four starting points.
TEST(RasterCircle, DegenerateRadii) {
    const struct {
        int x, y, radius;
        std::set<Spot> plotted;
    } cases[] = {{100, 100, 0, {{100, 100}}},
                 {50, 60, 1, {{51, 60}, {49, 60}, {50, 61}, {50, 59}}},
                 {100, 100, -3, {{100, 97}, {100, 103}, {97, 100}, {103, 100}}}};
    for (const auto& c : cases)
        EXPECT_EQ(circleOnClearBuffer(c.x, c.y, c.radius), c.plotted) << c.radius;
}

// The car's eight heading images, replaced by the test's own for the length of a test.
class BloodStains : public testing::Test {
  protected:
    SDL_Surface* saved[9] = {};

    void SetUp() override {
        resetGame();
        for (int h = 1; h <= 8; ++h)
            saved[h] = player.sprites[h];
    }
    void TearDown() override {
        for (int h = 1; h <= 8; ++h) {
            if (player.sprites[h] != saved[h]) SDL_FreeSurface(player.sprites[h]);
            player.sprites[h] = saved[h];
        }
        resetGame();
    }

    // Every heading image becomes w x h: transparent green, with `opaque` pixels grey.
    void useImages(int w, int h, const std::function<bool(int, int)>& opaque) {
        for (int heading = 1; heading <= 8; ++heading) {
            if (player.sprites[heading] != saved[heading]) SDL_FreeSurface(player.sprites[heading]);
            SDL_Surface* image = makeSurface(w, h, 16);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    putPixel(image, x, y,
                             opaque(x, y) ? SDL_MapRGB(image->format, 128, 128, 128)
                                          : SDL_MapRGB(image->format, 0, 255, 0));
            setColourKey(image);
            player.sprites[heading] = image;
        }
    }

    // The dark-red pixels of the image of `heading`.
    static std::vector<Spot> stains(int heading) {
        std::vector<Spot> found;
        SDL_Surface* image = player.sprites[heading];
        for (int y = 0; y < image->h; ++y)
            for (int x = 0; x < image->w; ++x) {
                Rgb c = pixelAt(image, x, y);
                if (c.g == 0 && c.b == 0 && c.r > 0) found.push_back({x, y});
            }
        return found;
    }
};

TEST_F(BloodStains, AtMostOneDarkRedPixelPerImageAndOnlyOnTheBody) {
    useImages(12, 12, [](int, int) { return false; });
    for (int kill = 0; kill < 50; ++kill)
        paintBlood(player.sprites);
    for (int heading = 1; heading <= 8; ++heading)
        EXPECT_TRUE(stains(heading).empty()) << "all transparent, heading " << heading;

    // A checkerboard: the stain must land on a grey square, never on the green.
    auto body = [](int x, int y) { return (x + y) % 2 == 0; };
    for (int kill = 0; kill < 40; ++kill) {
        useImages(8, 8, body);
        paintBlood(player.sprites);
        for (int heading = 1; heading <= 8; ++heading) {
            std::vector<Spot> found = stains(heading);
            ASSERT_LE(found.size(), 1u) << "heading " << heading;
            if (found.empty()) continue;
            EXPECT_TRUE(body(found[0].first, found[0].second));
            Rgb c = pixelAt(player.sprites[heading], found[0].first, found[0].second);
            EXPECT_GE(c.r, 72) << "blood is dark red, red 76..255";
        }
    }
}

} // namespace
