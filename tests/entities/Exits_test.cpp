#include "EntityFixture.h"
#include "app/Assets.h"
#include "entities/Exits.h"
#include "world/Level3.h"
#include "graphics/Pixels.h"
#include <algorithm>
#include <cstdlib>

namespace {

using ExitTest = EntityTest;

int colouredPixels(SDL_Surface* image) {
    Uint32 key = SDL_MapRGB(image->format, 0, 255, 0);
    int coloured = 0;
    for (int y = 0; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x)
            if (getPixel(image, x, y) != key) ++coloured;
    return coloured;
}

bool inCurrentLevel(const BaseEntity* entity) {
    const auto& list = game.currentLevel->entities;
    return std::find(list.begin(), list.end(), entity) != list.end();
}

TEST_F(ExitTest, AnExitImageNeverHasMoreThanFortyNineColouredPixels) {
    std::srand(1);
    int most = 0;
    Portal* portals = level.makeEntities<Portal>(200);
    Hellrift* rifts = level.makeEntities<Hellrift>(200);
    for (int i = 0; i < 200; ++i) {
        for (SDL_Surface* image : {portals[i].currentSprite(), rifts[i].currentSprite()}) {
            ASSERT_NE(nullptr, image);
            ASSERT_EQ(11, image->w);
            ASSERT_EQ(11, image->h);
            ASSERT_TRUE(image->flags & SDL_SRCCOLORKEY);
            int coloured = colouredPixels(image);
            ASSERT_LE(coloured, 49);
            most = std::max(most, coloured);
        }
    }
    EXPECT_EQ(49, most) << "about sixty cells are candidates, so the cap is reached";
}

// The car keeps what it carries through a portal; only its place and count-up restart.
TEST_F(ExitTest, APortalOnLevelFourLeadsToLevelThreeKeepingTheCarsResources) {
    game.currentLevel = nullptr;
    enterLevelWithSeed(4, 17);
    Portal& portal = game.currentLevel->makeEntities<Portal>(1)[0];
    player.setMoney(345);
    player.setEggs(4);
    player.fuel = 9;
    player.setHealth(61);
    player.levelCount = 2;

    portal.hit(1);

    EXPECT_EQ(3, game.levelNumber);
    EXPECT_EQ(nullptr, level4Map);
    EXPECT_EQ(static_cast<cLevel*>(level3Map), game.currentLevel);
    EXPECT_FALSE(inCurrentLevel(&portal));
    EXPECT_EQ(3, player.levelCount);
    EXPECT_EQ(345, player.getMoney());
    EXPECT_EQ(4, player.getEggs());
    EXPECT_EQ(9, player.getFuel());
    EXPECT_EQ(61, player.getHealth());
    EXPECT_EQ(1, sounds.count(assets::portal));
    EXPECT_EQ(KindPortal, portal.kind) << "the portal outlives its level until the frame ends";
}

} // namespace
