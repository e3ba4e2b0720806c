#include "entities/Exits.h"
#include "graphics/Graphics.h"
#include "graphics/Marker.h"
#include "player/Player.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

// The level-3 map of this seed has a portal within reach of the spot where the car
// lands.
constexpr unsigned kSeedWithAPortalAtTheLanding = 42;

bool exitInReach() {
    for (BaseEntity* entity : game.currentLevel->entities)
        if (entity && (entity->kind == KindPortal || entity->kind == KindHellrift) &&
            carTouches(*entity, entity->reach))
            return true;
    return false;
}

TEST(LevelSwitch, AFrameTakesOneExitAndTheNextFrameTheOneAtTheLanding) {
    resetGame();
    FakeClock clock;
    HandMadeLevel start;
    game.currentLevel = &start.level;
    Portal* portal = start.level.makeEntities<Portal>(1);
    portal->setPosition(player.x - graphics.cameraX, player.y - graphics.cameraY);

    std::srand(kSeedWithAPortalAtTheLanding);
    graphics.frame();
    EXPECT_EQ(1, player.levelCount) << "one frame switched levels twice";
    ASSERT_EQ(3, game.levelNumber);
    ASSERT_TRUE(exitInReach()) << "the seed no longer lands the car at an exit";
    graphics.frame();
    EXPECT_EQ(2, player.levelCount);
    resetGame();
}

} // namespace
