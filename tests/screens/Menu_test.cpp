#include "graphics/Pixels.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Freerun.h"
#include "screens/Menu.h"
#include "sound/Sound.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

const SDL_Color normal = {25, 25, 25, 0};
const SDL_Color highlighted = {128, 0, 0, 0};

SDL_Surface* copyOf(SDL_Surface* surface) {
    return SDL_ConvertSurface(surface, surface->format, SDL_SWSURFACE);
}

bool sameImage(SDL_Surface* a, SDL_Surface* b) {
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            if (getPixel(a, x, y) != getPixel(b, x, y)) return false;
    return true;
}

// The canvas shows `text` at (x, y) when drawing that line over it once more changes
// nothing; any other text in the same place leaves marks.
bool canvasShows(int x, int y, const char* text, SDL_Color colour) {
    SDL_Surface* expected = copyOf(menu.canvas);
    SDL_Color black = {0, 0, 0, 0};
    SDL_Surface* line = TTF_RenderText_Shaded(menu.font, text, colour, black);
    SDL_SetColorKey(line, SDL_SRCCOLORKEY, SDL_MapRGB(line->format, 0, 0, 0));
    SDL_Rect where = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(line, nullptr, expected, &where);
    bool same = sameImage(expected, menu.canvas);
    SDL_FreeSurface(line);
    SDL_FreeSurface(expected);
    return same;
}

SDL_Surface* filledScreenImage(Uint8 r, Uint8 g, Uint8 b) {
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0, 0, 0, 0);
    SDL_FillRect(image, nullptr, SDL_MapRGB(image->format, r, g, b));
    return image;
}

// The colour a 16-bit surface actually stores for an 8-bit triple.
Rgb stored(SDL_Surface* surface, int r, int g, int b) {
    Uint8 sr, sg, sb;
    SDL_GetRGB(SDL_MapRGB(surface->format, static_cast<Uint8>(r), static_cast<Uint8>(g),
                          static_cast<Uint8>(b)),
               surface->format, &sr, &sg, &sb);
    return {sr, sg, sb};
}

class MenuTest : public testing::Test {
  protected:
    void SetUp() override {
        resetGame();
        saved = {freerunCats, freerunWidth, freerunHeight, freerunTerrain};
        std::memcpy(savedHighlight, lineHighlight, sizeof savedHighlight);
    }
    void TearDown() override {
        freerunCats = saved[0];
        freerunWidth = saved[1];
        freerunHeight = saved[2];
        freerunTerrain = saved[3];
        std::memcpy(lineHighlight, savedHighlight, sizeof savedHighlight);
        resetGame();
    }

    // Opens the freerun page with `n` as the line Left and Right act on.
    void openFreerunLine(int n) {
        menu.line = n;
        menu.activate(5);
    }

    std::vector<int> saved;
    Uint8 savedHighlight[12] = {};
};

// Swaps a picture of the menu for a test one and puts the real one back afterwards.
class ImageSwap {
  public:
    ImageSwap(SDL_Surface*& slot, SDL_Surface* replacement) : slot(slot), original(slot) {
        slot = replacement;
    }
    ~ImageSwap() {
        SDL_FreeSurface(slot);
        slot = original;
    }

  private:
    SDL_Surface*& slot;
    SDL_Surface* original;
};

} // namespace

TEST_F(MenuTest, CountsStepByOnesTensAndHundredsAndStopAtZero) {
    openFreerunLine(1);
    freerunCats = 9;
    std::vector<int> seen;
    for (int i = 0; i < 11; ++i) {
        menu.increase(1);
        seen.push_back(freerunCats);
    }
    EXPECT_EQ(seen, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 200}));
    EXPECT_TRUE(canvasShows(26, 32, "Cats: 200", highlighted));

    menu.decrease(1);
    EXPECT_EQ(freerunCats, 100);
    menu.decrease(1);
    EXPECT_EQ(freerunCats, 0);
    freerunCats = 10;
    menu.decrease(1);
    EXPECT_EQ(freerunCats, 0);
    EXPECT_TRUE(canvasShows(26, 32, "Cats: 0", highlighted));

    // Nothing changes at 0, so the page is not drawn again over the marker.
    SDL_FillRect(menu.canvas, nullptr, SDL_MapRGB(menu.canvas->format, 0, 0, 255));
    menu.decrease(1);
    EXPECT_EQ(freerunCats, 0);
    EXPECT_EQ(pixelAt(menu.canvas, 100, 100), stored(menu.canvas, 0, 0, 255));
}

