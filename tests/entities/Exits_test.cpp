#include "EntityFixture.h"
#include "app/Assets.h"
#include "entities/Exits.h"
#include "graphics/Marker.h"
#include "graphics/Pixels.h"
#include "player/Walker.h"
#include "world/Level1.h"
#include "world/Level4.h"
#include <algorithm>
#include <cstdlib>

namespace {

using ExitTest = EntityTest;

bool inCurrentLevel(const BaseEntity* entity) {
    const auto& list = game.currentLevel->entities;
    return std::find(list.begin(), list.end(), entity) != list.end();
}

// The car keeps what it carries through an exit; only its place and count-up restart,
// and the exit outlives its level until the frame ends.
TEST_F(ExitTest, ExitsSwitchLevelsKeepingTheCarsResources) {
    const struct {
        int from, to;
        const char* sound;
        bool portal;
    } exits[] = {{4, 3, assets::portal, true},
                 {3, 4, assets::hellrift, false},
                 {1, 3, assets::portal, true}};
    for (const auto& e : exits) {
        SCOPED_TRACE(e.from);
        game.currentLevel = nullptr;
        resetGame();
        enterLevelWithSeed(e.from, 17);
        BaseEntity& exit =
            e.portal ? static_cast<BaseEntity&>(game.currentLevel->makeEntities<Portal>(1)[0])
                     : game.currentLevel->makeEntities<Hellrift>(1)[0];
        int kind = exit.kind;
        player.setMoney(345);
        player.setEggs(4);
        player.fuel = 9;
        player.setHealth(61);
        player.levelCount = 2;
        player.setPosition(100, 50);
        walker.setHealth(20);
        sounds.clear();

        exit.hit(1);

        EXPECT_EQ(e.to, game.levelNumber);
        EXPECT_FALSE(inCurrentLevel(&exit));
        EXPECT_EQ(kind, exit.kind);
        EXPECT_EQ(3, player.levelCount);
        EXPECT_EQ(345, player.getMoney());
        EXPECT_EQ(4, player.getEggs());
        EXPECT_EQ(9, player.getFuel());
        EXPECT_EQ(61, player.getHealth());
        EXPECT_EQ(160, player.x);
        EXPECT_EQ(120, player.y);
        EXPECT_EQ(100, walker.getHealth());
        EXPECT_EQ((std::vector<std::string>{e.sound}), sounds.paths());
    }
    EXPECT_EQ(nullptr, level4Map);
    EXPECT_EQ(nullptr, level1Map);
}

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
