#include "entities/Exits.h"
#include "graphics/Graphics.h"
#include "graphics/Marker.h"
#include "player/Player.h"
#include "sound/Sound.h"
#include "support/TestSupport.h"
#include "world/Game.h"
#include "world/Level.h"
#include "world/Level1.h"
#include "world/Level3.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class LevelLifecycle : public testing::Test {
  protected:
    FakeClock clock{1000};

    void SetUp() override { resetGame(); }
    void TearDown() override {
        if (game.levelNumber == 0) game.currentLevel = nullptr;
        resetGame();
    }

    // Puts the car on the first entity of the kind in the current level, by moving
    // the camera so that the entity sits under the car.
    static BaseEntity* driveOnto(int kind) {
        for (BaseEntity* entity : game.currentLevel->entities) {
            if (!entity || entity->kind != kind) continue;
            graphics.cameraX = player.x - entity->x;
            graphics.cameraY = player.y - entity->y;
            return entity;
        }
        return nullptr;
    }
};

TEST_F(LevelLifecycle, TheFirstGameDestroysNothingAndStartsOnLevelOne) {
    ASSERT_EQ(game.levelNumber, 0);
    game.destroyCurrentLevel();
    EXPECT_TRUE(game.retiredEntities.empty());
    EXPECT_EQ(game.currentLevel, nullptr);

    game.enterLevel(1);
    EXPECT_EQ(game.levelNumber, 1);
    ASSERT_NE(level1Map, nullptr);
    EXPECT_EQ(game.currentLevel, static_cast<cLevel*>(level1Map));
    EXPECT_FALSE(game.currentLevel->entities.empty());
    EXPECT_TRUE(game.retiredEntities.empty());
}

// A switch inside a hit: the entity that switched is still drawn, and the walk goes on
// at the next index of the new list, or ends if that list is shorter.
TEST_F(LevelLifecycle, TheWalkGoesOnAtTheNextIndexOfTheNewList) {
    const struct {
        int switchAt, freshCount;
        std::vector<int> freshDraws;
    } cases[] = {{1, 4, {0, 0, 1, 1}}, {2, 2, {0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.switchAt);
        HandMadeLevel first, second;
        Marker* old = first.markers(3, 160, 120);
        Marker* fresh = second.markers(c.freshCount, 200, 60); // in view, out of reach
        old[c.switchAt].onHit = [&](Marker&) { game.currentLevel = &second.level; };

        game.currentLevel = &first.level;
        graphics.frame();
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(old[k].hits, k <= c.switchAt ? 1 : 0) << k;
            EXPECT_EQ(old[k].draws, k <= c.switchAt ? 1 : 0) << k;
        }
        std::vector<int> draws;
        for (int k = 0; k < c.freshCount; ++k)
            draws.push_back(fresh[k].draws);
        EXPECT_EQ(draws, c.freshDraws);
        if (c.freshCount == 2) {
            graphics.frame();
            EXPECT_EQ(fresh[0].draws + fresh[1].draws, 2) << "the next frame walks the new list";
        }
        game.currentLevel = nullptr;
    }
}

TEST_F(LevelLifecycle, SwitchingFromInsideAHitFreesTheOldMapOnlyAtTheNextFrame) {
    // A hundred switches, each from inside the hit of an entity of the level being
    // left, the way a portal does it.
    ASSERT_EQ(Marker::live, 0);
    enterLevelWithSeed(1, 3);
    for (int i = 0; i < 100; ++i) {
        Marker* trigger = game.currentLevel->makeEntities<Marker>(1);
        trigger->setPosition(player.x - graphics.cameraX, player.y - graphics.cameraY);
        // First in the list, so that no portal of the map takes the car away before.
        auto& list = game.currentLevel->entities;
        list.pop_back();
        list.insert(list.begin(), trigger);
        trigger->onHit = [](Marker&) {
            game.destroyCurrentLevel();
            game.enterLevel(1);
        };
        // Earlier triggers are gone by the start of this frame; this one survives it.
        graphics.frame();
        ASSERT_EQ(Marker::live, 1) << "switch " << i;
        EXPECT_EQ(trigger->hits, 1);
        EXPECT_EQ(trigger->draws, 1);
    }
    graphics.frame();
    EXPECT_EQ(Marker::live, 0);
    EXPECT_TRUE(game.retiredEntities.empty());
}

TEST_F(LevelLifecycle, FindNearbyEntityTakesTheFirstTouchingOneOfTheKind) {
    HandMadeLevel level;
    game.currentLevel = &level.level;
    EXPECT_EQ(level.level.findNearbyEntity(KindAny), nullptr) << "empty list";

    Marker* m = level.markers(4, 160, 120);
    m[0].setPosition(160 + 40, 120); // out of reach
    m[1].kind = KindChest;
    m[2].kind = KindShop;
    m[3].kind = KindChest;
    m[0].kind = KindShop;

    EXPECT_EQ(level.level.findNearbyEntity(KindAny), &m[1]);
    EXPECT_EQ(level.level.findNearbyEntity(KindShop), &m[2]);
    EXPECT_EQ(level.level.findNearbyEntity(KindChest), &m[1]);
    EXPECT_EQ(level.level.findNearbyEntity(KindDog), nullptr);

    level.level.entities.insert(level.level.entities.begin(), nullptr);
    EXPECT_EQ(level.level.findNearbyEntity(KindAny), &m[1]) << "empty entries are skipped";
    game.currentLevel = nullptr;
}

} // namespace
