#include "graphics/Colours.h"
#include "graphics/Graphics.h"
#include "graphics/Pixels.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <malloc.h>
#include <vector>

namespace {

std::vector<Uint32> snapshot() {
    std::vector<Uint32> pixels;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            pixels.push_back(getPixel(graphics.backBuffer, x, y));
    return pixels;
}

void fillBackBuffer(Uint8 r, Uint8 g, Uint8 b) {
    SDL_FillRect(graphics.backBuffer, nullptr, SDL_MapRGB(graphics.backBuffer->format, r, g, b));
}

// Every pixel of the box, by colour.
std::vector<Rgb> pixelsIn(int x, int y, int w, int h) {
    std::vector<Rgb> found;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            found.push_back(pixelAt(graphics.backBuffer, i, j));
    return found;
}

int countOf(const std::vector<Rgb>& pixels, Rgb colour) {
    int n = 0;
    for (const Rgb& p : pixels)
        n += p == colour ? 1 : 0;
    return n;
}

size_t heapInUse() { return mallinfo2().uordblks; }

TEST(TextDrawing, EmptyOrMissingTextDrawsNothing) {
    fillBackBuffer(200, 200, 200);
    std::vector<Uint32> before = snapshot();
    size_t heapBefore = heapInUse();
    graphics.drawText(42, 34, "", 2);
    graphics.drawText(42, 34, nullptr, 2);
    graphics.drawListText(42, 34, "", 1);
    graphics.drawListText(42, 34, nullptr, 1);
    EXPECT_EQ(heapInUse(), heapBefore);
    EXPECT_EQ(snapshot(), before);
}

// Shop lines (list styles) and mission and statistics lines (style 2 of drawText).
TEST(TextDrawing, LinesTakeTheirStyleColoursOnAKeyedBackground) {
    const struct {
        bool list;
        int style;
        Rgb colour;
    } styles[] = {{true, 0, {25, 25, 25}},
                  {true, 1, {80, 119, 192}},
                  {true, 2, {151, 0, 0}},
                  {false, 2, {45, 46, 53}}};
    for (const auto& s : styles) {
        SCOPED_TRACE(s.style);
        fillBackBuffer(255, 255, 255);
        if (s.list) {
            graphics.drawListText(42, 34, "HIMLT", s.style);
        } else {
            graphics.drawText(42, 34, "HIMLT", s.style);
        }
        int w = 0, h = 0;
        TTF_SizeText(graphics.largeFont, "HIMLT", &w, &h);
        std::vector<Rgb> box = pixelsIn(42, 34, w, h);
        Rgb wanted = throughBackBuffer(s.colour.r, s.colour.g, s.colour.b);
        EXPECT_GT(countOf(box, wanted), 5) << "solid strokes take the style's colour";
        for (const auto& other : styles)
            if (other.list == s.list && other.style != s.style) {
                EXPECT_EQ(
                    countOf(box, throughBackBuffer(other.colour.r, other.colour.g, other.colour.b)),
                    0);
            }
        // The key colour does its job: the page shows between the letters.
        EXPECT_GT(countOf(box, {255, 255, 255}), w * h / 3);
    }
}

TEST(TextDrawing, HudNumbersAreBlackOnATransparentBackground) {
    fillBackBuffer(200, 180, 40);
    graphics.drawHudText(33, 216, "100%");
    int w = 0, h = 0;
    TTF_SizeText(graphics.smallFont, "100%", &w, &h);
    std::vector<Rgb> box = pixelsIn(33, 216, w, h);
    int black = countOf(box, {0, 0, 0});
    int untouched = countOf(box, throughBackBuffer(200, 180, 40));
    EXPECT_GT(black, 10);
    EXPECT_GT(untouched, black);
    EXPECT_EQ(black + untouched, static_cast<int>(box.size())) << "only ink or background";
    EXPECT_EQ(pixelAt(graphics.backBuffer, 32, 216), throughBackBuffer(200, 180, 40));
    EXPECT_EQ(pixelAt(graphics.backBuffer, 33, 215), throughBackBuffer(200, 180, 40));
}

} // namespace
