#include "entities/Animals.h"
#include "entities/Exits.h"
#include "graphics/Colours.h"
#include "graphics/Graphics.h"
#include "graphics/Marker.h"
#include "graphics/Pixels.h"
#include "player/Player.h"
#include "player/Walker.h"
#include "screens/Shop.h"
#include "sound/Sound.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <vector>

extern int meowLast;
extern int meowInterval;
extern int barkLast;
extern int barkInterval;

namespace {

Rgb shown(int x, int y) { return pixelAt(graphics.backBuffer, x, y); }

std::vector<Uint32> region(int x, int y, int w, int h) {
    std::vector<Uint32> pixels;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            pixels.push_back(getPixel(graphics.backBuffer, i, j));
    return pixels;
}

class Frame : public testing::Test {
  protected:
    FakeClock clock{1000};
    HandMadeLevel ground;

    void SetUp() override {
        resetGame();
        meowLast = meowInterval = barkLast = barkInterval = 0;
        game.currentLevel = &ground.level;
    }
    void TearDown() override {
        game.currentLevel = nullptr;
        resetGame();
    }
};

// Distances are truncated: a touch within reach (15), a draw within 300 pixels, the
// latter measured after the touch, which may have moved the car.
TEST_F(Frame, TouchesWithinReachAndDrawsWithinThreeHundredPixels) {
    player.setPosition(5, 100);
    Marker* at300 = ground.markers(1, 305, 100);
    Marker* justUnder301 = ground.markers(1, 305, 76);    // 300.96
    Marker* at301 = ground.markers(1, 306, 124);          // 301.95
    Marker* inReach = ground.markers(1, 5 + 15, 100 + 5); // 15.81
    Marker* outOfReach = ground.markers(1, 5, 100 + 16);
    at301->paint(0, 0, 255);
    for (int i = 0; i < 3; ++i)
        graphics.frame();
    EXPECT_EQ(shown(305, 100), throughBackBuffer(255, 0, 255));
    EXPECT_EQ(shown(306, 124), throughBackBuffer(0, 210, 0));
    EXPECT_EQ((std::vector<int>{3, 3, 0}),
              (std::vector<int>{at300->draws, justUnder301->draws, at301->draws}));
    EXPECT_EQ(inReach->hits, 3) << "every touching frame hits again";
    EXPECT_EQ(outOfReach->hits, 0);

    // A touch that throws the car far away: the entity is then out of range.
    inReach->onHit = [](Marker&) { player.setPosition(5 + 400, 100); };
    graphics.frame();
    EXPECT_EQ(inReach->draws, 3);
}

TEST_F(Frame, ExitsAreDrawnAsRingsSixPixelsApart) {
    Portal* portal = ground.level.makeEntities<Portal>(1);
    portal->reach = 25;
    portal->setPosition(100, 100);
    std::srand(11);
    graphics.frame();
    Rgb grass = throughBackBuffer(0, 210, 0);
    for (int r : {25, 19, 13, 7, 1}) {
        EXPECT_NE(shown(100 + r, 100), grass) << "ring " << r;
        EXPECT_NE(shown(100, 100 - r), grass) << "ring " << r;
    }
    for (int r : {22, 16, 10, 4})
        EXPECT_EQ(shown(100 + r, 100), grass) << "between rings at " << r;
    // Inside the smallest ring nothing is drawn: no ring of radius 0 or less and no
    // speckle picture.
    for (int y = 93; y <= 107; ++y)
        for (int x = 93; x <= 107; ++x) {
            double d = std::hypot(x - 100, y - 100);
            if (d >= 2.0 && d <= 5.5) {
                EXPECT_EQ(shown(x, y), grass) << x << "," << y;
            }
        }
    EXPECT_EQ(shown(100, 100), grass);
}

TEST_F(Frame, GameOverTintsBrightPixelsAndLeavesDarkOnes) {
    setGroundColour(ground.level, 40, 40, 40);
    ground.markers(1, 100, 50)->paint(60, 100, 20);
    walker.setHealth(0);
    graphics.frame();
    EXPECT_EQ(shown(20, 20), throughBackBuffer(40, 40, 40));
    Rgb bright = throughBackBuffer(60, 100, 20);
    EXPECT_EQ(shown(100, 50), throughBackBuffer(255, bright.g - 30, 0));

    walker.setHealth(1);
    graphics.frame();
    EXPECT_EQ(shown(100, 50), bright) << "only a lost game is tinted";
}

TEST_F(Frame, SpeechIsShownForOneFrameOnly) {
    setGroundColour(ground.level, 0, 0, 255);
    std::strcpy(graphics.speechText, "Free blood removal, spick and span.");
    Rgb boxCorner = pixelAt(graphics.speechBoxImage, 0, 0);
    ASSERT_NE(throughBackBuffer(boxCorner.r, boxCorner.g, boxCorner.b),
              throughBackBuffer(0, 0, 255));
    graphics.frame();
    EXPECT_EQ(shown(10, 164), throughBackBuffer(boxCorner.r, boxCorner.g, boxCorner.b));
    for (char c : graphics.speechText)
        ASSERT_EQ(c, '\0');
    graphics.frame();
    EXPECT_EQ(shown(10, 164), throughBackBuffer(0, 0, 255));
}

TEST_F(Frame, HudShowsTheWalkersHealthOnceTheFuelIsGone) {
    // The health number as the HUD would show `text`: drawn on a fresh strip.
    auto healthShownAs = [](const char* text) {
        SDL_Rect where = hudRect;
        SDL_BlitSurface(graphics.hudImage, nullptr, graphics.backBuffer, &where);
        graphics.drawHudText(33, 216, text);
        return region(33, 216, 54, 24);
    };
    graphics.frame();
    EXPECT_EQ(region(33, 216, 54, 24), healthShownAs("100%"));

    player.fuel = 0;
    walker.setPosition(160, 60);
    walker.setHealth(57);
    graphics.frame();
    std::vector<Uint32> walking = region(33, 216, 54, 24);
    EXPECT_EQ(walking, healthShownAs("57%"));
    EXPECT_NE(walking, healthShownAs("100%"));

    walker.step(2);
    graphics.frame();
    EXPECT_EQ(region(33, 216, 54, 24), healthShownAs("56%"));
}

TEST_F(Frame, CatsNearbyShareOneMeowClock) {
    SoundLog sounds;
    Cat* cats = ground.level.makeEntities<Cat>(2);
    cats[0].setPosition(60, 40);
    cats[1].setPosition(260, 40);
    graphics.frame();
    EXPECT_EQ(sounds.countPrefix("sounds/m"), 1) << "two cats in range, one meow";

    clock.advance(999);
    graphics.frame();
    EXPECT_EQ(sounds.countPrefix("sounds/m"), 1) << "the next meow waits at least 1000 ms";

    clock.advance(5499 - 999);
    graphics.frame();
    EXPECT_EQ(sounds.countPrefix("sounds/m"), 2) << "and at most 5499 ms";

    cats[0].setAlive(0);
    cats[1].setAlive(0);
    clock.advance(6000);
    int drawnBefore = sounds.countPrefix("sounds/m");
    graphics.frame();
    EXPECT_EQ(sounds.countPrefix("sounds/m"), drawnBefore) << "dead cats are quiet";
}

TEST_F(Frame, StatisticsCoverTheMissionAndBothCoverTheShop) {
    SDL_Surface* real[] = {shop.screenImage, graphics.missionImage, graphics.statsImage};
    SDL_Surface* plain[3];
    const Rgb colours[] = {{255, 0, 0}, {0, 0, 255}, {255, 255, 0}}; // shop, mission, stats
    for (int i = 0; i < 3; ++i) {
        plain[i] = SDL_CreateRGBSurface(SDL_SWSURFACE, 50, 50, 16, 0xF800, 0x07E0, 0x001F, 0);
        SDL_FillRect(plain[i], nullptr,
                     SDL_MapRGB(plain[i]->format, colours[i].r, colours[i].g, colours[i].b));
    }
    shop.screenImage = plain[0];
    graphics.missionImage = plain[1];
    graphics.statsImage = plain[2];
    auto panelShows = [&](int i) {
        graphics.frame();
        return shown(missionRect.x + 5, missionRect.y + 5) ==
               throughBackBuffer(colours[i].r, colours[i].g, colours[i].b);
    };
    shop.setOpen(true);
    EXPECT_TRUE(panelShows(0));
    graphics.showMission = 1;
    EXPECT_TRUE(panelShows(1));
    graphics.showStats = 1;
    EXPECT_TRUE(panelShows(2));
    shop.setOpen(false);
    graphics.showMission = 0;
    EXPECT_TRUE(panelShows(2));
    shop.screenImage = real[0];
    graphics.missionImage = real[1];
    graphics.statsImage = real[2];
    for (SDL_Surface* image : plain)
        SDL_FreeSurface(image);
}

} // namespace
