#include "app/Loop.h"
#include "graphics/Colours.h"
#include "graphics/Pixels.h"
#include "graphics/Text.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Freerun.h"
#include "screens/Menu.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include <gtest/gtest.h>

namespace {

const SDL_Color normal = {25, 25, 25, 0};
const SDL_Color red = {128, 0, 0, 0};

bool sameImage(SDL_Surface* a, SDL_Surface* b) {
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            if (getPixel(a, x, y) != getPixel(b, x, y)) return false;
    return true;
}

// The canvas shows `text` at (26, y) when drawing that line over it once more changes
// nothing; any other text in its place leaves marks.
bool shows(int y, const char* text, SDL_Color colour = red) {
    SDL_Surface* expected = SDL_ConvertSurface(menu.canvas, menu.canvas->format, 0);
    blitText(expected, menu.font, text, colour, SDL_Color{0, 0, 0, 0}, 26, y);
    bool same = sameImage(expected, menu.canvas);
    SDL_FreeSurface(expected);
    return same;
}

SDL_Surface* picture(Uint8 r, Uint8 g, Uint8 b) {
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0, 0, 0, 0);
    SDL_FillRect(image, nullptr, SDL_MapRGB(image->format, r, g, b));
    return image;
}

void restore(SDL_Surface*& slot, SDL_Surface* original) {
    if (slot != original) SDL_FreeSurface(slot);
    slot = original;
}

class MenuTest : public testing::Test {
  protected:
    void SetUp() override { resetGame(); }
    void TearDown() override {
        freerunCats = freerunTerrain = 0;
        freerunWidth = freerunHeight = 512;
        restore(menu.menuImage, realMenu);
        restore(menu.resumeImage, realResume);
        resetGame();
    }
    void openLine(int n) {
        menu.line = n;
        menu.activate(5);
    }
    SDL_Surface* realMenu = menu.menuImage;
    SDL_Surface* realResume = menu.resumeImage;
};

void press(SDLKey sym, int times = 1) {
    bool quit = false;
    for (int i = 0; i < times; ++i)
        handleEvent(keyEvent(sym), quit);
}

} // namespace

// Held past either end, the highlight stays on the first or last entry of the list and
// of each page, and the line it stops on is the one drawn highlighted.
TEST_F(MenuTest, EveryHighlightStopsAtBothEndsOfItsList) {
    press(SDLK_UP);
    EXPECT_EQ(menu.item, 0) << "nothing is highlighted until the player moves";
    press(SDLK_DOWN, 10);
    EXPECT_EQ(menu.item, 6);
    press(SDLK_UP, 10);
    EXPECT_EQ(menu.item, 1);
    for (int item : {4, 5, 6}) { // the sound page, freerun, the credits
        SCOPED_TRACE(item);
        press(SDLK_DOWN, item - 1);
        press(SDLK_RETURN);
        ASSERT_NE(menu.page, 0);
        press(SDLK_DOWN, 15);
        EXPECT_EQ(menu.line, 11);
        if (item == 5) {
            EXPECT_TRUE(shows(202, "< Play Freerun >"));
        }
        press(SDLK_UP, 15);
        EXPECT_EQ(menu.line, 1);
        if (item == 5) {
            EXPECT_TRUE(shows(32, "Cats: 0"));
            EXPECT_TRUE(shows(202, "< Play Freerun >", normal));
        }
        press(SDLK_ESCAPE);
        EXPECT_EQ(menu.page, 0);
        EXPECT_EQ(menu.item, item);
        press(SDLK_UP, 10);
    }
}

TEST_F(MenuTest, CountsStepWithTheirSizeAndStopAtZero) {
    openLine(1);
    freerunCats = 9;
    std::vector<int> seen;
    for (int i = 0; i < 11; ++i) {
        menu.increase(1);
        seen.push_back(freerunCats);
    }
    EXPECT_EQ(seen, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 200}));
    EXPECT_TRUE(shows(32, "Cats: 200"));
    freerunCats = 10;
    menu.decrease(1);
    EXPECT_EQ(freerunCats, 0);
    EXPECT_TRUE(shows(32, "Cats: 0"));

    // Nothing to change at 0, so the page is not drawn again over this marker.
    SDL_FillRect(menu.canvas, nullptr, SDL_MapRGB(menu.canvas->format, 0, 0, 255));
    menu.decrease(1);
    EXPECT_EQ(freerunCats, 0);
    EXPECT_EQ(pixelAt(menu.canvas, 100, 100), throughBackBuffer(0, 0, 255));
}

