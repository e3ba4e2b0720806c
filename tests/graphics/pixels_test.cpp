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

// How many numbers rand() handed out while `work` ran.
int randomDrawsDuring(const std::function<void()>& work) {
    std::srand(4242);
    work();
    int after = std::rand();
    int afterThat = std::rand();
    std::srand(4242);
    int previous = std::rand();
    for (int drawn = 0; drawn < 100000; ++drawn) {
        int next = std::rand();
        if (previous == after && next == afterThat) return drawn;
        previous = next;
    }
    return -1;
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

TEST(PixelAccess, ReadsAreClippedToTheScreenEvenOnBiggerSurfaces) {
    SDL_Surface* big = makeSurface(400, 300, 16);
    SDL_FillRect(big, nullptr, 0x1234);
    EXPECT_EQ(getPixel(big, 319, 239), 0x1234u);
    EXPECT_EQ(getPixel(big, 320, 0), 0u);
    EXPECT_EQ(getPixel(big, 0, 240), 0u);
    EXPECT_EQ(getPixel(big, -1, 0), 0u);
    EXPECT_EQ(getPixel(big, 0, -1), 0u);

    // Writes beyond the screen leave the surface alone.
    putPixel(big, 320, 5, 0xBEEF);
    putPixel(big, 5, 240, 0xBEEF);
    auto* row5 = reinterpret_cast<Uint16*>(static_cast<Uint8*>(big->pixels) + 5 * big->pitch);
    auto* row240 = reinterpret_cast<Uint16*>(static_cast<Uint8*>(big->pixels) + 240 * big->pitch);
    EXPECT_EQ(row5[320], 0x1234);
    EXPECT_EQ(row240[5], 0x1234);
    SDL_FreeSurface(big);

    SDL_Surface* small = makeSurface(10, 8, 16);
    SDL_FillRect(small, nullptr, 0x0F0F);
    EXPECT_EQ(getPixel(small, 9, 7), 0x0F0Fu);
    EXPECT_EQ(getPixel(small, 10, 0), 0u);
    EXPECT_EQ(getPixel(small, 0, 8), 0u);
    SDL_FreeSurface(small);

    SDL_Surface* screenSized = makeSurface(320, 240, 16);
    SDL_FillRect(screenSized, nullptr, 0);
    putPixel(screenSized, 319, 239, 0xABCD);
    auto* last = reinterpret_cast<Uint16*>(static_cast<Uint8*>(screenSized->pixels) +
                                           239 * screenSized->pitch) +
                 319;
    EXPECT_EQ(*last, 0xABCD);
    EXPECT_EQ(getPixel(screenSized, 319, 239), 0xABCDu);
    EXPECT_EQ(getPixel(screenSized, 318, 239), 0u);
    SDL_FreeSurface(screenSized);
}

TEST(PixelAccess, EveryPixelSizeFromOneToFourBytes) {
    const struct {
        int bits;
        Uint32 value;
    } cases[] = {{8, 0xA7}, {16, 0xBEEF}, {24, 0x123456}, {32, 0x89ABCDEF}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        SDL_Surface* s = makeSurface(8, 8, c.bits);
        SDL_FillRect(s, nullptr, 0);
        putPixel(s, 3, 5, c.value);
        EXPECT_EQ(getPixel(s, 3, 5), c.value);
        EXPECT_EQ(getPixel(s, 2, 5), 0u);
        EXPECT_EQ(getPixel(s, 4, 5), 0u);
        SDL_FreeSurface(s);
    }

    // Three-byte pixels are stored low byte first.
    SDL_Surface* s = makeSurface(4, 4, 24);
    SDL_FillRect(s, nullptr, 0);
    putPixel(s, 1, 2, 0x123456);
    const Uint8* p = static_cast<Uint8*>(s->pixels) + 2 * s->pitch + 3;
    EXPECT_EQ(p[0], 0x56);
    EXPECT_EQ(p[1], 0x34);
    EXPECT_EQ(p[2], 0x12);
    SDL_FreeSurface(s);
}

// Radius 0 plots the centre four times, radius 1 the four axis neighbours three times
// each, a negative radius only the four starting points; three colour draws a plot.
TEST(RasterCircle, DegenerateRadii) {
    const struct {
        int x, y, radius;
        std::set<Spot> plotted;
        int plots;
    } cases[] = {{100, 100, 0, {{100, 100}}, 4},
                 {50, 60, 1, {{51, 60}, {49, 60}, {50, 61}, {50, 59}}, 12},
                 {100, 100, -3, {{100, 97}, {100, 103}, {97, 100}, {103, 100}}, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.radius);
        EXPECT_EQ(circleOnClearBuffer(c.x, c.y, c.radius), c.plotted);
        EXPECT_EQ(randomDrawsDuring([&] { graphics.rasterCircle(c.x, c.y, c.radius); }),
                  c.plots * 3);
    }
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
        paintBlood(player);
    for (int heading = 1; heading <= 8; ++heading)
        EXPECT_TRUE(stains(heading).empty()) << "all transparent, heading " << heading;

    // A checkerboard: the stain must land on a grey square, never on the green.
    auto body = [](int x, int y) { return (x + y) % 2 == 0; };
    for (int kill = 0; kill < 40; ++kill) {
        useImages(8, 8, body);
        paintBlood(player);
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

TEST_F(BloodStains, EastImageScansUpwardFromTheStartRowTheOthersDownward) {
    // With only the top row opaque, an upward scan always reaches it; a downward scan
    // only when the start row is the top row (one time in eight). The bottom row is
    // the other way round.
    const int kills = 200;
    for (int opaqueRow : {0, 7}) {
        int stained[9] = {};
        for (int kill = 0; kill < kills; ++kill) {
            useImages(8, 8, [&](int, int y) { return y == opaqueRow; });
            paintBlood(player);
            for (int heading = 1; heading <= 8; ++heading)
                stained[heading] += stains(heading).empty() ? 0 : 1;
        }
        for (int heading = 1; heading <= 8; ++heading) {
            bool reachable = (heading == 4) == (opaqueRow == 0);
            SCOPED_TRACE("heading " + std::to_string(heading) + ", opaque row " +
                         std::to_string(opaqueRow));
            if (reachable) {
                EXPECT_GT(stained[heading], kills / 2);
            } else {
                EXPECT_LT(stained[heading], kills / 4);
            }
        }
    }
}

} // namespace