TEST_F(MenuTest, MapSizeShrinksOnlyDownToItsLimits) {
    openFreerunLine(8);
    for (int i = 0; i < 8; ++i)
        menu.decrease(8);
    EXPECT_EQ(freerunWidth, 320);
    menu.decrease(8);
    EXPECT_EQ(freerunWidth, 320);
    EXPECT_TRUE(canvasShows(26, 148, "Map Width: 320", highlighted));

    for (int i = 0; i < 12; ++i)
        menu.decrease(9);
    EXPECT_EQ(freerunHeight, 224);
    menu.decrease(9);
    EXPECT_EQ(freerunHeight, 224);
    menu.increase(9);
    EXPECT_EQ(freerunHeight, 248);
}

TEST_F(MenuTest, TerrainPastWaterHasNoName) {
    openFreerunLine(10);
    freerunTerrain = 2;
    menu.increase(10);
    EXPECT_EQ(freerunTerrain, 3);
    EXPECT_TRUE(canvasShows(26, 176, "Map Terrain: N/A", highlighted));
    EXPECT_FALSE(canvasShows(26, 176, "Map Terrain: Water", highlighted));

    menu.decrease(10);
    EXPECT_TRUE(canvasShows(26, 176, "Map Terrain: Water", highlighted));
    menu.decrease(10);
    menu.decrease(10);
    menu.decrease(10);
    EXPECT_EQ(freerunTerrain, 0);
    EXPECT_TRUE(canvasShows(26, 176, "Map Terrain: Grass", highlighted));
}

TEST_F(MenuTest, FreerunHighlightFollowsTheLine) {
    openFreerunLine(1);
    menu.selectLine(2);
    EXPECT_EQ(menu.line, 2);
    EXPECT_EQ(lineHighlight[1], 0);
    EXPECT_EQ(lineHighlight[2], 1);
    EXPECT_TRUE(canvasShows(26, 46, "Men: 0", highlighted));
    EXPECT_TRUE(canvasShows(26, 32, "Cats: 0", normal));

    // Up and Down on the sound page leave the freerun highlight alone until the
    // freerun page opens again and shows the line that Left and Right will change.
    menu.activate(4);
    menu.selectLine(9);
    EXPECT_EQ(menu.line, 9);
    EXPECT_EQ(lineHighlight[2], 1);
    menu.activate(5);
    EXPECT_EQ(lineHighlight[2], 0);
    EXPECT_EQ(lineHighlight[9], 1);

    menu.page = 0;
    menu.selectLine(4);
    EXPECT_EQ(menu.line, 9);
}

TEST_F(MenuTest, SoundPageBothArrowsFlipTheSwitch) {
    sound.enabled = 1;
    menu.activate(4);
    EXPECT_EQ(menu.page, 4);
    EXPECT_TRUE(canvasShows(26, 32, "Sound: On", normal));
    menu.increase(menu.line);
    EXPECT_EQ(sound.enabled, 0);
    EXPECT_TRUE(canvasShows(26, 32, "Sound: Off", normal));
    menu.decrease(menu.line);
    EXPECT_EQ(sound.enabled, 1);
    EXPECT_TRUE(canvasShows(26, 32, "Sound: On", normal));

    // The arrows mean nothing on the main list.
    menu.page = 0;
    menu.increase(1);
    EXPECT_EQ(sound.enabled, 1);
}

TEST_F(MenuTest, CreditsPageHasItsTitle) {
    menu.activate(6);
    EXPECT_EQ(menu.page, 5);
    EXPECT_TRUE(canvasShows(26, 32, "Vandal Demo Credits", normal));
    EXPECT_TRUE(canvasShows(26, 126, "Art:", normal));
}