TEST_F(MenuTest, MapLinesStopAtTheirLimits) {
    openLine(8);
    for (int i = 0; i < 9; ++i)
        menu.decrease(8);
    EXPECT_EQ(freerunWidth, 320);
    for (int i = 0; i < 13; ++i)
        menu.decrease(9);
    EXPECT_EQ(freerunHeight, 224);
    EXPECT_TRUE(shows(148, "Map Width: 320"));

    menu.selectLine(10);
    freerunTerrain = 2;
    menu.increase(10);
    EXPECT_TRUE(shows(176, "Map Terrain: N/A"));
    EXPECT_FALSE(shows(176, "Map Terrain: Water"));
    menu.decrease(10);
    EXPECT_TRUE(shows(176, "Map Terrain: Water"));
}

TEST_F(MenuTest, FreerunHighlightCatchesUpWithTheLine) {
    openLine(1);
    menu.selectLine(2);
    EXPECT_TRUE(shows(46, "Men: 0"));
    EXPECT_TRUE(shows(32, "Cats: 0", normal));
    menu.activate(4);
    menu.selectLine(9);
    EXPECT_EQ(lineHighlight[2], 1);
    menu.activate(5);
    EXPECT_TRUE(shows(162, "Map Height: 512"));
}

TEST_F(MenuTest, HighlightLowersGreenOfBrightPixelsOnly) {
    SDL_Surface* image = picture(40, 40, 40);
    auto paint = [&](int x, int y, int r, int g, int b) {
        putPixel(image, x, y, SDL_MapRGB(image->format, Uint8(r), Uint8(g), Uint8(b)));
    };
    paint(165, 15, 200, 200, 100); // entry 1, top-left corner
    paint(307, 41, 60, 20, 60);    // bottom-right corner: green wraps round
    paint(200, 14, 200, 200, 100); // just above the entry
    menu.menuImage = image;

    menu.selectItem(1);
    Rgb corner = pixelAt(image, 165, 15), wrapped = pixelAt(image, 307, 41);
    EXPECT_EQ(pixelAt(menu.canvas, 165, 15), throughBackBuffer(corner.r, corner.g - 30, corner.b));
    EXPECT_EQ(pixelAt(menu.canvas, 307, 41),
              throughBackBuffer(wrapped.r, wrapped.g + 226, wrapped.b));
    EXPECT_EQ(pixelAt(menu.canvas, 200, 30), pixelAt(image, 200, 30));
    EXPECT_EQ(pixelAt(menu.canvas, 200, 14), pixelAt(image, 200, 14));
    EXPECT_EQ(pixelAt(menu.screen, 165, 15), pixelAt(menu.canvas, 165, 15));
    menu.selectItem(0);
    EXPECT_TRUE(sameImage(menu.canvas, image));
}

TEST_F(MenuTest, LostGameIsNoLongerOfferedForResuming) {
    menu.menuImage = picture(255, 0, 0);
    menu.resumeImage = picture(0, 0, 255);
    menu.activate(1);
    EXPECT_EQ(game.levelNumber, 1);
    EXPECT_FALSE(menu.isActive());

    // Paused and resumed: the same car drives on.
    player.setMoney(777);
    menu.selectItem(1);
    EXPECT_EQ(pixelAt(menu.canvas, 10, 10), throughBackBuffer(0, 0, 255));
    menu.activate(1);
    EXPECT_EQ(player.getMoney(), 777);

    walker.setHealth(0);
    menu.draw();
    EXPECT_EQ(menu.gameInProgress, 0);
    EXPECT_EQ(pixelAt(menu.canvas, 10, 10), throughBackBuffer(255, 0, 0));
    menu.activate(1);
    EXPECT_EQ(game.levelNumber, 1);
    EXPECT_NE(player.getMoney(), 777);
    EXPECT_EQ(walker.getHealth(), 100);
    EXPECT_EQ(menu.gameInProgress, 1);
}