TEST_F(MenuTest, HighlightLowersGreenOfBrightPixelsOnly) {
    SDL_Surface* picture = filledScreenImage(40, 40, 40);
    auto paint = [&](int x, int y, int r, int g, int b) {
        putPixel(picture, x, y, SDL_MapRGB(picture->format, r, g, b));
    };
    paint(165, 15, 200, 200, 100);  // entry 1, top-left corner
    paint(307, 41, 60, 20, 60);     // bottom-right corner; green wraps round
    paint(200, 30, 50, 50, 50);     // dark outline
    paint(200, 14, 200, 200, 100);  // just above the entry
    paint(308, 30, 200, 200, 100);  // just right of it
    paint(200, 226, 200, 200, 100); // last row of the taller entry 6
    ImageSwap swap(menu.menuImage, picture);

    menu.selectItem(1);
    EXPECT_EQ(menu.item, 1);
    EXPECT_EQ(pixelAt(menu.canvas, 165, 15),
              stored(menu.canvas, 200, pixelAt(picture, 165, 15).g - 30, 100));
    EXPECT_EQ(pixelAt(menu.canvas, 307, 41),
              stored(menu.canvas, 60, (pixelAt(picture, 307, 41).g + 226) & 0xFF, 60));
    EXPECT_EQ(pixelAt(menu.canvas, 200, 30), pixelAt(picture, 200, 30));
    EXPECT_EQ(pixelAt(menu.canvas, 200, 14), pixelAt(picture, 200, 14));
    EXPECT_EQ(pixelAt(menu.canvas, 308, 30), pixelAt(picture, 308, 30));
    // What the player sees is the canvas.
    EXPECT_EQ(pixelAt(menu.screen, 165, 15), pixelAt(menu.canvas, 165, 15));

    menu.selectItem(6);
    EXPECT_FALSE(pixelAt(menu.canvas, 200, 226) == pixelAt(picture, 200, 226));
    EXPECT_EQ(pixelAt(menu.canvas, 165, 15), pixelAt(picture, 165, 15));

    menu.selectItem(0);
    EXPECT_TRUE(sameImage(menu.canvas, picture));
}

TEST_F(MenuTest, LostGameIsNoLongerOfferedForResuming) {
    ImageSwap newGame(menu.menuImage, filledScreenImage(255, 0, 0));
    ImageSwap resume(menu.resumeImage, filledScreenImage(0, 0, 255));

    menu.activate(1);
    EXPECT_EQ(game.levelNumber, 1);
    EXPECT_FALSE(menu.isActive());
    EXPECT_EQ(menu.gameInProgress, 1);
    cLevel* firstGame = game.currentLevel;
    ASSERT_NE(firstGame, nullptr);

    // Paused and resumed: the same level and the same car go on.
    player.setMoney(777);
    menu.setActive(true);
    menu.selectItem(1);
    EXPECT_EQ(pixelAt(menu.canvas, 10, 10), stored(menu.canvas, 0, 0, 255));
    menu.activate(1);
    EXPECT_EQ(game.currentLevel, firstGame);
    EXPECT_EQ(player.getMoney(), 777);

    walker.setHealth(0);
    menu.setActive(true);
    menu.draw();
    EXPECT_EQ(menu.gameInProgress, 0);
    EXPECT_EQ(pixelAt(menu.canvas, 10, 10), stored(menu.canvas, 255, 0, 0));
    menu.activate(1);
    EXPECT_EQ(game.levelNumber, 1);
    EXPECT_NE(game.currentLevel, nullptr);
    EXPECT_EQ(walker.getHealth(), 100);
    EXPECT_NE(player.getMoney(), 777);
    EXPECT_EQ(menu.gameInProgress, 1);
}

TEST_F(MenuTest, FreerunStartsOnLevelTwo) {
    menu.page = 6;
    menu.line = 11;
    menu.startFreerun();
    EXPECT_EQ(game.levelNumber, 2);
    EXPECT_NE(game.currentLevel, nullptr);
    EXPECT_FALSE(menu.isActive());
    EXPECT_EQ(menu.page, 0);
    EXPECT_EQ(menu.gameInProgress, 1);
}
